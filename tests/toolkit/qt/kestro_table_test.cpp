#include "toolkit/qt/kestro_table.h"

#include "support/screenshot.h"
#include "toolkit/layout_store.h"
#include "toolkit/qt/table_properties.h"
#include "toolkit/translation.h"
#include "toolkit/vocabulary.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QHelpEvent>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace vc {
namespace {

class tMemoryStore : public tLayoutStore {
public:
    std::string Read(std::string_view section, std::string_view key,
                     std::string_view defaultValue) const override {
        const auto found = values.find(Key(section, key));
        return found != values.end() ? found->second : std::string(defaultValue);
    }
    bool Write(std::string_view section, std::string_view key, std::string_view value) override {
        values[Key(section, key)] = std::string(value);
        return true;
    }
    std::map<std::string, std::string> values;

private:
    static std::string Key(std::string_view section, std::string_view key) {
        return std::string(section) + "|" + std::string(key);
    }
};

constexpr int kCheckCol = 0;
constexpr int kNameCol = 1;
constexpr int kPriceCol = 2;

// Three columns: a check box, a hot name and a right-aligned number.
void DefineColumns(tTableData& data) {
    {
        tKolom& check = data.tab_Kolommen.Add();
        check.Text = "Kies";
        check.Width = 30;
        check.SetColBtnType(tButtonType::tab_CHECKBOX);
    }
    {
        tKolom& name = data.tab_Kolommen.Add();
        name.Text = "Naam";
        name.Width = 90;
        name.ColAlign = tAlignType::tab_LEFT;
        name.HotColumn = true;
    }
    {
        tKolom& price = data.tab_Kolommen.Add();
        price.Text = "Koers";
        price.Width = 70;
        price.ColSorting = tSortType::sort_NUM;
        price.ColAlign = tAlignType::tab_RIGHT;
        price.SetCellAlign(tAlignType::tab_RIGHT);
    }
    data.tab_SearchKolom = 1;
}

void FillRows(tKestroTable& table, const std::vector<std::pair<std::string, std::string>>& rows) {
    tTableData& data = table.Data();
    data.SetRowCount(static_cast<int>(rows.size()) + 1);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        data.SetRow(static_cast<int>(i) + 1, {"", rows[i].first, rows[i].second});
    }
    table.Rebuild();
}

class KestroTable : public ::testing::Test {
protected:
    KestroTable() { RegisterStartupVocabulary(translation); }

    std::unique_ptr<tKestroTable> MakeTable(tLayoutStore* store = nullptr, bool rowSelect = false,
                                            const char* columnOrder = "") {
        auto table = std::make_unique<tKestroTable>();
        DefineColumns(table->Data());
        table->Data().tab_ColumnOrder = columnOrder;
        table->Data().tab_SaveName = "TestGrid";
        table->SetRowSelect(rowSelect);
        table->Load(tGridDefaults{}, translation, store);
        table->resize(320, 200);
        table->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(table.get()));
        return table;
    }

    static QPoint HeaderPoint(const tKestroTable& table, int col) {
        const QHeaderView* header = table.horizontalHeader();
        return {header->sectionViewportPosition(col) + header->sectionSize(col) / 2, header->height() / 2};
    }

    static void ClickHeader(tKestroTable& table, int col) {
        QWidget* area = table.horizontalHeader()->viewport();
        QTest::mousePress(area, Qt::LeftButton, {}, HeaderPoint(table, col));
        QTest::mouseRelease(area, Qt::LeftButton, {}, HeaderPoint(table, col));
    }

    static QPoint CellPoint(const tKestroTable& table, int col, int row, int dx = -1) {
        const QRect rect = table.visualRect(table.model()->index(row - 1, col));
        return {dx < 0 ? rect.center().x() : rect.left() + dx, rect.center().y()};
    }

    static std::vector<std::string> Column(const tKestroTable& table, int col) {
        std::vector<std::string> texts;
        for (int r = 1; r < table.Data().RowCount(); ++r) {
            texts.push_back(table.Data().Cell(col, r));
        }
        return texts;
    }

    tTranslation translation;
};

