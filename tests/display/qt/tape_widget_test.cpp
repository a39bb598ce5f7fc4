#include "display/qt/tape_widget.h"

#include "support/fake_clock.h"
#include "support/qt/fake_item_renderer.h"
#include "support/temp_dir.h"
#include "tape/alerts.h"
#include "tape/ticker_tape.h"
#include "toolkit/qt/win1252_codec.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace vc {
namespace {

const QColor kColorA(200, 30, 30);
const QColor kColorB(30, 200, 30);
const QColor kColorC(30, 30, 200);
constexpr int kTapeWidth = 1000;
constexpr int kTapeHeight = 20;

// Three narrow items, 100 + 80 + 120 = 300 pixels, on a 1000-pixel tape; the clickable area of each
// is its block without 10 pixels at either side.
class tTapeWidgetTest : public testing::Test {
protected:
    tTapeWidgetTest() {
        values_.ProgramDir = dir_.Path().string() + "/";
        values_.Clock = &clock_;
        renderer_.Height = kTapeHeight;
        renderer_.Looks["A"] = {100, kColorA, {}};
        renderer_.Looks["B"] = {80, kColorB, {}};
        renderer_.Looks["C"] = {120, kColorC, {}};
        tape_.ShowLogos = false;
        widget_.SetTape(&tape_);
        widget_.resize(kTapeWidth, kTapeHeight);
        widget_.IsForeground = [] { return true; };
        widget_.SetHintPause(0);
        // The buttons are children drawn over the strip; only their own test shows them.
        widget_.ShowButtons(false);
        widget_.OnItemClick = [this](tTickerItem* item) {
            clicks_.push_back(item != nullptr ? item->Symbol : "-");
        };
    }

    void AddItems() {
        for (const char* symbol : {"A", "B", "C"}) {
            tape_.AddSymbol(symbol, symbol);
        }
    }
    QImage Paint() { return widget_.grab().toImage(); }

    // Where item 0's left edge lies on the endless strip, from 0 up to the strip's length.
    int StripPos() const {
        int pos = tape_.HeadOffset;
        for (int i = tape_.HeadItem->Index; i < tape_.ItemCount(); ++i) {
            pos += renderer_.LookOf(tape_.ItemAt(i).Symbol).Width;
        }
        return ((pos % 300) + 300) % 300;
    }
    // How far the strip moved since `before`, between -150 and 150.
    int ShiftSince(int before) const {
        int d = ((StripPos() - before) % 300 + 300) % 300;
        return d > 150 ? d - 300 : d;
    }

    void Mouse(QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
        QMouseEvent event(type, QPointF(at), QPointF(widget_.mapToGlobal(at)),
                          type == QEvent::MouseMove ? Qt::NoButton : button, held, Qt::NoModifier);
        QApplication::sendEvent(&widget_, &event);
    }
    void Enter(QPoint at) {
        QEnterEvent event{QPointF(at), QPointF(at), QPointF(widget_.mapToGlobal(at))};
        QApplication::sendEvent(&widget_, &event);
    }
    void Leave() {
        QEvent event(QEvent::Leave);
        QApplication::sendEvent(&widget_, &event);
    }
    // On screen as a frameless window with its top at y, the mouse elsewhere.
    void ShowAt(int y) {
        widget_.setWindowFlag(Qt::FramelessWindowHint);
        widget_.setGeometry(0, y, kTapeWidth, kTapeHeight);
        widget_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget_));
        QCoreApplication::processEvents();
        Leave();
    }
    // A bitmap file below the program folder.
    void Bitmap(const std::string& path, const QImage& image) const {
        const auto file = dir_.Path() / path;
        std::filesystem::create_directories(file.parent_path());
        ASSERT_TRUE(image.save(QFile::decodeName(file.c_str()), "BMP"));
    }
    static QImage Solid(int w, int h, QColor color) {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(color);
        return image;
    }

    test::tTempDir dir_;
    test::tFakeClock clock_;
    tProgramValues values_;
    test::tFakeItemRenderer renderer_;
    tTapeWidget widget_{renderer_, dir_.Path()};
    tTickerTape tape_{values_, tTapeHooks{&widget_, nullptr, nullptr, &widget_}};
    std::vector<std::string> clicks_;
};

