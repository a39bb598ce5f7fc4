// The add-symbol dialog under offscreen Qt, searching the simulated exchange through the program's
// own lookup and HTTP session.
#include "dialogs/qt/add_ticker.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "market/qt/http_async.h"
#include "market/yahoo_database.h"
#include "support/qt/market_process.h"
#include "support/screenshot.h"
#include "tape/tape_test_support.h"
#include "toolkit/grid_defaults.h"
#include "toolkit/qt/kestro_table.h"
#include "toolkit/text.h"
#include "toolkit/translation.h"
#include "toolkit/vocabulary.h"

namespace vc {
namespace {

class AddTickerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        market_ = new test::tMarketProcess;
        ASSERT_TRUE(market_->Start({"--seed", "3", "--clock", "2024-03-15 14:30:05"}))
            << market_->Error().toStdString();
    }
    static void TearDownTestSuite() {
        delete market_;
        market_ = nullptr;
    }

    AddTickerTest() {
        RegisterStartupVocabulary(translation);
        world.Values.GridDefaults = ProgramGridDefaults("dd/MM/yyyy");
        hosts.US = "127.0.0.1:" + std::to_string(market_->Port());
    }

    std::unique_ptr<tScr_AddTicker> Open() {
        auto dialog = std::make_unique<tScr_AddTicker>(
            *world.Tape, translation,
            [this](const std::string& query, const std::string& kind) {
                kinds.push_back(kind);
                tYahooDatabase lookup(session, hosts);
                return lookup.Lookup(lookup.LookupUrl(query, kind, "ALL"));
            },
            nullptr);
        dialog->show();
        return dialog;
    }
    void Type(tScr_AddTicker& dialog, const char* text) {
        dialog.EditTicker()->setText(QString::fromLatin1(text));
        QTest::keyClick(dialog.EditTicker(), Qt::Key_Return);
    }

    static inline test::tMarketProcess* market_ = nullptr;
    test::tTapeWorld world;
    tTranslation translation;
    tFinanceHosts hosts;
    tHttpAsync session;
    std::vector<std::string> kinds;
};

TEST_F(AddTickerTest, SearchListsTheExchangesAnswer) {
    auto dialog = Open();
    EXPECT_FALSE(dialog->BtnSearch()->isEnabled());
    EXPECT_FALSE(dialog->BtnOk()->isEnabled());
    dialog->EditTicker()->setText("   ");
    EXPECT_FALSE(dialog->BtnSearch()->isEnabled()) << "a blank query cannot be searched";

    Type(*dialog, "johnson");
    const tTableData& grid = dialog->Grid()->Data();
    ASSERT_GE(grid.RowCount(), 2);
    EXPECT_EQ(grid.Cell(0, 1), "JNJ");
    EXPECT_EQ(grid.Cell(1, 1), "JOHNSON & JOHNSON");
    EXPECT_EQ(grid.Cell(2, 1), "NYSE");
    EXPECT_EQ(grid.Cell(3, 1), "More...");
    EXPECT_EQ(grid.Cell(0, grid.RowCount() - 1), "JOHNSON") << "the query's own row";
    EXPECT_EQ(grid.Cell(2, grid.RowCount() - 1), "Default");
    EXPECT_TRUE(dialog->LblInfo()->isVisible());
    EXPECT_EQ(dialog->LblInfo()->text().toStdString(),
              std::to_string(grid.RowCount() - 1) + " symbol(s) found");
    EXPECT_FALSE(dialog->BtnImport()->isVisible());
    EXPECT_TRUE(dialog->BtnOk()->isEnabled());
    EXPECT_EQ(kinds, std::vector<std::string>{"S"});

    // A symbol the lookup knows exactly adds no row of its own; an index search asks for indices.
    Type(*dialog, "msft");
    EXPECT_EQ(dialog->Grid()->Data().RowCount(), 2);
    Type(*dialog, "^dj");
    EXPECT_EQ(kinds.back(), "I");
    EXPECT_EQ(dialog->Grid()->Data().Cell(2, 1), "DJI");

    // Typing empties the list.
    dialog->EditTicker()->setText("ms");
    EXPECT_EQ(dialog->Grid()->Data().RowCount(), 1);
    EXPECT_FALSE(dialog->BtnOk()->isEnabled());
    EXPECT_TRUE(dialog->LblInfo()->text().isEmpty());
}