// A grid filled and scrolled to its last row before it had its final size (a page not yet shown)
// must still show that row whole once it shrinks; a row scrolled out of sight stays out of sight.
TEST_F(KestroTable, SelectedRowStaysWholeWhenTheGridShrinks) {
    auto table = MakeTable();
    std::vector<std::pair<std::string, std::string>> rows;
    for (int i = 0; i < 30; ++i) {
        rows.emplace_back("Row " + std::to_string(i), std::to_string(i));
    }
    FillRows(*table, rows);
    table->Data().Row = 30;
    table->Rebuild();
    const auto whole = [&](int row) {
        return table->viewport()->rect().contains(
            table->visualRect(table->model()->index(row - 1, kNameCol)));
    };
    ASSERT_TRUE(whole(30));
    table->resize(320, 120);
    QApplication::processEvents();
    EXPECT_TRUE(whole(30));

    table->scrollToTop();
    table->resize(320, 100);
    QApplication::processEvents();
    EXPECT_TRUE(whole(1)) << "the user's own scrolling is kept";
}

TEST_F(KestroTable, HeaderClicksSortAscendingThenDescendingAndTheFillerClears) {
    auto table = MakeTable();
    FillRows(*table, {{"Cc", "3"}, {"Aa", "10"}, {"Bb", "2"}});
    table->Data().Row = 2;
    table->Rebuild();

    ClickHeader(*table, kNameCol);
    EXPECT_EQ(Column(*table, kNameCol), (std::vector<std::string>{"Aa", "Bb", "Cc"}));
    EXPECT_EQ(table->Data().SortState, -(kNameCol + 1));
    EXPECT_EQ(table->Data().Row, 2) << "the cursor keeps its row number";
    EXPECT_EQ(table->currentIndex().row(), 1);

    ClickHeader(*table, kNameCol);
    EXPECT_EQ(Column(*table, kNameCol), (std::vector<std::string>{"Cc", "Bb", "Aa"}));
    EXPECT_EQ(table->Data().SortState, kNameCol + 1);

    // Numbers sort as numbers, not as text.
    ClickHeader(*table, kPriceCol);
    EXPECT_EQ(Column(*table, kPriceCol), (std::vector<std::string>{"2", "3", "10"}));

    ClickHeader(*table, table->Data().FillerCol());
    EXPECT_EQ(table->Data().SortState, 0);
}

TEST_F(KestroTable, AHeaderPressThatDoesNotEndAsAClickLeavesTheOrder) {
    struct tCase {
        const char* Name;
        int PressDx; // from the section's left edge; -1 for the middle
        bool ReleaseElsewhere;
    };
    const tCase cases[] = {
        {"release over another column", -1, true},
        {"press on the sizing edge", 2, false},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Name);
        auto table = MakeTable();
        FillRows(*table, {{"Cc", "3"}, {"Aa", "10"}});
        QWidget* area = table->horizontalHeader()->viewport();
        QPoint press = HeaderPoint(*table, kNameCol);
        if (c.PressDx >= 0) {
            press.setX(table->horizontalHeader()->sectionViewportPosition(kNameCol) + c.PressDx);
        }
        const QPoint release = c.ReleaseElsewhere ? HeaderPoint(*table, kPriceCol) : press;
        QTest::mousePress(area, Qt::LeftButton, {}, press);
        QTest::mouseMove(area, release);
        QTest::mouseRelease(area, Qt::LeftButton, {}, release);
        EXPECT_EQ(table->Data().SortState, 0);
        EXPECT_EQ(Column(*table, kNameCol), (std::vector<std::string>{"Cc", "Aa"}));
    }
}