// The colour the strip has at tape position x when item 0 starts at pos.
QColor StripColor(int x, int pos) {
    const int p = ((x - pos) % 300 + 300) % 300;
    return p < 100 ? kColorA : (p < 180 ? kColorB : kColorC);
}

TEST_F(tTapeWidgetTest, NarrowItemsRepeatAcrossTheTapeAndStaySeamlessAcrossTheWrap) {
    AddItems();
    Paint();
    // Steps that take the head over each item boundary and the wrap from C back to A.
    int scrolled = 0;
    for (const int steps : {0, 1, 99, 1, 79, 1, 119, 1, 150, 300}) {
        for (int i = 0; i < steps; ++i) {
            widget_.TimerStep();
        }
        scrolled += steps;
        SCOPED_TRACE("after " + std::to_string(scrolled) + " steps");
        const QImage image = Paint();
        ASSERT_EQ(image.width(), kTapeWidth);
        EXPECT_EQ(StripPos(), ((-scrolled) % 300 + 300) % 300);
        int wrong = 0;
        for (int x = 0; x < kTapeWidth; ++x) {
            for (const int y : {0, kTapeHeight - 1}) {
                wrong += image.pixelColor(x, y) != StripColor(x, StripPos()) ? 1 : 0;
            }
        }
        EXPECT_EQ(wrong, 0);
        EXPECT_LE(tape_.HeadOffset, 0);
        EXPECT_GT(tape_.HeadOffset + tape_.HeadItem->ImageWidth, -1);
    }
}

TEST_F(tTapeWidgetTest, ScrollMovesTheHeadAndDiscardsWhatLeavesTheStrip) {
    struct tCase {
        int n;
        const char* head;
        int offset;
        std::vector<std::string> calls;
    };
    const tCase cases[] = {
        {-100, "A", -100, {}},
        {-101, "B", -1, {"discard A"}},
        {-250, "C", -70, {"discard A", "discard B", "draw C"}},
        {1, "C", -119, {"discard C", "draw C"}},
        {201, "A", -99, {"discard C", "draw C", "discard B", "draw B", "discard A", "draw A"}},
        {0, "A", 0, {}},
    };
    // A and B fill the tape; C is drawn only when it comes into view.
    widget_.resize(150, kTapeHeight);
    AddItems();
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.n);
        for (int i = 0; i < tape_.ItemCount(); ++i) {
            tape_.ItemAt(i).DiscardImages();
        }
        tape_.HeadItem = nullptr;
        Paint();
        renderer_.Calls.clear();
        widget_.Scroll(c.n);
        EXPECT_EQ(tape_.HeadItem->Symbol, c.head);
        EXPECT_EQ(tape_.HeadOffset, c.offset);
        EXPECT_EQ(renderer_.Calls, c.calls);
    }
}

TEST_F(tTapeWidgetTest, PicturesWithoutWidthCannotStopPaintingOrScrolling) {
    for (auto& [symbol, look] : renderer_.Looks) {
        look.Width = 0;
    }
    AddItems();
    EXPECT_EQ(Paint().width(), kTapeWidth);
    widget_.Scroll(-5);
    widget_.Scroll(5);
    EXPECT_NE(widget_.ItemAt(500, 5), nullptr);
}

TEST_F(tTapeWidgetTest, HitTestsWalkTheStripFromTheHead) {
    AddItems();
    Paint();
    widget_.Scroll(-20);
    struct tCase {
        int x, y;
        const char* cell; // "" for none
        const char* link;
    };
    const tCase cases[] = {
        {0, 0, "A", "A"},  {79, 19, "A", ""}, {80, 5, "B", ""},  {90, 5, "B", "B"},  {149, 5, "B", "B"},
        {150, 5, "B", ""}, {160, 5, "C", ""}, {279, 5, "C", ""}, {289, 5, "A", ""},  {290, 5, "A", "A"},
        {379, 5, "A", ""}, {50, 20, "", ""},  {50, -1, "", ""},  {999, 5, "B", "B"},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        const tTickerItem* cell = widget_.ItemAt(c.x, c.y);
        const tTickerItem* link = widget_.ItemAtLink(c.x, c.y);
        EXPECT_EQ(cell != nullptr ? cell->Symbol : "", c.cell);
        EXPECT_EQ(link != nullptr ? link->Symbol : "", c.link);
    }
}