TEST_F(AddTickerTest, OkReturnsTheSelectedRowsInGridOrder) {
    auto dialog = Open();
    Type(*dialog, "corp");
    tKestroTable& grid = *dialog->Grid();
    ASSERT_GE(grid.Data().RowCount(), 4);
    grid.selectionModel()->clearSelection();
    for (const int row : {3, 1}) {
        grid.selectionModel()->select(grid.model()->index(row - 1, 0),
                                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    const std::string first = grid.Data().Cell(0, 1);
    const std::string third = grid.Data().Cell(0, 3);
    QTest::mouseClick(dialog->BtnOk(), Qt::LeftButton);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    ASSERT_EQ(dialog->Chosen().size(), 2u);
    EXPECT_EQ(Field(dialog->Chosen()[0], 1), first);
    EXPECT_EQ(Field(dialog->Chosen()[1], 1), third);
    EXPECT_EQ(Field(dialog->Chosen()[0], 2), UpperText(Field(dialog->Chosen()[0], 2)));
    EXPECT_LE(Field(dialog->Chosen()[0], 2).size(), 20u);
}

TEST_F(AddTickerTest, WebsiteColumnAndDoubleClick) {
    auto dialog = Open();
    Type(*dialog, "msft");
    tTableData& grid = dialog->Grid()->Data();
    std::string hint;
    grid.Events.CellGetHint(3, 1, hint);
    EXPECT_EQ(hint, "Profile for \"" + grid.Cell(1, 1) + "\"...");
    grid.Events.OnHotCellClick(3, 1);
    ASSERT_FALSE(world.Hooks.Urls.empty());
    EXPECT_NE(world.Hooks.Urls.back().find("symbol=MSFT"), std::string::npos) << world.Hooks.Urls.back();

    const QRect cell = dialog->Grid()->visualRect(dialog->Grid()->model()->index(0, 0));
    QTest::mouseDClick(dialog->Grid()->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    ASSERT_EQ(dialog->Chosen().size(), 1u);
    EXPECT_EQ(Field(dialog->Chosen()[0], 1), "MSFT");
}

// The lookup runs the event loop; a second Enter meanwhile must not start a search inside the first.
TEST_F(AddTickerTest, OneSearchAtATime) {
    int calls = 0;
    std::unique_ptr<tScr_AddTicker> dialog;
    dialog = std::make_unique<tScr_AddTicker>(
        *world.Tape, translation,
        [&](const std::string&, const std::string&) {
            ++calls;
            EXPECT_TRUE(dialog->Searching());
            EXPECT_FALSE(dialog->BtnSearch()->isEnabled());
            EXPECT_FALSE(dialog->EditTicker()->isEnabled());
            dialog->Search();
            return std::vector<std::string>{"MSFT|Microsoft Corporation|NYSE|Stock"};
        },
        nullptr);
    dialog->show();
    Type(*dialog, "msft");
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(dialog->Searching());
    EXPECT_TRUE(dialog->BtnSearch()->isEnabled());
    EXPECT_TRUE(dialog->EditTicker()->isEnabled());
    EXPECT_EQ(dialog->Grid()->Data().RowCount(), 2);
}

TEST_F(AddTickerTest, ImportClosesWithEveryRow) {
    auto dialog = Open();
    world.Dir.Write("CSV/list.csv", "MSFT,Microsoft Corp\r\nASML.AS,Asml Holding\r\n");
    world.Dir.Write("CSV/empty.csv", "");
    std::string startedIn;
    dialog->ChooseFile = [&](const std::string& folder) {
        startedIn = folder;
        return world.Dir.File("CSV/empty.csv");
    };
    dialog->Import();
    EXPECT_EQ(startedIn, world.Values.ProgramDir + "CSV/");
    EXPECT_TRUE(dialog->isVisible()) << "an empty list leaves the dialog open";
    dialog->ChooseFile = [&](const std::string&) { return world.Dir.File("CSV/list.csv"); };
    dialog->Import();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->Chosen(), (std::vector<std::string>{"ASML.AS|ASML", "MSFT|MICROSOFT"}))
        << "the list's order";
    EXPECT_EQ(dialog->Grid()->Data().Cell(2, 1), "CSV Import");
}

TEST_F(AddTickerTest, Screenshot) {
    auto dialog = Open();
    Type(*dialog, "bank");
    dialog->resize(420, 330);
    QApplication::processEvents();
    EXPECT_TRUE(dialog->grab().toImage().save(
        QString::fromStdString(test::ScreenshotPath("add_ticker.png").string())));
}

} // namespace
} // namespace vc