TEST_F(KestroTable, ClickingTheHotCellRaisesOnHotCellClick) {
    struct tCase {
        const char* Name;
        int RowType;
        int Dx;
        bool Raised;
    };
    const tCase cases[] = {
        {"plain row", 0, 30, true},
        {"tree row, beside the button", 7, 30, true},
        {"tree row, on the button", 7, 10, false},
        {"other tree row, on the button", 8, 5, false},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Name);
        auto table = MakeTable();
        FillRows(*table, {{"Aa", "1"}, {"Bb", "2"}});
        std::vector<std::pair<int, int>> clicks;
        table->Data().Events.OnHotCellClick = [&](int col, int row) { clicks.emplace_back(col, row); };
        table->Data().Events.RowGetType = [&](int) { return c.RowType; };

        const QPoint at = CellPoint(*table, kNameCol, 2, c.Dx);
        QTest::mouseMove(table->viewport(), at);
        ASSERT_EQ(table->HotCell(), QPoint(kNameCol, 2));
        EXPECT_EQ(table->viewport()->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, at);
        using tClicks = std::vector<std::pair<int, int>>;
        EXPECT_EQ(clicks, (c.Raised ? tClicks{{kNameCol, 2}} : tClicks{}));

        // Off the hot column the cell is plain again and a click raises nothing.
        QTest::mouseMove(table->viewport(), CellPoint(*table, kPriceCol, 2));
        EXPECT_EQ(table->HotCell(), QPoint(-1, -1));
        clicks.clear();
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, CellPoint(*table, kPriceCol, 2));
        EXPECT_TRUE(clicks.empty());
    }
}

TEST_F(KestroTable, SpaceTogglesTheCheckBoxOfTheCurrentRow) {
    auto table = MakeTable();
    FillRows(*table, {{"Aa", "1"}, {"Bb", "2"}, {"Cc", "3"}});
    std::vector<std::tuple<int, int, bool>> changes;
    table->Data().Events.CheckChanged = [&](int col, int row, bool state) {
        changes.emplace_back(col, row, state);
    };
    table->setCurrentIndex(table->model()->index(1, kPriceCol));
    ASSERT_EQ(table->Data().Row, 2);

    QTest::keyClick(table.get(), Qt::Key_Space);
    EXPECT_TRUE(table->Data().IsChecked(kCheckCol, 2));
    EXPECT_FALSE(table->Data().IsChecked(kCheckCol, 1));
    QTest::keyClick(table.get(), Qt::Key_Space);
    EXPECT_FALSE(table->Data().IsChecked(kCheckCol, 2));
    EXPECT_EQ(changes,
              (std::vector<std::tuple<int, int, bool>>{{kCheckCol, 2, true}, {kCheckCol, 2, false}}));

    // An inactive box stays as it is.
    table->Data().SetObject(kCheckCol, 2, kCellInactive);
    QTest::keyClick(table.get(), Qt::Key_Space);
    EXPECT_FALSE(table->Data().IsChecked(kCheckCol, 2));
    EXPECT_EQ(changes.size(), 2u);
}

TEST_F(KestroTable, ClickingACheckBoxTogglesIt) {
    auto table = MakeTable();
    FillRows(*table, {{"Aa", "1"}, {"Bb", "2"}});
    const QRect cell = table->visualRect(table->model()->index(0, kCheckCol));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.topLeft() + QPoint(8, 7));
    EXPECT_TRUE(table->Data().IsChecked(kCheckCol, 1));
    // Beside the box the click only selects.
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.topLeft() + QPoint(24, 7));
    EXPECT_TRUE(table->Data().IsChecked(kCheckCol, 1));
}