TEST_F(tTapeWidgetTest, DragMovesTheStripTwiceAsFarAndSetsTheDirection) {
    struct tCase {
        std::vector<int> moves; // x positions after the press at 150
        int shift;
        int direction;
    };
    const tCase cases[] = {
        {{160, 175, 200}, 100, kDirectionRight},
        {{}, 0, kDirectionLeft},
        {{140, 120}, -60, kDirectionLeft},
        {{250, 150}, 0, kDirectionLeft},
    };
    AddItems();
    Paint();
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.shift);
        tape_.Direction = kDirectionRight;
        const int before = StripPos();
        Mouse(QEvent::MouseButtonPress, {150, 10});
        EXPECT_TRUE(widget_.Paused());
        int x = 150;
        for (const int to : c.moves) {
            x = to;
            Mouse(QEvent::MouseMove, {x, 10});
        }
        clock_.AdvanceMs(500);
        Mouse(QEvent::MouseButtonRelease, {x, 10});
        EXPECT_EQ(ShiftSince(before), c.shift);
        EXPECT_EQ(tape_.Direction, c.direction);
        EXPECT_FALSE(widget_.Paused());
    }
    EXPECT_TRUE(clicks_.empty());
}

TEST_F(tTapeWidgetTest, OnlyAQuickClickReleasedOnTheSameNameIsAClick) {
    struct tCase {
        const char* name;
        int pressX;
        int releaseX;
        int heldMs;
        std::vector<std::string> clicks;
    };
    const tCase cases[] = {
        {"quick on A", 50, 50, 100, {"A"}},
        {"just quick enough", 50, 60, 149, {"A"}},
        {"too slow", 50, 50, 150, {}},
        {"released over B", 50, 140, 10, {}},
        {"pressed between names", 95, 95, 10, {}},
        {"quick on the second A", 350, 350, 0, {"A"}},
    };
    AddItems();
    Paint();
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.name);
        clicks_.clear();
        Mouse(QEvent::MouseButtonPress, {c.pressX, 10});
        clock_.AdvanceMs(c.heldMs);
        Mouse(QEvent::MouseButtonRelease, {c.releaseX, 10});
        EXPECT_EQ(clicks_, c.clicks);
    }
}

TEST_F(tTapeWidgetTest, DoubleClickRaisesOneClickAndOneDoubleClick) {
    AddItems();
    Paint();
    std::vector<std::string> doubles;
    widget_.OnItemDblClick = [&](tTickerItem& item) { doubles.push_back(item.Symbol); };
    Mouse(QEvent::MouseButtonPress, {50, 10});
    Mouse(QEvent::MouseButtonRelease, {50, 10});
    Mouse(QEvent::MouseButtonDblClick, {50, 10});
    Mouse(QEvent::MouseButtonRelease, {50, 10});
    EXPECT_EQ(clicks_, std::vector<std::string>{"A"});
    EXPECT_EQ(doubles, std::vector<std::string>{"A"});
    // The whole cell counts for a double click, not only the name.
    Mouse(QEvent::MouseButtonDblClick, {95, 10});
    EXPECT_EQ(doubles, (std::vector<std::string>{"A", "A"}));
}

TEST_F(tTapeWidgetTest, OneWheelNotchMovesFortyPixelsAndTurnsTheDirection) {
    struct tCase {
        int delta;
        int direction;
        int shift;
        int directionAfter;
    };
    const tCase cases[] = {
        {-120, kDirectionLeft, 40, kDirectionRight}, {-120, kDirectionRight, 40, kDirectionRight},
        {-120, kDirectionHold, 40, kDirectionHold},  {120, kDirectionRight, -40, kDirectionLeft},
        {120, kDirectionLeft, -40, kDirectionLeft},  {120, kDirectionHold, -40, kDirectionLeft},
    };
    AddItems();
    Paint();
    int activity = 0;
    widget_.OnActivity = [&] { ++activity; };
    for (const tCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.delta) + " from " + std::to_string(c.direction));
        tape_.Direction = c.direction;
        const int before = StripPos();
        activity = 0;
        QWheelEvent event(QPointF(50, 10), QPointF(widget_.mapToGlobal(QPoint(50, 10))), QPoint(),
                          QPoint(0, c.delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&widget_, &event);
        EXPECT_EQ(ShiftSince(before), c.shift);
        EXPECT_EQ(tape_.Direction, c.directionAfter);
        EXPECT_GE(activity, 1);
    }
}

