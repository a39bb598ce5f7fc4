#include "toolkit/table_data.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "toolkit/dates.h"
#include "toolkit/layout_store.h"
#include "toolkit/text.h"
#include "toolkit/translation.h"
#include "toolkit/vocabulary.h"

namespace vc {
namespace {

// A settings file held in memory: section/key -> value.
class tMemoryStore : public tLayoutStore {
public:
    std::string Read(std::string_view section, std::string_view key, std::string_view def) const override {
        const auto found = values.find(std::string(section) + "/" + std::string(key));
        return found == values.end() ? std::string(def) : found->second;
    }
    bool Write(std::string_view section, std::string_view key, std::string_view value) override {
        values[std::string(section) + "/" + std::string(key)] = value;
        return true;
    }
    std::map<std::string, std::string> values;
};

// Four columns as a price list defines them: name, price, date, and a check column.
struct tPriceGrid {
    tPriceGrid() {
        const struct {
            const char* Text;
            tSortType Sorting;
            int Width;
        } columns[] = {
            {"Naam", tSortType::sort_ALFA, 120},
            {"Koers", tSortType::sort_NUM, 60},
            {"Datum", tSortType::sort_DATE, 80},
            {"Alarm", tSortType::sort_ALFA, 40},
        };
        for (const auto& c : columns) {
            tKolom& column = grid.tab_Kolommen.Add();
            column.Text = c.Text;
            column.ColSorting = c.Sorting;
            column.Width = c.Width;
        }
        grid.tab_Kolommen[0].Required = true;
        grid.tab_Kolommen[3].SetColBtnType(tButtonType::tab_CHECKBOX);
        grid.ApplyColumnOrder();
    }
    // Data rows given as texts; the grid gets exactly these rows.
    void Fill(const std::vector<std::vector<std::string>>& rows) {
        grid.SetRowCount(static_cast<int>(rows.size()) + 1);
        for (std::size_t r = 0; r < rows.size(); ++r) {
            grid.SetRow(static_cast<int>(r) + 1, rows[r]);
        }
    }
    std::vector<std::string> Column(int col) const {
        std::vector<std::string> texts;
        for (int row = 1; row < grid.RowCount(); ++row) {
            texts.push_back(grid.Cell(col, row));
        }
        return texts;
    }