TEST_F(KestroTable, CopyPutsTheSelectionOnTheClipboard) {
    auto table = MakeTable();
    FillRows(*table, {{"Aa", "1.5"}, {"Bb", "2"}, {"Cc", "3"}});
    QGuiApplication::clipboard()->clear();

    // Two cells of two rows.
    table->selectionModel()->select(
        QItemSelection(table->model()->index(0, kNameCol), table->model()->index(1, kPriceCol)),
        QItemSelectionModel::ClearAndSelect);
    QTest::keyClick(table.get(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString("Aa\t1.5\r\nBb\t2\r\n"));

    // Everything selected: the captions come first; Ctrl+Insert copies as well.
    QTest::keyClick(table.get(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(table.get(), Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              QString("Kies\tNaam\tKoers\r\n\tAa\t1.5\r\n\tBb\t2\r\n\tCc\t3\r\n"));
}

TEST_F(KestroTable, PasteAndCutWriteOnlyInAnEditableGridWithoutRowSelection) {
    struct tCase {
        const char* Name;
        bool Editable;
        bool RowSelect;
        bool Writes;
    };
    const tCase cases[] = {
        {"editable", true, false, true},
        {"read-only", false, false, false},
        {"row selection", true, true, false},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Name);
        auto table = MakeTable(nullptr, c.RowSelect);
        table->SetEditable(c.Editable);
        FillRows(*table, {{"Aa", "1"}, {"Bb", "2"}, {"Cc", "3"}});
        table->selectionModel()->select(
            QItemSelection(table->model()->index(0, kNameCol), table->model()->index(1, kNameCol)),
            QItemSelectionModel::ClearAndSelect);
        QGuiApplication::clipboard()->setText("Zz\tignored\r\nsecond line");
        QTest::keyClick(table.get(), Qt::Key_V, Qt::ControlModifier);
        const std::vector<std::string> pasted = c.Writes ? std::vector<std::string>{"Zz", "Zz", "Cc"}
                                                         : std::vector<std::string>{"Aa", "Bb", "Cc"};
        EXPECT_EQ(Column(*table, kNameCol), pasted);

        QTest::keyClick(table.get(), Qt::Key_X, Qt::ControlModifier);
        const std::vector<std::string> cut =
            c.Writes ? std::vector<std::string>{"", "", "Cc"} : std::vector<std::string>{"Aa", "Bb", "Cc"};
        EXPECT_EQ(Column(*table, kNameCol), cut);
    }
}

TEST_F(KestroTable, TypingLettersFindsTheRowAndAClickStartsOver) {
    auto table = MakeTable(nullptr, true);
    FillRows(*table, {{"Alpha", "1"}, {"Bravo", "2"}, {"Beta", "3"}, {"Charlie", "4"}});

    QTest::keyClick(table.get(), Qt::Key_B);
    EXPECT_EQ(table->Data().Row, 2);
    QTest::keyClick(table.get(), Qt::Key_E);
    EXPECT_EQ(table->Data().Row, 3);
    EXPECT_EQ(table->currentIndex().row(), 2);
    EXPECT_EQ(table->SelectedRows(), std::vector<int>{3});

    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, CellPoint(*table, kPriceCol, 1));
    EXPECT_EQ(table->Data().TypeAheadText(), "");
    QTest::keyClick(table.get(), Qt::Key_C);
    EXPECT_EQ(table->Data().Row, 4);
}

TEST_F(KestroTable, HintsComeFromTheColumnCommentAndFromCellGetHintAndWrapNarrow) {
    auto table = MakeTable();
    table->Data().tab_Kolommen[kPriceCol].Comment = "Laatste koers";
    FillRows(*table, {{"Aa", "1"}, {"Bb", "2"}});
    const std::string longHint =
        "This hint is far too long to be shown on one line of two hundred pixels, so it wraps";
    table->Data().Events.CellGetHint = [&](int col, int row, std::string& hint) {
        if (col == kNameCol && row == 2) {
            hint = longHint;
        }
    };
    const auto hintAt = [](QWidget* area, QPoint pos) {
        // A hidden tip lingers for a moment; wait until it is gone so an old text cannot count.
        QToolTip::hideText();
        EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }));
        QHelpEvent event(QEvent::ToolTip, pos, area->mapToGlobal(pos));
        QApplication::sendEvent(area, &event);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    QWidget* header = table->horizontalHeader()->viewport();
    EXPECT_EQ(hintAt(header, HeaderPoint(*table, kPriceCol)), QString("Laatste koers"));
    EXPECT_EQ(hintAt(header, HeaderPoint(*table, kNameCol)), QString());

    const QString wrapped = hintAt(table->viewport(), CellPoint(*table, kNameCol, 2));
    EXPECT_EQ(wrapped.simplified(), QString::fromStdString(longHint));
    const QStringList lines = wrapped.split(u'\n');
    EXPECT_GT(lines.size(), 1);
    for (const QString& line : lines) {
        EXPECT_LE(QFontMetrics(QToolTip::font()).horizontalAdvance(line), 200) << line.toStdString();
    }
    EXPECT_EQ(hintAt(table->viewport(), CellPoint(*table, kNameCol, 1)), QString());
    QToolTip::hideText();
}