TEST_F(tTapeWidgetTest, TimerStepScrollsByDirectionAndRepaintsUnlessPaused) {
    struct tCase {
        int direction;
        bool hover;
        int shift;
        bool repainted;
    };
    const tCase cases[] = {
        {kDirectionLeft, false, -1, true}, {kDirectionRight, false, 1, true},
        {kDirectionHold, false, 0, true},  {0, false, 0, true},
        {kDirectionLeft, true, 0, false},  {kDirectionHold, true, 0, false},
    };
    AddItems();
    ShowAt(0);
    for (const tCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.direction) + (c.hover ? " hovered" : ""));
        tape_.Direction = c.direction;
        if (c.hover) {
            Enter({500, 10});
        }
        renderer_.Flashing = false;
        widget_.repaint();
        const int before = StripPos();
        // A raised alert: the next paint shows the flashing picture.
        renderer_.Flashing = true;
        widget_.TimerStep();
        QCoreApplication::processEvents();
        EXPECT_EQ(ShiftSince(before), c.shift);
        EXPECT_EQ(widget_.Buffer().pixelColor(500, 5) == renderer_.FlashColor, c.repainted);
        if (c.hover) {
            Leave();
        }
    }
}

TEST_F(tTapeWidgetTest, TheMouseOverTheTapeHoldsItAndLeavingResumesTheSameDirection) {
    AddItems();
    Paint();
    tape_.Direction = kDirectionRight;
    const int before = StripPos();
    Enter({500, 10});
    widget_.TimerStep();
    EXPECT_EQ(ShiftSince(before), 0);
    // The model's own hold around a list change ends while the mouse is still here.
    tape_.AddSymbol("D", "D");
    EXPECT_TRUE(widget_.Paused());
    tape_.RemoveItem(tape_.ItemAt(3));
    widget_.TimerStep();
    EXPECT_EQ(ShiftSince(before), 0);
    // A press held while the mouse leaves keeps the tape still until the release.
    Mouse(QEvent::MouseButtonPress, {500, 10});
    Leave();
    widget_.TimerStep();
    EXPECT_EQ(ShiftSince(before), 0);
    clock_.AdvanceMs(500);
    Mouse(QEvent::MouseButtonRelease, {520, 10});
    widget_.TimerStep();
    EXPECT_EQ(ShiftSince(before), 1);
    EXPECT_EQ(tape_.Direction, kDirectionRight);

    Enter({500, 10});
    widget_.TimerStep();
    EXPECT_EQ(ShiftSince(before), 1);
    Leave();
    widget_.TimerStep();
    EXPECT_EQ(ShiftSince(before), 2);
}

