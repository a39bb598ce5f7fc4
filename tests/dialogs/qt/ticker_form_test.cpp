#include "dialogs/qt/ticker_form.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "market/qt/http_async.h"
#include "market/yahoo_xml_news.h"
#include "support/qt/market_process.h"
#include "support/screenshot.h"
#include "tape/tape_test_support.h"
#include "toolkit/qt/kestro_table.h"
#include "toolkit/text.h"
#include "toolkit/translation.h"
#include "toolkit/vocabulary.h"

namespace vc {
namespace {

constexpr int kNewsPage = 2;

// A tape with one symbol that has a price of today, an up alert that fired at 14:00 and a down
// alert still armed, and a day of trades.
struct tPropertiesWorld {
    tPropertiesWorld() {
        RegisterStartupVocabulary(translation);
        world.Values.GridDefaults = ProgramGridDefaults("dd/MM/yyyy");
        item = world.Tape->AddSymbol("ASML.AS", "ASML Holding");
        item->Date = test::kTapeNow;
        item->Close = 50;
        item->Prev = 49.5;
        item->AlertUp = "49";
        item->StampUp = DatePart(test::kTapeNow) + EncodeTime(14, 0, 0);
        item->AlertDown = "45";
        item->RecentTrades = {
            "14/03/2024|17:29:00|49|49.8|49.2|49.5|1000", "15/03/2024|09:05:00|49.5|49.9|49.4|49.9|700",
            "15/03/2024|10:15:00|49.9|50.2|49.7|49.7|400", "15/03/2024|14:30:00|49.7|50.1|49.6|50|900"};
    }

    std::unique_ptr<tScr_TickerForm> Open() {
        return Open([this](const std::string&, std::vector<std::string>& lines) {
            lines = headlines;
            return fetchResult;
        });
    }
    std::unique_ptr<tScr_TickerForm> Open(tNewsFetch fetch) {
        auto form = std::make_unique<tScr_TickerForm>(
            item, *world.Tape, translation,
            [this, fetch](const std::string& symbol, std::vector<std::string>& lines) {
                ++fetches;
                fetchedSymbols.push_back(symbol);
                return fetch(symbol, lines);
            },
            nullptr);
        form->show();
        return form;
    }