TEST_F(KestroTable, TheLayoutSurvivesTheGrid) {
    tMemoryStore store;
    {
        auto table = MakeTable(&store);
        FillRows(*table, {{"Aa", "1"}, {"Bb", "2"}});
        // As the user drags the border.
        table->horizontalHeader()->resizeSection(kNameCol, 123);
        EXPECT_EQ(table->Data().ColWidth(kNameCol), 123);
    }
    EXPECT_FALSE(store.values.empty());
    auto table = MakeTable(&store);
    EXPECT_EQ(table->Data().ColWidth(kNameCol), 123);
    EXPECT_EQ(table->horizontalHeader()->sectionSize(kNameCol), 123);
    EXPECT_EQ(table->Data().ColWidth(kPriceCol), 70);
}

TEST_F(KestroTable, PropertiesDialogReordersHidesAndSetsTheRowHeight) {
    auto table = MakeTable();
    int setups = 0;
    table->Data().Events.OnGridSetup = [&] { ++setups; };
    FillRows(*table, {{"Aa", "1"}, {"Bb", "2"}});
    bool sawDialog = false;
    QTimer::singleShot(0, table.get(), [&] {
        auto* dialog = qobject_cast<tTableProperties*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        sawDialog = true;
        // Hide the name column, move the price column to the front, two lines per row.
        dialog->List()->item(kNameCol)->setCheckState(Qt::Unchecked);
        dialog->List()->setCurrentRow(kPriceCol);
        QTest::mouseClick(dialog->UpButton(), Qt::LeftButton);
        QTest::mouseClick(dialog->UpButton(), Qt::LeftButton);
        dialog->LinesBox()->setValue(2);
        dialog->accept();
    });
    table->ShowTableProperties();
    ASSERT_TRUE(sawDialog);

    EXPECT_EQ(table->Data().VisibleIds(), (std::vector<int>{2, 0}));
    EXPECT_EQ(table->model()->columnCount(), 3);
    EXPECT_GE(setups, 1);
    const int height = table->Data().DefaultRowHeight();
    EXPECT_GT(height, kBaseRowHeight);
    EXPECT_EQ(table->verticalHeader()->sectionSize(0), height);
    EXPECT_EQ(table->Data().LinesPerRow(), 2);
}