TEST_F(tTapeWidgetTest, HoverUnderlinesOneNameAtATime) {
    AddItems();
    Paint();
    Enter({5, 10});
    renderer_.Calls.clear();
    Mouse(QEvent::MouseMove, {50, 10});
    ASSERT_NE(widget_.HotItem(), nullptr);
    EXPECT_EQ(widget_.HotItem()->Symbol, "A");
    EXPECT_EQ(widget_.cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(Paint().pixelColor(50, kTapeHeight - 1), renderer_.UnderlineColor);
    // Straight from A's name to B's.
    Mouse(QEvent::MouseMove, {120, 10});
    EXPECT_EQ(widget_.HotItem()->Symbol, "B");
    Mouse(QEvent::MouseMove, {95, 10});
    EXPECT_EQ(widget_.HotItem(), nullptr);
    EXPECT_EQ(widget_.cursor().shape(), Qt::OpenHandCursor);
    EXPECT_EQ(renderer_.Calls, (std::vector<std::string>{"redraw A underlined", "redraw A plain",
                                                         "redraw B underlined", "redraw B plain"}));
    const QImage image = Paint();
    EXPECT_EQ(image.pixelColor(50, kTapeHeight - 1), kColorA);
    EXPECT_EQ(image.pixelColor(120, kTapeHeight - 1), kColorB);

    // A drag takes the underline away.
    Mouse(QEvent::MouseMove, {50, 10});
    Mouse(QEvent::MouseButtonPress, {50, 10});
    renderer_.Calls.clear();
    Mouse(QEvent::MouseMove, {60, 10});
    EXPECT_EQ(widget_.HotItem(), nullptr);
    ASSERT_FALSE(renderer_.Calls.empty());
    EXPECT_EQ(renderer_.Calls.front(), "redraw A plain");
}

TEST_F(tTapeWidgetTest, AListChangeKeepsTheHoveredAndHeldItemByIdentity) {
    // The mouse hovers and presses B's name (A 0-100, B 100-180, C 180-300); the list changes
    // under it and the button comes up quickly over the same item, if it is still there, or
    // over whatever took its place.
    struct tCase {
        const char* name;
        std::function<void()> change;
        int releaseX;
        const char* hot; // "" for none
        std::vector<std::string> clicks;
    };
    const tCase cases[] = {
        {"an item before B goes", [this] { tape_.RemoveItem(tape_.ItemAt(0)); }, 40, "B", {"B"}},
        {"an item after B goes", [this] { tape_.RemoveItem(tape_.ItemAt(2)); }, 140, "B", {"B"}},
        {"an item is added", [this] { tape_.AddSymbol("D", "D"); }, 140, "B", {"B"}},
        // A new item may be given B's freed memory; it is still not the item pressed.
        {"B goes and D comes",
         [this] {
             tape_.RemoveItem(tape_.ItemAt(1));
             tape_.AddSymbol("D", "D");
         },
         270,
         "",
         {}},
        {"the list is built again",
         [this] {
             tape_.ClearItems();
             AddItems();
         },
         140,
         "",
         {}},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.name);
        tape_.ClearItems();
        AddItems();
        Paint();
        Enter({5, 10});
        Mouse(QEvent::MouseMove, {140, 10});
        Mouse(QEvent::MouseButtonPress, {140, 10});
        ASSERT_NE(widget_.HotItem(), nullptr);
        ASSERT_EQ(widget_.HotItem()->Symbol, "B");
        c.change();
        Paint();
        const tTickerItem* hot = widget_.HotItem();
        EXPECT_EQ(hot != nullptr ? hot->Symbol : "", c.hot);
        clicks_.clear();
        clock_.AdvanceMs(50);
        Mouse(QEvent::MouseButtonRelease, {c.releaseX, 10});
        EXPECT_EQ(clicks_, c.clicks);
        Leave();
    }
}

TEST_F(tTapeWidgetTest, HintsOpenBelowATapeAtTheTopAndAboveOneAtTheBottom) {
    AddItems();
    tape_.ItemAt(0).Close = 11;
    tape_.ItemAt(0).Prev = 10;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    struct tCase {
        int top;
        int hintTop;
    };
    const tCase cases[] = {
        {0, kTapeHeight + 2},
        {screen.height() / 2 - 1, screen.height() / 2 - 1 + kTapeHeight + 2},
        {screen.height() / 2, screen.height() / 2 - kHintAboveTape},
        {screen.height() - kTapeHeight, screen.height() - kTapeHeight - kHintAboveTape},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.top);
        ShowAt(c.top);
        ASSERT_EQ(widget_.mapToGlobal(QPoint(0, 0)).y(), c.top);
        Mouse(QEvent::MouseMove, {95, 10});
        EXPECT_FALSE(widget_.HintShown());
        Mouse(QEvent::MouseMove, {50, 10});
        ASSERT_TRUE(widget_.HintShown());
        EXPECT_EQ(widget_.HintWindow().geometry().top(), c.hintTop);
        QString expected = FromWin1252(ItemSummaryText(tape_.ItemAt(0), clock_, values_.ShortDateFormat));
        expected.replace('\r', '\n');
        while (expected.endsWith('\n')) {
            expected.chop(1);
        }
        EXPECT_FALSE(expected.isEmpty());
        EXPECT_EQ(widget_.HintWindow().text(), expected);
        Mouse(QEvent::MouseMove, {95, 10});
        EXPECT_FALSE(widget_.HintShown());
    }
}