    test::tTapeWorld world;
    tTranslation translation;
    tTickerItem* item = nullptr;
    int fetches = 0;
    int fetchResult = 200;
    std::vector<std::string> fetchedSymbols;
    std::vector<std::string> headlines = {
        "14/03/2024|16:00:00|g1|[$$]Chip makers slide (at Wire)|Wire|http://example.test/a",
        "15/03/2024|09:10:00|g2|ASML wins order|Newswire|http://example.test/b",
        "15/03/2024|13:45:00|g3|Shares rise on results and a long title that wraps over two "
        "lines|Daily|http://example.test/c"};
};

TEST(TickerFormTest, SymbolWithoutAPriceCannotTakeThresholds) {
    tPropertiesWorld w;
    w.item->Date = 0;
    w.item->StampUp = 0;
    auto form = w.Open();
    EXPECT_TRUE(form->EditAlertUp()->isReadOnly());
    EXPECT_TRUE(form->EditAlertDown()->isReadOnly());
    EXPECT_EQ(form->PopupUp(), nullptr) << "no menus without a price";
    EXPECT_EQ(form->EditLast()->text(), "");
    form->ChoosePercent(tAlertSide::Up, 0);
    EXPECT_EQ(form->EditAlertUp()->text(), "");

    // The thresholds the item had survive an OK (the boxes stayed empty).
    form->EditName()->setText("ASML");
    QTest::mouseClick(form->BtnOk(), Qt::LeftButton);
    EXPECT_EQ(form->result(), tScr_TickerForm::kResultOk);
    EXPECT_EQ(w.item->Name, "ASML");
    EXPECT_EQ(w.item->AlertUp, "49");
    EXPECT_EQ(w.item->AlertDown, "45");
}

TEST(TickerFormTest, PercentMenusFillTheirOwnBox) {
    tPropertiesWorld w;
    auto form = w.Open();
    ASSERT_NE(form->PopupUp(), nullptr);
    const QList<QAction*> actions = form->PopupUp()->actions();
    ASSERT_EQ(actions.size(), 12);
    EXPECT_EQ(actions[0]->text(), "50.50 (+1.00%)");
    EXPECT_EQ(actions[11]->text(), "Clear Alert");
    EXPECT_EQ(form->PopupDown()->actions()[9]->text(), "45.00 (-10.00%)");

    actions[3]->trigger();
    EXPECT_EQ(form->EditAlertUp()->text(), "51.00");
    EXPECT_FALSE(form->ImageUp()->isVisibleTo(form.get())) << "a new threshold is a new alert";
    form->PopupUp()->actions()[11]->trigger();
    EXPECT_EQ(form->EditAlertUp()->text(), "");
    EXPECT_EQ(form->EditAlertDown()->text(), "45") << "Clear Alert empties only its own side";
    EXPECT_EQ(form->EditAlertUp()->toolTip(), "Click button for percentages");
}

TEST(TickerFormTest, FiredThresholdStaysFiredUnlessEdited) {
    const struct {
        const char* Name;
        bool Edit;
        const char* ExpectedUp;
        bool StampKept;
    } cases[] = {{"left alone", false, "49", true}, {"edited", true, "4955", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        tPropertiesWorld w;
        const double stamp = w.item->StampUp;
        auto form = w.Open();
        EXPECT_TRUE(form->ImageUp()->isVisibleTo(form.get()));
        EXPECT_EQ(form->EditAlertUp()->palette().color(QPalette::Base), QColor(217, 255, 217));
        EXPECT_EQ(form->EditAlertUp()->toolTip(), "Alert generated on\n15/03/2024 14:00:00");
        if (c.Edit) {
            form->EditAlertUp()->setFocus();
            form->EditAlertUp()->end(false);
            QTest::keyClicks(form->EditAlertUp(), "55");
            EXPECT_FALSE(form->ImageUp()->isVisibleTo(form.get()));
            EXPECT_EQ(form->EditAlertUp()->palette().color(QPalette::Base),
                      form->palette().color(QPalette::Base));
        }
        QTest::mouseClick(form->BtnOk(), Qt::LeftButton);
        EXPECT_EQ(w.item->AlertUp, c.ExpectedUp);
        EXPECT_EQ(w.item->StampUp, c.StampKept ? stamp : 0);
    }
}

TEST(TickerFormTest, BoxesRefuseWhatTheyCannotHold) {
    tPropertiesWorld w;
    auto form = w.Open();
    form->EditName()->clear();
    QTest::keyClicks(form->EditName(), "A name of twenty-five chars");
    EXPECT_EQ(form->EditName()->text(), "A name of twenty-fiv");

    form->EditAlertDown()->clear();
    QTest::keyClicks(form->EditAlertDown(), "5a6,5.1");
    EXPECT_EQ(form->EditAlertDown()->text(), "56.51")
        << "a comma is the point, a second point and letters refused";
    EXPECT_EQ(form->EditAlertDown()->toolTip(), "Price is now 13.0% BELOW alert");
}

TEST(TickerFormTest, NewsLoadsOnceOnlyWhenTheDownloadWorks) {
    tPropertiesWorld w;
    w.fetchResult = 404;
    auto form = w.Open();
    EXPECT_EQ(w.fetches, 0) << "nothing is fetched before the page is shown";
    form->Page()->setCurrentIndex(kNewsPage);
    EXPECT_EQ(w.fetches, 1);
    EXPECT_FALSE(form->NewsLoaded());
    EXPECT_EQ(form->GridNews()->Data().RowCount(), 1);
    form->Page()->setCurrentIndex(0);
    w.fetchResult = 200;
    form->Page()->setCurrentIndex(kNewsPage);
    EXPECT_EQ(w.fetches, 2) << "a failed download is tried again on the next visit";
    EXPECT_TRUE(form->NewsLoaded());
    form->Page()->setCurrentIndex(0);
    form->Page()->setCurrentIndex(kNewsPage);
    EXPECT_EQ(w.fetches, 2) << "loaded once";
    EXPECT_EQ(w.fetchedSymbols.front(), "ASML.AS");

    const tTableData& news = form->GridNews()->Data();
    ASSERT_EQ(news.RowCount(), 4);
    EXPECT_EQ(news.Cell(0, 1), "13:45");
    EXPECT_EQ(news.Cell(1, 3), "Chip makers slide (at Wire)") << "paid mark dropped";
    EXPECT_EQ(news.Cell(0, 3), "14/03");
    EXPECT_EQ(news.Object(0, 3), 9);
    EXPECT_EQ(news.Row, 3) << "the last added row ends selected";
    EXPECT_FALSE(form->NoNewsLabel()->isVisibleTo(form.get()));

    // A click on a subject opens its link through the tape.
    form->GridNews()->Data().Events.OnHotCellClick(1, 2);
    ASSERT_FALSE(w.world.Hooks.Urls.empty());
    EXPECT_NE(w.world.Hooks.Urls.back().find("news.html"), std::string::npos);

    // OK keeps the loaded headlines with the item, top to bottom.
    QTest::mouseClick(form->BtnOk(), Qt::LeftButton);
    EXPECT_EQ(w.item->News, (std::vector<std::string>{w.headlines[2], w.headlines[1], w.headlines[0]}));
}

// The news page filled from velocrest-market, whose clock stands at the tape's moment, through the
// program's own HTTP session and feed parser.
TEST(TickerFormTest, NewsFromTheSimulatedExchange) {
    test::tMarketProcess market;
    ASSERT_TRUE(market.Start({"--seed", "3", "--clock", "2024-03-15 14:30:05"}))
        << market.Error().toStdString();
    const std::string host = "127.0.0.1:" + std::to_string(market.Port());
    const tNewsHosts hosts{host, host};
    tHttpAsync session;
    std::vector<std::string> served;
    tPropertiesWorld w;
    auto form = w.Open([&](const std::string& symbol, std::vector<std::string>& lines) {
        tYahooXmlNews news(session, hosts);
        news.Symbol = symbol;
        const int result = news.Fetch();
        served = lines = news.Headlines;
        return result;
    });
    form->resize(460, 400);
    form->Page()->setCurrentIndex(kNewsPage);
    ASSERT_TRUE(form->NewsLoaded());
    ASSERT_GE(served.size(), 5u);
    const tTableData& news = form->GridNews()->Data();
    ASSERT_EQ(news.RowCount(), static_cast<int>(served.size()) + 1);
    // The feed is newest first and the grid adds from the last line up, so its last row is the newest.
    const std::string& newest = served.front();
    const int last = news.RowCount() - 1;
    const std::string title = Field(newest, 4);
    EXPECT_EQ(news.Cell(1, last), title.starts_with("[$$]") ? title.substr(4) : title);
    EXPECT_EQ(news.Cell(0, last), Field(newest, 1) == "15/03/2024" ? Field(newest, 2).substr(0, 5)
                                                                   : Field(newest, 1).substr(0, 5));
    for (const std::string& line : served) {
        EXPECT_TRUE(Field(line, 6).starts_with("http://" + host + "/news/story?id=")) << line;
    }
    QApplication::processEvents();
    EXPECT_TRUE(form->grab().toImage().save(
        QString::fromStdString(test::ScreenshotPath("ticker_form_news_market.png").string())));

    form->Page()->setCurrentIndex(0);
    form->Page()->setCurrentIndex(kNewsPage);
    EXPECT_EQ(w.fetches, 1) << "loaded once";
    EXPECT_EQ(market.Stop(), 0);
    EXPECT_EQ(market.Output().count("GET /rss/2.0/headline?s=ASML.AS&region=US&lang=en-US 200"), 1)
        << market.Output().toStdString();
}

TEST(TickerFormTest, EmptyNewsSaysSo) {
    tPropertiesWorld w;
    w.headlines.clear();
    auto form = w.Open();
    form->Page()->setCurrentIndex(kNewsPage);
    EXPECT_TRUE(form->NewsLoaded());
    EXPECT_TRUE(form->NoNewsLabel()->isVisibleTo(form.get()));
    EXPECT_EQ(form->NoNewsLabel()->text(), "No news available");
}

TEST(TickerFormTest, PricesPageAndMoreButton) {
    tPropertiesWorld w;
    auto form = w.Open();
    const tTableData& prices = form->Grid()->Data();
    ASSERT_EQ(prices.RowCount(), 5);
    EXPECT_EQ(prices.Cell(0, 1), "17:29");
    EXPECT_EQ(prices.Cell(3, 4), "50");
    EXPECT_EQ(prices.Row, 4) << "the last trade is selected";
    // Rows by their last price against the row above: the first keeps the grid colour.
    const auto& events = prices.Events;
    EXPECT_EQ(events.CellGetColorBk(0, 3, 0, kClWhite), 0xD2D2FFu) << "49.7 below 49.9";
    EXPECT_EQ(events.CellGetColorBk(0, 4, 0, kClWhite), 0xD9FFD9u);
    EXPECT_EQ(events.CellGetColorBk(3, 4, 0, kClWhite), 0xC3E6C3u) << "the Last column darkened";
    EXPECT_EQ(events.CellGetColor(0, 1, 0, kClBlack), 0x808080u) << "yesterday's trade in grey";
    EXPECT_EQ(events.CellGetColor(0, 2, 0, kClBlack), 0x800000u);

    // An index in the tens of thousands still shows every digit: its columns widen, none narrows.
    w.item->RecentTrades.push_back("15/03/2024|14:35:00|45296.8|45357.8|45296.8|45354.67|133461");
    auto wide = w.Open();
    const QFontMetrics metrics(wide->Grid()->font());
    for (const int col : {1, 2, 3}) {
        EXPECT_GE(wide->Grid()->columnWidth(col), metrics.horizontalAdvance(QStringLiteral("45354.67")))
            << col;
    }
    EXPECT_EQ(wide->Grid()->columnWidth(0), form->Grid()->columnWidth(0))
        << "the time column keeps its width";
    wide->close();

    QTest::mouseClick(form->BtnMore(), Qt::LeftButton);
    EXPECT_EQ(form->result(), tScr_TickerForm::kResultCancel);
    ASSERT_FALSE(w.world.Hooks.Urls.empty());
    EXPECT_NE(w.world.Hooks.Urls.back().find("profile/index.html"), std::string::npos);
}

TEST(TickerFormTest, Screenshots) {
    tPropertiesWorld w;
    auto form = w.Open();
    form->resize(460, 400);
    QApplication::processEvents();
    const char* names[] = {"ticker_form_general.png", "ticker_form_prices.png", "ticker_form_news.png"};
    for (int page = 0; page < 3; ++page) {
        form->Page()->setCurrentIndex(page);
        QApplication::processEvents();
        const QImage image = form->grab().toImage();
        EXPECT_FALSE(image.isNull());
        EXPECT_TRUE(image.save(QString::fromStdString(test::ScreenshotPath(names[page]).string())));
    }
}

} // namespace
} // namespace vc