TEST_F(KestroTable, TheHeaderMenuHidesAColumnAndIsTranslated) {
    auto table = MakeTable(nullptr, false, "0|1|2");
    int setups = 0;
    table->Data().Events.OnGridSetup = [&] { ++setups; };
    FillRows(*table, {{"Aa", "1"}});

    const auto menu = table->BuildHeaderMenu();
    QStringList texts;
    for (const QAction* action : menu->actions()) {
        texts << action->text();
    }
    EXPECT_EQ(texts,
              (QStringList{"Kies", "Naam", "Koers", "", "Autosize columns", "", "Table properties..."}));
    EXPECT_TRUE(menu->actions()[kNameCol]->isChecked());
    EXPECT_TRUE(menu->grab().save(
        QString::fromStdString(test::ScreenshotPath("kestro_table_header_menu.png").string())));

    // Choose "Naam" in the menu the header pops up.
    bool chose = false;
    QTimer::singleShot(0, table.get(), [&] {
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(popup, nullptr);
        popup->setActiveAction(popup->actions()[kNameCol]);
        QTest::keyClick(popup, Qt::Key_Return);
        chose = true;
    });
    QWidget* area = table->horizontalHeader()->viewport();
    QContextMenuEvent event(QContextMenuEvent::Mouse, HeaderPoint(*table, kNameCol),
                            area->mapToGlobal(HeaderPoint(*table, kNameCol)));
    QApplication::sendEvent(area, &event);
    ASSERT_TRUE(chose);
    EXPECT_EQ(table->Data().VisibleIds(), (std::vector<int>{0, 2}));
    EXPECT_EQ(table->model()->columnCount(), 3);
    EXPECT_EQ(setups, 1);
}

// A picture strip of three 12x12 frames: a red square, a green disc, a blue cross, on magenta.
std::shared_ptr<const tPictureStrip> SampleStrip() {
    auto strip = std::make_shared<tPictureStrip>();
    strip->Width = 36;
    strip->Height = 12;
    strip->Pixels.assign(36 * 12, 0xFFFF00FF);
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 12; ++x) {
            auto at = [&](int frame) -> std::uint32_t& {
                return strip->Pixels[static_cast<std::size_t>(y * 36 + frame * 12 + x)];
            };
            if (x >= 2 && x < 10 && y >= 2 && y < 10) {
                at(0) = 0xFFD02020;
            }
            if ((x - 6) * (x - 6) + (y - 6) * (y - 6) < 20) {
                at(1) = 0xFF20A020;
            }
            if (x == y || x == 11 - y) {
                at(2) = 0xFF2020D0;
            }
        }
    }
    return strip;
}