TEST_F(tTapeWidgetTest, HintColourFollowsThePriceMovement) {
    AddItems();
    ShowAt(0);
    const QColor plain = QToolTip::palette().color(QPalette::ToolTipBase);
    struct tCase {
        double close, prev;
        QColor color;
    };
    const tCase cases[] = {
        {11, 10, QColor(0xA6, 0xFF, 0xA6)},
        {9, 10, QColor(0xFF, 0xD2, 0xD2)},
        {10, 10, plain},
        {10, 0, plain},
    };
    int activity = 0;
    widget_.OnActivity = [&] { ++activity; };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.close);
        tape_.ItemAt(1).Close = c.close;
        tape_.ItemAt(1).Prev = c.prev;
        Mouse(QEvent::MouseMove, {95, 10});
        activity = 0;
        Mouse(QEvent::MouseMove, {140, 10});
        ASSERT_TRUE(widget_.HintShown());
        EXPECT_EQ(widget_.HintWindow().palette().color(QPalette::Window), c.color);
        // The move and the hint each tell that the user is here.
        EXPECT_EQ(activity, 2);
    }
}

TEST_F(tTapeWidgetTest, AnEmptyTapeAsksForSymbolsAndAClickOnItReportsNoItem) {
    struct tCase {
        int logoWidth;
        bool showLogos;
        int textLeft;
    };
    const tCase cases[] = {{0, false, 2}, {30, true, 34}, {30, false, 34}};
    QImage logo = Solid(30, kTapeHeight, Qt::blue);
    logo.setPixelColor(29, kTapeHeight - 1, Qt::magenta);
    Bitmap("SKINS/Logo/Logo_LEFT.BMP", logo);
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.logoWidth);
        tape_.SelectSkin(c.logoWidth > 0 ? "Logo" : "None");
        widget_.resize(kTapeWidth, kTapeHeight);
        tape_.ShowLogos = c.showLogos;
        const QImage image = Paint();
        int firstText = -1;
        int strange = 0;
        for (int x = c.showLogos ? c.logoWidth : 0; x < kTapeWidth; ++x) {
            for (int y = 0; y < kTapeHeight; ++y) {
                const QColor p = image.pixelColor(x, y);
                if (p == Qt::black) {
                    continue;
                }
                // Silver text on black: only greys, none lighter than silver.
                strange += p.red() != p.green() || p.green() != p.blue() || p.red() > 0xC0 ? 1 : 0;
                if (firstText < 0 || x < firstText) {
                    firstText = x;
                }
            }
        }
        EXPECT_EQ(strange, 0);
        EXPECT_GE(firstText, c.textLeft);
        EXPECT_LT(firstText, c.textLeft + 4);
        EXPECT_EQ(image.pixelColor(5, 10), c.showLogos ? QColor(Qt::blue) : QColor(Qt::black));
    }
    clicks_.clear();
    Mouse(QEvent::MouseButtonPress, {500, 10});
    clock_.AdvanceMs(1000);
    Mouse(QEvent::MouseButtonRelease, {500, 10});
    EXPECT_EQ(clicks_, std::vector<std::string>{"-"});
}

class tTapeLogoTest : public tTapeWidgetTest {
protected:
    tTapeLogoTest() {
        QImage left = Solid(30, kTapeHeight, Qt::blue);
        left.setPixelColor(29, kTapeHeight - 1, Qt::magenta);
        left.setPixelColor(5, 5, Qt::magenta);
        QImage right = Solid(25, kTapeHeight, Qt::green);
        right.setPixelColor(0, 0, Qt::yellow);
        right.setPixelColor(22, 10, Qt::yellow);
        Bitmap("SKINS/Ends/Logo_LEFT.BMP", left);
        Bitmap("SKINS/Ends/Logo_RIGHT.BMP", right);
        tape_.SelectSkin("Ends");
        widget_.resize(kTapeWidth, kTapeHeight);
        tape_.ShowLogos = true;
        AddItems();
    }
};