    tTableData grid;
};

using Texts = std::vector<std::string>;

TEST(KolomTest, DefaultsAndPropertyRules) {
    tKolommen columns;
    const tKolom& first = columns.Add();
    EXPECT_EQ(first.Id, 0);
    tKolom& second = columns.Add();
    EXPECT_EQ(second.Id, 1);
    EXPECT_EQ(second.Width, 64);
    EXPECT_EQ(second.Color, kClNone);
    EXPECT_EQ(second.CellAlign(), tAlignType::tab_LEFT);
    EXPECT_EQ(second.ColAlign, tAlignType::tab_CENTER);
    EXPECT_EQ(second.ColSorting, tSortType::sort_ALFA);
    EXPECT_EQ(second.ColBtnType(), tButtonType::tab_NONE);
    EXPECT_EQ(second.Ellips, tEllipsType::ellips_NONE);

    EXPECT_FALSE(second.SetCellAlign(tAlignType::tab_HIDDEN));
    EXPECT_EQ(second.CellAlign(), tAlignType::tab_LEFT);
    EXPECT_TRUE(second.SetCellAlign(tAlignType::tab_RIGHT));

    auto strip = std::make_shared<tPictureStrip>();
    strip->Width = 32;
    strip->Height = 16;
    strip->Pixels.assign(32 * 16, 0xFF000000);
    second.SetCustomBmp(strip);
    EXPECT_EQ(second.ColBtnType(), tButtonType::tab_CUSTOM);
    EXPECT_EQ(second.CustomBmp()->FrameCount(), 2);
    second.SetColBtnType(tButtonType::tab_CHECKBOX);
    EXPECT_EQ(second.CustomBmp(), nullptr);

    EXPECT_EQ(PublishedName(tSortType::sort_DATEWIN), "sort_DATEWIN");
    EXPECT_EQ(PublishedName(tButtonType::tab_POPUP), "tab_POPUP");
    EXPECT_EQ(PublishedName(tEllipsType::ellips_DECIMAL), "ellips_DECIMAL");
    EXPECT_EQ(PublishedName(tSelection::sel_GRAYED), "sel_GRAYED");
}

TEST(TableSortKeyTest, KeysFollowTheColumnsSortKind) {
    const struct {
        const char* Name;
        tSortType Sorting;
        tEllipsType Ellips;
        const char* Text;
        std::string Key; // the sort column's part of the key
    } cases[] = {
        {"number", tSortType::sort_NUM, tEllipsType::ellips_NONE, "9", "    1000000009.00000"},
        {"negative number", tSortType::sort_NUM, tEllipsType::ellips_NONE, "-2.5", "     999999997.50000"},
        {"empty number", tSortType::sort_NUM, tEllipsType::ellips_NONE, "", ""},
        {"date", tSortType::sort_DATE, tEllipsType::ellips_NONE, "10/12/2026", "20261210"},
        {"date with a time stays", tSortType::sort_DATE, tEllipsType::ellips_NONE, "10/12/2026 15:00",
         "10/12/2026 15:00"},
        {"windows number", tSortType::sort_NUMWIN, tEllipsType::ellips_NONE, "1.234,5 EUR",
         "          1000012345"},
        {"letters and digits", tSortType::sort_ALFA, tEllipsType::ellips_NONE, "ab-c 1\xE9",
         "ABC1\xC9               "},
        {"cut to twenty", tSortType::sort_COLOR, tEllipsType::ellips_NONE, "abcdefghijklmnopqrstuvwxyz",
         "ABCDEFGHIJKLMNOPQRST"},
        {"file name of a path", tSortType::sort_ALFA, tEllipsType::ellips_PATH, "C:\\lists\\My File.txt",
         "MYFILETXT           "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        tTableData grid;
        tKolom& column = grid.tab_Kolommen.Add();
        column.ColSorting = c.Sorting;
        column.Ellips = c.Ellips;
        tKolom& other = grid.tab_Kolommen.Add();
        other.ColSorting = tSortType::sort_NUM;
        grid.ApplyColumnOrder();
        grid.SetRow(1, {c.Text, "x.y-1"});
        // Every other column follows as letters and digits, padded to fifteen.
        EXPECT_EQ(grid.SortKey(1, 0), c.Key + "XY1            ");
    }
}

TEST(TableSortKeyTest, WindowsDatesReadTheUsersFormat) {
    tTableData grid;
    grid.tab_Kolommen.Add().ColSorting = tSortType::sort_DATEWIN;
    grid.ApplyColumnOrder();
    grid.SetRow(1, {"12/10/2026"});
    grid.SetRow(2, {"not a date"});

    tGridDefaults defaults = ProgramGridDefaults("MM/dd/yyyy");
    grid.ApplyDefaults(defaults);
    EXPECT_EQ(grid.SortKey(1, 0), FormatFixed(EncodeDate(2026, 12, 10) + 1000000000.0, 15, 0));
    EXPECT_EQ(grid.SortKey(2, 0), "");

    defaults.SystemDates = false;
    grid.ApplyDefaults(defaults);
    EXPECT_EQ(grid.SortKey(1, 0), "20261012");
}

TEST(TableSortTest, SortsRowsByKind) {
    const struct {
        const char* Name;
        int Col;
        Texts Names;
        Texts Prices;
        Texts Dates;
        bool Descending;
        Texts Expected; // the names, in the sorted order
    } cases[] = {
        {"numbers by value", 1, {"a", "b", "c"}, {"10", "9", "100"}, {"", "", ""}, false, {"b", "a", "c"}},
        {"numbers as letters", 0, {"10", "9", "100"}, {"", "", ""}, {"", "", ""}, false, {"10", "100", "9"}},
        {"numbers descending", 1, {"a", "b", "c"}, {"10", "9", "100"}, {"", "", ""}, true, {"c", "a", "b"}},
        {"dates by year first",
         2,
         {"a", "b", "c"},
         {"", "", ""},
         {"01/02/2027", "31/12/2026", "15/06/2026"},
         false,
         {"c", "b", "a"}},
        {"equal keys by the other columns",
         1,
         {"zeta", "alpha", "mid"},
         {"5", "5", "1"},
         {"", "", ""},
         false,
         {"mid", "alpha", "zeta"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        tPriceGrid t;
        std::vector<std::vector<std::string>> rows;
        for (std::size_t i = 0; i < c.Names.size(); ++i) {
            rows.push_back({c.Names[i], c.Prices[i], c.Dates[i]});
        }
        t.Fill(rows);
        t.grid.SortRows(c.Col, c.Descending);
        EXPECT_EQ(t.Column(0), c.Expected);
    }
}

TEST(TableSortTest, WholeRowsMoveWithTheirHeightsAndObjects) {
    tPriceGrid t;
    t.Fill({{"b", "2"}, {"c", "3"}, {"a", "1"}});
    t.grid.SetRowHeight(3, 40);
    t.grid.SetObject(3, 3, kCellChecked);
    t.grid.SortRows(0, false);
    EXPECT_EQ(t.Column(1), (Texts{"1", "2", "3"}));
    EXPECT_EQ(t.grid.RowHeight(1), 40);
    EXPECT_TRUE(t.grid.IsChecked(3, 1));
    EXPECT_FALSE(t.grid.IsChecked(3, 3));
}

TEST(TableSortTest, LargeInputsSortInOrder) {
    // Sorted, reversed and all-equal inputs are where a quicksort goes wrong or deep.
    for (const char* order : {"sorted", "reversed", "equal"}) {
        SCOPED_TRACE(order);
        tPriceGrid t;
        const int n = 3000;
        t.grid.SetRowCount(n + 1);
        for (int i = 0; i < n; ++i) {
            const int value = std::string(order) == "sorted"     ? i
                              : std::string(order) == "reversed" ? n - i
                                                                 : 7;
            t.grid.SetRow(i + 1, {"n" + std::to_string(i), std::to_string(value)});
        }
        t.grid.SortRows(1, false);
        for (int row = 2; row <= n; ++row) {
            ASSERT_LE(ToNumber(t.grid.Cell(1, row - 1)), ToNumber(t.grid.Cell(1, row))) << row;
        }
    }
}

TEST(TableSortTest, HeaderClicksSortFlipAndClear) {
    tPriceGrid t;
    t.Fill({{"a", "10"}, {"b", "9"}, {"c", "100"}});
    t.grid.Row = 2;

    EXPECT_TRUE(t.grid.HeaderClicked(1));
    EXPECT_EQ(t.grid.SortState, -2);
    EXPECT_EQ(t.Column(1), (Texts{"9", "10", "100"}));
    EXPECT_EQ(t.grid.Row, 2) << "the cursor keeps its row number";

    EXPECT_TRUE(t.grid.HeaderClicked(1));
    EXPECT_EQ(t.grid.SortState, 2);
    EXPECT_EQ(t.Column(1), (Texts{"100", "10", "9"}));

    EXPECT_TRUE(t.grid.HeaderClicked(0));
    EXPECT_EQ(t.grid.SortState, -1) << "another column starts ascending";

    EXPECT_TRUE(t.grid.HeaderClicked(t.grid.FillerCol()));
    EXPECT_EQ(t.grid.SortState, 0);
    EXPECT_FALSE(t.grid.HeaderClicked(t.grid.FillerCol()));

    // The owner sorts when it wants to.
    std::vector<std::pair<int, bool>> calls;
    t.grid.Events.OnSorting = [&](int col, bool descending) { calls.emplace_back(col, descending); };
    t.grid.HeaderClicked(2);
    t.grid.HeaderClicked(2);
    EXPECT_EQ(calls, (std::vector<std::pair<int, bool>>{{2, false}, {2, true}}));
    EXPECT_EQ(t.Column(0), (Texts{"a", "b", "c"})) << "the built-in sort stays out of the owner's way";

    t.grid.tab_Sorting = false;
    EXPECT_FALSE(t.grid.HeaderClicked(1));
    t.grid.tab_Sorting = true;
    t.grid.SetRowCount(1);
    EXPECT_FALSE(t.grid.HeaderClicked(1)) << "nothing to sort below the header";
}

TEST(TableColumnOrderTest, OrderHidesAndShowsColumns) {
    tPriceGrid t;
    int setups = 0;
    t.grid.Events.OnGridSetup = [&] { ++setups; };
    t.grid.tab_ColumnOrder = "2|0|1|3";
    t.grid.ApplyColumnOrder();
    EXPECT_EQ(t.grid.VisibleIds(), (std::vector<int>{2, 0, 1, 3}));
    EXPECT_EQ(t.grid.ColCount(), 5);
    EXPECT_EQ(t.grid.tab_Kolommen[0].Id, 2) << "the listed definitions move to the front";
    EXPECT_EQ(t.grid.ColumnAt(1).Text, "Naam");
    t.grid.SetColWidth(0, 81);
    t.grid.SetColWidth(1, 121);
    t.grid.SetColWidth(2, 61);
    t.grid.SetColWidth(3, 41);

    // Hiding the second column shifts the widths right of it one place left.
    EXPECT_TRUE(t.grid.HideColumn(0) == false) << "a Required column stays";
    EXPECT_TRUE(t.grid.HideColumn(1));
    EXPECT_EQ(t.grid.tab_ColumnOrder, "2|0|3");
    EXPECT_EQ(t.grid.ColCount(), 4);
    EXPECT_EQ((std::vector<int>{t.grid.ColWidth(0), t.grid.ColWidth(1), t.grid.ColWidth(2)}),
              (std::vector<int>{81, 121, 41}));
    EXPECT_EQ(setups, 1);

    // Showing appends the column with its definition's width.
    EXPECT_TRUE(t.grid.ShowColumn(1));
    EXPECT_EQ(t.grid.tab_ColumnOrder, "2|0|3|1");
    EXPECT_EQ(t.grid.ColWidth(3), 60);
    EXPECT_FALSE(t.grid.ShowColumn(1)) << "already visible";
    EXPECT_FALSE(t.grid.ShowColumn(9)) << "no such column";
    EXPECT_EQ(setups, 2);
}

TEST(TableColumnOrderTest, ChoosingNeedsAnOrderAndAnOwnerThatRefills) {
    tPriceGrid t;
    EXPECT_FALSE(t.grid.HideColumn(1)) << "no column order: no column choosing";
    t.grid.tab_ColumnOrder = "0|1|2|3";
    t.grid.ApplyColumnOrder();
    EXPECT_FALSE(t.grid.CanChooseColumns()) << "nobody would refill the grid";
    EXPECT_FALSE(t.grid.HideColumn(1));

    // Without an owner to refill, the table-properties dialog leaves only the header.
    t.Fill({{"a", "1"}, {"b", "2"}});
    t.grid.ApplyProperties({{1, "", true, false}, {0, "", true, true}}, 1);
    EXPECT_EQ(t.grid.tab_ColumnOrder, "1|0");
    EXPECT_EQ(t.grid.RowCount(), 1);
}

TEST(TableColumnOrderTest, OrderTextIsReadSafely) {
    const struct {
        const char* Order;
        std::vector<int> Visible;
    } cases[] = {
        {"", {0, 1, 2, 3}},
        {"3|1", {3, 1}},
        {"1|1|7|x|-2|0", {1, 0}},
        {" 2 | 3 ", {2, 3}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Order);
        tPriceGrid t;
        t.grid.tab_ColumnOrder = c.Order;
        t.grid.ApplyColumnOrder();
        EXPECT_EQ(t.grid.VisibleIds(), c.Visible);
        EXPECT_EQ(t.grid.ColCount(), static_cast<int>(c.Visible.size()) + 1);
    }

    tTableData wide;
    std::string order;
    for (int i = 0; i < 60; ++i) {
        wide.tab_Kolommen.Add();
        order += std::to_string(i) + "|";
    }
    wide.tab_ColumnOrder = order;
    wide.ApplyColumnOrder();
    EXPECT_EQ(static_cast<int>(wide.VisibleIds().size()), kMaxVisibleColumns);
}

TEST(TableColumnOrderTest, SortStaysWithItsColumn) {
    tPriceGrid t;
    t.grid.Events.OnGridSetup = [] {};
    t.grid.tab_ColumnOrder = "0|1|2|3";
    t.grid.ApplyColumnOrder();
    t.Fill({{"a", "1"}, {"b", "2"}});
    t.grid.HeaderClicked(2);
    t.grid.HeaderClicked(2);
    ASSERT_EQ(t.grid.SortState, 3);
    t.grid.HideColumn(1);
    EXPECT_EQ(t.grid.SortState, 2) << "descending on the date column, now one place left";
    t.grid.HideColumn(2);
    EXPECT_EQ(t.grid.SortState, 0) << "the sorted column went";
}

TEST(TableEditTest, ChecksAskFirstAndReport) {
    tPriceGrid t;
    t.Fill({{"a"}, {"b"}});
    std::vector<std::string> events;
    bool allow = true;
    t.grid.Events.CheckChanging = [&](int col, int row, bool old) {
        events.push_back("changing " + std::to_string(col) + "," + std::to_string(row) +
                         (old ? " on" : " off"));
        return allow;
    };
    t.grid.Events.CheckChanged = [&](int col, int row, bool state) {
        events.push_back("changed " + std::to_string(col) + "," + std::to_string(row) +
                         (state ? " on" : " off"));
    };
    EXPECT_TRUE(t.grid.ToggleCheck(3, 1));
    EXPECT_TRUE(t.grid.IsChecked(3, 1));
    allow = false;
    EXPECT_FALSE(t.grid.ToggleCheck(3, 1));
    EXPECT_TRUE(t.grid.IsChecked(3, 1));
    allow = true;
    EXPECT_FALSE(t.grid.ToggleCheck(0, 1)) << "not a check cell";
    t.grid.SetObject(3, 2, kCellInactive);
    EXPECT_FALSE(t.grid.ToggleCheck(3, 2)) << "inactive";
    EXPECT_EQ(events, (Texts{"changing 3,1 off", "changed 3,1 on", "changing 3,1 on"}));

    t.grid.SetAllChecks(false);
    EXPECT_FALSE(t.grid.IsChecked(3, 1));
    t.grid.SetObject(3, 2, 0);
    t.grid.SetAllChecks(true, {2});
    EXPECT_FALSE(t.grid.IsChecked(3, 1));
    EXPECT_TRUE(t.grid.IsChecked(3, 2));
}

TEST(TableEditTest, CellWritesAskBothEventsAndReport) {
    tPriceGrid t;
    t.Fill({{"a", "1"}});
    std::string log;
    t.grid.Events.CellCanChange = [&](int col, int) { return col != 0; };
    t.grid.Events.CellChanging = [&](int, int, const std::string& text) { return IsNumber(text); };
    t.grid.Events.CellChanged = [&](int col, int row, const std::string& text) {
        log += std::to_string(col) + "," + std::to_string(row) + "=" + text + ";";
    };
    EXPECT_FALSE(t.grid.WriteCell(0, 1, "b")) << "CellCanChange refuses";
    EXPECT_FALSE(t.grid.WriteCell(1, 1, "abc")) << "CellChanging refuses";
    EXPECT_TRUE(t.grid.WriteCell(1, 1, "2.5"));
    EXPECT_FALSE(t.grid.WriteCell(1, 0, "1")) << "the header is not data";
    EXPECT_EQ(t.grid.Cell(0, 1), "a");
    EXPECT_EQ(t.grid.Cell(1, 1), "2.5");
    EXPECT_EQ(log, "1,1=2.5;");
}

TEST(TableEditTest, ClipboardTextAndPaste) {
    tPriceGrid t;
    t.Fill({{" Royal Dutch ", "12.5", "01/02/2026"}, {"Bayer", "3.25", ""}});
    EXPECT_EQ(t.grid.ClipboardText({1, 2}, {0, 1, 2, 3}, true, ','),
              "Naam\tKoers\tDatum\tAlarm\r\nRoyal Dutch\t12,5\t01/02/2026\t\r\nBayer\t3,25\t\t\r\n");
    EXPECT_EQ(t.grid.ClipboardText({2}, {1, 0, t.grid.FillerCol()}, false, '.'), "3.25\tBayer\r\n");

    EXPECT_EQ(tTableData::PasteText("12.5\tother\r\nnext"), "12.5");
    EXPECT_EQ(tTableData::PasteText("line\nnext"), "line");
    EXPECT_EQ(tTableData::PasteText(""), "");
}

TEST(TableEditTest, TypeAheadSearchesOnFromTheCurrentRow) {
    tPriceGrid t;
    t.Fill({{"Alpha"}, {"Beta"}, {"Al-Bert"}, {"Bravo"}, {"Gamma"}});
    t.grid.Row = 1;
    EXPECT_EQ(t.grid.TypeAhead('a'), 3) << "from the row after the current one";
    EXPECT_EQ(t.grid.TypeAhead('l'), 1) << "then from the first row";
    EXPECT_EQ(t.grid.TypeAheadText(), "AL");
    EXPECT_EQ(t.grid.TypeAhead('b'), 3) << "punctuation is skipped when comparing";
    EXPECT_EQ(t.grid.TypeAhead('r'), -1) << "neither ALBR nor R alone matches";
    EXPECT_EQ(t.grid.TypeAheadText(), "");
    EXPECT_EQ(t.grid.Row, 3);
    EXPECT_EQ(t.grid.TypeAhead('b'), 4);
    EXPECT_EQ(t.grid.TypeAhead('g'), 5) << "nothing starts with BG: the last key alone";
    EXPECT_EQ(t.grid.TypeAheadText(), "G");
    EXPECT_EQ(t.grid.TypeAhead('-'), -1) << "only letters and digits search";

    t.grid.tab_SearchKolom = 9;
    EXPECT_EQ(t.grid.TypeAhead('g'), -1) << "no such search column";
}

TEST(TableMenuTest, DataAndHeaderMenus) {
    auto captions = [](const std::vector<tTableMenuEntry>& menu) {
        Texts texts;
        for (const auto& entry : menu) {
            texts.push_back(entry.Separator ? "-"
                                            : entry.Caption + (entry.Enabled ? "" : " (off)") +
                                                  (entry.Checked ? " [x]" : ""));
        }
        return texts;
    };
    tPriceGrid t;
    EXPECT_EQ(captions(t.grid.DataMenu(false, true)),
              (Texts{"K&nippen (off)", "&Kopi\xEBren", "&Plakken (off)", "-", "&Alles selecteren",
                     "&Alles AANschakelen", "&Alles UITschakelen", "&Selectie AANschakelen",
                     "&Selectie UITschakelen"}));
    t.grid.tab_Kolommen[3].SetColBtnType(tButtonType::tab_NONE);
    t.grid.tab_ColumnOrder = "0|2";
    t.grid.ApplyColumnOrder();
    EXPECT_EQ(captions(t.grid.DataMenu(true, false)),
              (Texts{"Tabel eigenschappen...", "-", "K&nippen", "&Kopi\xEBren", "&Plakken", "-",
                     "&Alles selecteren"}));

    EXPECT_EQ(captions(t.grid.HeaderMenu(true)),
              (Texts{"Naam (off) [x]", "Datum (off) [x]", "Koers (off)", "Alarm (off)", "-",
                     "Kolommen herschikken", "-", "Tabel eigenschappen..."}));
    t.grid.Events.OnGridSetup = [] {};
    const auto menu = t.grid.HeaderMenu(false);
    EXPECT_EQ(captions(menu),
              (Texts{"Naam (off) [x]", "Datum [x]", "Koers", "Alarm", "-", "Tabel eigenschappen..."}));
    EXPECT_EQ(menu[2].Command, tTableCommand::ToggleColumn);
    EXPECT_EQ(menu[2].ColumnId, 1);
}

TEST(TableMenuTest, HeaderHintNamesTheSortOrder) {
    tTranslation translation;
    RegisterStartupVocabulary(translation);
    tPriceGrid t;
    t.grid.tab_Kolommen[1].Comment = "Laatste koers";
    t.Fill({{"a", "1"}, {"b", "2"}});
    EXPECT_EQ(t.grid.HeaderHint(1, translation), "Laatste koers");
    EXPECT_EQ(t.grid.HeaderHint(0, translation), "") << "no comment, no hint";
    t.grid.HeaderClicked(1);
    EXPECT_EQ(t.grid.HeaderHint(1, translation), "Laatste koers\n(sorted upwards)");
    t.grid.HeaderClicked(1);
    EXPECT_EQ(t.grid.HeaderHint(1, translation), "Laatste koers\n(sorted downwards)");
    EXPECT_EQ(t.grid.HeaderHint(t.grid.FillerCol(), translation), "");
}

TEST(TablePropertiesTest, OkRebuildsOrderWidthsAndRowHeight) {
    const struct {
        int Lines;
        int Height;
        int Stored;
    } cases[] = {{1, 17, 1}, {2, 31, 2}, {3, 48, 3}, {0, 17, 1}, {60, 847, 50}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Lines);
        tPriceGrid t;
        int setups = 0;
        t.grid.Events.OnGridSetup = [&] { ++setups; };
        t.grid.tab_ColumnOrder = "0|1|2";
        t.grid.ApplyColumnOrder();
        t.grid.SetColWidth(0, 300);
        std::vector<tColumnChoice> choices = t.grid.ColumnChoices();
        ASSERT_EQ(choices.size(), 4u);
        EXPECT_EQ(choices[3].Id, 3);
        EXPECT_FALSE(choices[3].Visible);
        std::swap(choices[0], choices[2]); // Datum, Koers, Naam, Alarm
        choices[1].Visible = false;
        choices[3].Visible = true;
        t.grid.ApplyProperties(choices, c.Lines);
        EXPECT_EQ(t.grid.tab_ColumnOrder, "2|0|3");
        EXPECT_EQ(t.grid.ColWidth(1), 120) << "widths back to the definitions'";
        EXPECT_EQ(t.grid.DefaultRowHeight(), c.Height);
        EXPECT_EQ(t.grid.RowHeight(1), c.Height);
        EXPECT_EQ(t.grid.LinesPerRow(), c.Stored);
        EXPECT_EQ(setups, 1);
    }
}

TEST(TableLayoutTest, LayoutRoundTrip) {
    tMemoryStore store;
    {
        tPriceGrid t;
        t.grid.tab_SaveName = "Prices";
        t.grid.tab_ColumnOrder = "0|1|2|3";
        t.grid.Events.OnGridSetup = [] {};
        t.grid.LoadLayout(store);
        t.Fill({{"a", "1"}, {"b", "2"}});
        t.grid.HideColumn(2);
        t.grid.SetColWidth(1, 99);
        t.grid.SetColWidth(t.grid.FillerCol(), 5);
        t.grid.HeaderClicked(1);
        t.grid.HeaderClicked(1);
        t.grid.ApplyProperties(t.grid.ColumnChoices(), 3);
        t.grid.SetColWidth(1, 99);
        t.grid.SaveLayout(store);
    }
    EXPECT_EQ(store.values, (std::map<std::string, std::string>{{"Gridsizing/Prices", "120|99|40|5"},
                                                                {"Gridrows/Prices", "3"},
                                                                {"Gridsorting/Prices", "2"},
                                                                {"Gridorder/Prices", "0|1|3"}}));
    tPriceGrid again;
    again.grid.tab_SaveName = "Prices";
    again.grid.tab_ColumnOrder = "0|1|2|3";
    again.grid.LoadLayout(store);
    EXPECT_EQ(again.grid.VisibleIds(), (std::vector<int>{0, 1, 3}));
    EXPECT_EQ(again.grid.ColWidth(1), 99);
    EXPECT_EQ(again.grid.ColWidth(again.grid.FillerCol()), 5);
    EXPECT_EQ(again.grid.SortState, 2);
    EXPECT_EQ(again.grid.LinesPerRow(), 3);
}

TEST(TableLayoutTest, DamagedOrMissingValuesKeepTheDesign) {
    tMemoryStore store;
    store.values = {{"Gridsizing/Prices", "abc||-5|70000|12"},
                    {"Gridsorting/Prices", "9"},
                    {"Gridrows/Prices", "0"},
                    {"Gridorder/Prices", "7|x"}};
    tPriceGrid t;
    t.grid.tab_SaveName = "Prices";
    t.grid.tab_ColumnOrder = "0|1|2|3";
    t.grid.LoadLayout(store);
    EXPECT_EQ(t.grid.VisibleIds(), (std::vector<int>{0, 1, 2, 3})) << "an order naming no column is ignored";
    EXPECT_EQ(
        (std::vector<int>{t.grid.ColWidth(0), t.grid.ColWidth(1), t.grid.ColWidth(2), t.grid.ColWidth(3)}),
        (std::vector<int>{120, 60, 80, 32767}));
    EXPECT_EQ(t.grid.ColWidth(4), 12);
    EXPECT_EQ(t.grid.SortState, 0) << "no column nine";
    EXPECT_EQ(t.grid.LinesPerRow(), 1);

    // Without a save name nothing is read or written.
    tPriceGrid unnamed;
    unnamed.grid.LoadLayout(store);
    EXPECT_EQ(unnamed.grid.ColWidth(0), 120);
    tMemoryStore empty;
    unnamed.grid.SaveLayout(empty);
    EXPECT_TRUE(empty.values.empty());

    // Without a column order, lines and order are neither written nor read.
    tPriceGrid plain;
    plain.grid.tab_SaveName = "Plain";
    plain.grid.SaveLayout(empty);
    EXPECT_EQ(empty.values.count("Gridorder/Plain"), 0u);
    EXPECT_EQ(empty.values.count("Gridrows/Plain"), 0u);
    EXPECT_EQ(empty.values.at("Gridsorting/Plain"), "0");
}

TEST(TableDefaultsTest, ProgramDefaultsAndTranslatedCaptions) {
    tPriceGrid t;
    t.grid.tab_Kolommen[1].Color = kClOlive;
    t.grid.tab_Kolommen[2].Color = kClRed;
    t.grid.ApplyDefaults(ProgramGridDefaults("dd/MM/yyyy"));
    EXPECT_EQ(t.grid.tab_ColorOdd, kClWindow);
    EXPECT_EQ(t.grid.tab_ColorEven, 0xF5F5F5u);
    EXPECT_EQ(t.grid.tab_Kolommen[1].Color, 0xFFDFDFu);
    EXPECT_EQ(t.grid.tab_Kolommen[2].Color, kClRed);
    EXPECT_EQ(t.grid.tab_HeadColStart, kClWhite) << "no program-wide header colour: the grid's own";

    tTranslation translation;
    RegisterStartupVocabulary(translation);
    t.grid.tab_Kolommen[0].Text = "Kolommen";
    t.grid.tab_Kolommen[0].Comment = "in dalende volgorde";
    t.grid.TranslateColumns(translation);
    EXPECT_EQ(t.grid.tab_Kolommen[0].Text, "Columns");
    EXPECT_EQ(t.grid.tab_Kolommen[0].Comment, "sorted downwards");
    EXPECT_EQ(t.grid.tab_Kolommen[1].Text, "Koers") << "no translation: as written";
}

} // namespace
} // namespace vc