TEST_F(KestroTable, Screenshot) {
    auto table = std::make_unique<tKestroTable>();
    tTableData& data = table->Data();
    {
        tKolom& k = data.tab_Kolommen.Add();
        k.Text = "Aan";
        k.Width = 34;
        k.SetColBtnType(tButtonType::tab_CHECKBOX);
    }
    {
        tKolom& k = data.tab_Kolommen.Add();
        k.Text = "Naam";
        k.Width = 110;
        k.ColAlign = tAlignType::tab_LEFT;
        k.HotColumn = true;
    }
    {
        tKolom& k = data.tab_Kolommen.Add();
        k.Text = "Symbool";
        k.Width = 70;
        k.BoldFont = true;
        k.ColAlign = tAlignType::tab_LEFT;
    }
    {
        tKolom& k = data.tab_Kolommen.Add();
        k.Text = "Volume";
        k.Width = 54;
        k.ColSorting = tSortType::sort_NUM;
        k.Ellips = tEllipsType::ellips_DECIMAL;
        k.ColAlign = tAlignType::tab_RIGHT;
        k.SetCellAlign(tAlignType::tab_RIGHT);
    }
    {
        tKolom& k = data.tab_Kolommen.Add();
        k.Text = "Status";
        k.Width = 80;
        k.SetCustomBmp(SampleStrip());
    }
    {
        tKolom& k = data.tab_Kolommen.Add();
        k.Text = "Markt";
        k.Width = 70;
        k.Color = kClOlive;
    }
    {
        tKolom& k = data.tab_Kolommen.Add();
        k.Text = "Trend";
        k.Width = 50;
        k.Ellips = tEllipsType::ellips_ARROW;
        k.SetCellAlign(tAlignType::tab_CENTER);
    }
    table->SetRowSelect(true);
    table->Load(ProgramGridDefaults("dd/MM/yyyy"), translation, nullptr);
    struct tRow {
        const char* Name;
        const char* Symbol;
        const char* Volume;
        int Picture;
        const char* Market;
        const char* Trend;
        int Check;
    };
    const tRow rows[] = {
        {"Apple", "AAPL", "2500000", 0, "Nasdaq", "UP", kCellChecked},
        {"Siemens", "SIE.DE", "812", 1, "Xetra", "DOWN", 0},
        {"TotalEnergies", "TTE.PA", "12500", 2, "Euronext", "EQUAL", kCellChecked | kCellInactive},
        {"DAX", "^GDAXI", "0", 1, "Xetra", "UP", kCellInactive},
        {"EUR/USD", "EURUSD=X", "47", 0, "Forex", "DOWN", 0},
    };
    data.SetRowCount(static_cast<int>(std::size(rows)) + 1);
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const int r = static_cast<int>(i) + 1;
        const tRow& row = rows[i];
        data.SetRow(r, {"", row.Name, row.Symbol, row.Volume, "", row.Market, row.Trend});
        data.SetObject(0, r, row.Check);
        data.SetObject(4, r, row.Picture);
    }
    table->resize(560, 150);
    table->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(table.get()));
    table->Rebuild();
    ClickHeader(*table, 1);
    ASSERT_EQ(data.SortState, -2);
    table->setCurrentIndex(table->model()->index(4, 1));
    QTest::mouseMove(table->viewport(), CellPoint(*table, 1, 4));
    ASSERT_EQ(table->HotCell(), QPoint(1, 4));

    const QImage image = table->grab().toImage();
    EXPECT_TRUE(image.save(QString::fromStdString(test::ScreenshotPath("kestro_table.png").string())));
    // Header and check boxes are a matter of single pixels: a magnified copy shows them.
    EXPECT_TRUE(image.copy(0, 0, 280, 60)
                    .scaled(1120, 240)
                    .save(QString::fromStdString(test::ScreenshotPath("kestro_table_zoom.png").string())));

    // The spots that are easy to get wrong: the sorted volume cell shortened, the even band grey,
    // the olive column pale blue, the selected row in the selection colour.
    const auto pixelOf = [&](int col, int row) {
        const QRect rect = table->visualRect(table->model()->index(row - 1, col));
        const QPoint at = table->viewport()->mapTo(table.get(), rect.topLeft() + QPoint(rect.width() - 3, 2));
        return image.pixelColor(at).rgb() & 0xFFFFFF;
    };
    EXPECT_EQ(data.Cell(3, 1), "2500000");
    EXPECT_EQ(pixelOf(2, 1), 0xFFFFFFu) << "odd band";
    EXPECT_EQ(pixelOf(2, 4), 0xF5F5F5u) << "even band";
    EXPECT_EQ(pixelOf(5, 1), 0xDFDFFFu) << "olive column";
    EXPECT_EQ(pixelOf(2, 5), 0xFFC73Cu) << "selected row";

    // The sorted header cell as it is drawn up and while pressed, magnified.
    const int w = table->horizontalHeader()->sectionSize(1);
    const int h = table->horizontalHeader()->height();
    QImage cells(2 * w + 4, h, QImage::Format_ARGB32);
    cells.fill(Qt::white);
    {
        QPainter painter(&cells);
        painter.setFont(table->font());
        table->PaintHeaderCell(painter, QRect(0, 0, w, h), 1, false);
        table->PaintHeaderCell(painter, QRect(w + 4, 0, w, h), 1, true);
    }
    EXPECT_TRUE(
        cells.scaled(cells.size() * 4)
            .save(QString::fromStdString(test::ScreenshotPath("kestro_table_header_cells.png").string())));

    auto dialog = std::make_unique<tTableProperties>(data.ColumnChoices(), 1, translation);
    dialog->resize(320, 260);
    EXPECT_TRUE(
        dialog->grab().save(QString::fromStdString(test::ScreenshotPath("table_properties.png").string())));
}

} // namespace
} // namespace vc