TEST_F(tTapeLogoTest, EndLogosCoverTheStripExceptTheirKeyColour) {
    struct tCase {
        int x, y;
        QColor withLogos;
    };
    const tCase cases[] = {
        {10, 10, Qt::blue},  {5, 5, kColorA},   {29, 19, kColorA},  {30, 10, kColorA},
        {990, 5, Qt::green}, {975, 0, kColorA}, {997, 10, kColorA}, {974, 5, kColorA},
    };
    for (const bool show : {true, false}) {
        tape_.ShowLogos = show;
        const QImage image = Paint();
        for (const tCase& c : cases) {
            SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y) + (show ? " shown" : " hidden"));
            EXPECT_EQ(image.pixelColor(c.x, c.y), show ? c.withLogos : StripColor(c.x, 0));
        }
    }
}

TEST_F(tTapeLogoTest, TheLogoBoxesTakePressesAsClicksWithoutAnItem) {
    struct tCase {
        int x, y;
        bool onLogos;
    };
    const tCase cases[] = {{0, 0, true},   {30, 20, true},  {31, 10, false}, {10, 21, false},
                           {975, 5, true}, {999, 19, true}, {974, 5, false}};
    Paint();
    for (const tCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        tape_.ShowLogos = true;
        EXPECT_EQ(widget_.OnEndLogos(c.x, c.y), c.onLogos);
        tape_.ShowLogos = false;
        EXPECT_FALSE(widget_.OnEndLogos(c.x, c.y));
    }
    tape_.ShowLogos = true;
    tape_.Direction = kDirectionRight;
    Mouse(QEvent::MouseButtonPress, {10, 10});
    EXPECT_EQ(widget_.cursor().shape(), Qt::PointingHandCursor);
    // No drag starts on the logos.
    const int before = StripPos();
    Mouse(QEvent::MouseMove, {20, 10});
    clock_.AdvanceMs(1000);
    Mouse(QEvent::MouseButtonRelease, {20, 10});
    EXPECT_EQ(ShiftSince(before), 0);
    EXPECT_EQ(clicks_, std::vector<std::string>{"-"});
    EXPECT_EQ(tape_.Direction, kDirectionRight);
    // A press elsewhere released on the logos is no click.
    Mouse(QEvent::MouseButtonPress, {500, 10});
    Mouse(QEvent::MouseButtonRelease, {10, 10});
    EXPECT_EQ(clicks_, std::vector<std::string>{"-"});
}

TEST_F(tTapeLogoTest, DoubleClickWritesAMissingSkinPreviewOnce) {
    Paint();
    const auto preview = dir_.Path() / "SKINS/Ends/Preview.BMP";
    Mouse(QEvent::MouseButtonDblClick, {50, 10});
    ASSERT_TRUE(std::filesystem::exists(preview));
    const QImage image(QFile::decodeName(preview.c_str()));
    ASSERT_EQ(image.size(), QSize(401, kTapeHeight + 2));
    for (const QPoint p : {QPoint(0, 0), QPoint(200, 0), QPoint(0, 10), QPoint(200, kTapeHeight + 1),
                           QPoint(400, kTapeHeight + 1)}) {
        EXPECT_EQ(image.pixelColor(p), QColor(Qt::black)) << p.x() << "," << p.y();
    }
    EXPECT_EQ(image.pixelColor(1, 1), kColorA);
    EXPECT_EQ(image.pixelColor(101, kTapeHeight), kColorB);
    EXPECT_EQ(image.pixelColor(400, 10), kColorA);

    // A preview that is there is the skin maker's: left alone.
    Bitmap("SKINS/Ends/Preview.BMP", Solid(10, 10, Qt::cyan));
    EXPECT_FALSE(widget_.WritePreview());
    EXPECT_EQ(QImage(QFile::decodeName(preview.c_str())).size(), QSize(10, 10));
}

TEST_F(tTapeWidgetTest, SelectingASkinTakesItsHeightAndDrawsEveryItemAgain) {
    Bitmap("SKINS/Tall/Back_UP.BMP", Solid(50, 24, Qt::darkGreen));
    AddItems();
    Paint();
    renderer_.Calls.clear();
    tape_.SelectSkin("Tall");
    EXPECT_EQ(tape_.Height, 24);
    EXPECT_EQ(widget_.height(), 24);
    EXPECT_EQ(widget_.Skin().ItemHeight, 24);
    EXPECT_EQ(widget_.Skin().SkinName, "Tall");
    EXPECT_EQ(renderer_.Calls, (std::vector<std::string>{"discard A", "discard B", "discard C"}));
}

TEST_F(tTapeWidgetTest, ButtonsSitAtTheRightEndAndCallTheMainWindow) {
    widget_.ShowButtons(true);
    ShowAt(0);
    widget_.resize(kTapeWidth, 24);
    EXPECT_EQ(widget_.CloseButton().geometry(), QRect(kTapeWidth - 19, 4, 15, 15));
    EXPECT_EQ(widget_.OptionsButton().geometry(), QRect(kTapeWidth - 38, 4, 15, 15));
    EXPECT_EQ(widget_.CloseButton().toolTip(), "Close Velocrest");
    EXPECT_EQ(widget_.OptionsButton().toolTip(), "Velocrest options...");
    int closes = 0;
    int options = 0;
    widget_.OnClose = [&] { ++closes; };
    widget_.OnOptions = [&] { ++options; };
    QTest::mouseClick(&widget_.CloseButton(), Qt::LeftButton);
    QTest::mouseClick(&widget_.OptionsButton(), Qt::LeftButton);
    QTest::mouseClick(&widget_.OptionsButton(), Qt::LeftButton);
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(options, 2);

    // The model shows or hides them with its setting.
    tape_.ShowButtons = false;
    tape_.LoadSettings();
    EXPECT_TRUE(widget_.CloseButton().isHidden());
    EXPECT_TRUE(widget_.OptionsButton().isHidden());
    widget_.ShowButtons(true);
    EXPECT_FALSE(widget_.CloseButton().isHidden());
}

TEST_F(tTapeWidgetTest, RightClickOpensTheMenuUnderTheTapeOrAboveTheScreenBottom) {
    AddItems();
    ShowAt(100);
    QMenu menu;
    QMenu* shown = nullptr;
    QPoint at;
    widget_.ShowPopup = [&](QMenu& m, QPoint p) {
        shown = &m;
        at = p;
    };
    Mouse(QEvent::MouseButtonRelease, {300, 10}, Qt::RightButton);
    EXPECT_EQ(shown, nullptr);
    widget_.SetPopupMenu(&menu);
    const int screenHeight = widget_.screen()->geometry().height();
    struct tCase {
        int vertAlign;
        QPoint expected;
    };
    const tCase cases[] = {{kVertAlignTop, QPoint(300, 100 + kTapeHeight)},
                           {kVertAlignBottom, QPoint(300, screenHeight - 60)}};
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.vertAlign);
        tape_.VertAlign = c.vertAlign;
        shown = nullptr;
        Mouse(QEvent::MouseButtonPress, {300, 10}, Qt::RightButton);
        Mouse(QEvent::MouseButtonRelease, {300, 10}, Qt::RightButton);
        EXPECT_EQ(shown, &menu);
        EXPECT_EQ(at, c.expected);
    }
    EXPECT_TRUE(clicks_.empty());
}

TEST_F(tTapeWidgetTest, BringIntoViewShowsTheItemNearTheLeftEnd) {
    AddItems();
    Paint();
    for (const auto& [symbol, head] : std::map<std::string, std::string>{{"B", "A"}, {"A", "C"}}) {
        SCOPED_TRACE(symbol);
        widget_.BringIntoView(tape_.ItemAt(tape_.IndexOfSymbol(symbol)));
        EXPECT_EQ(tape_.HeadItem->Symbol, head);
        EXPECT_EQ(tape_.HeadOffset, -100);
        const tTickerItem* shown = widget_.ItemAt(renderer_.LookOf(head).Width - 100, 5);
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->Symbol, symbol);
    }
}

} // namespace
} // namespace vc
