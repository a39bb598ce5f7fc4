// The docked bar against a real X server and window manager: what the desktop reserves for it, its
// window type and desktop, and its stacking state while another window is full screen.
#include "display/qt/app_bar_form.h"

#include <QGuiApplication>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "display/qt/float_bar.h"
#include "platform/qt/desktop_platform_factory.h"
#include "support/fake_environment.h"

namespace vc {
namespace {

// Under a display these tests are about X11 whatever the caller's environment says; this runs before
// main() creates the application.
const bool kOnX11 = [] {
    if (qEnvironmentVariableIsSet("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    return true;
}();

constexpr int kGuardMs = 10000;

class tX11Test : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(kOnX11);
        if (QGuiApplication::platformName() != QLatin1String("xcb")) {
            GTEST_SKIP() << "needs an X server with a window manager: run under scripts/with-x";
        }
        connection_ = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
        root_ = screen->root;
        full_ = QRect(0, 0, screen->width_in_pixels, screen->height_in_pixels);
        if (Cardinals(root_, "_NET_WORKAREA").size() < 4) {
            GTEST_SKIP() << "the window manager publishes no _NET_WORKAREA";
        }
        ASSERT_TRUE(WorkAreaBecomes(full_)) << "something else reserves space";
    }

    xcb_atom_t Atom(const char* name) const {
        auto* reply = xcb_intern_atom_reply(
            connection_, xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
            nullptr);
        const xcb_atom_t atom = reply != nullptr ? reply->atom : XCB_NONE;
        std::free(reply);
        return atom;
    }

    // CARDINAL and ATOM properties alike: 32-bit values.
    std::vector<std::uint32_t> Cardinals(xcb_window_t window, const char* name) const {
        std::vector<std::uint32_t> values;
        auto* reply = xcb_get_property_reply(
            connection_,
            xcb_get_property(connection_, 0, window, Atom(name), XCB_GET_PROPERTY_TYPE_ANY, 0, 4096),
            nullptr);
        if (reply != nullptr && reply->format == 32) {
            const auto* data = static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
            values.assign(data, data + xcb_get_property_value_length(reply) / 4);
        }
        std::free(reply);
        return values;
    }

    QRect WorkArea() const {
        const std::vector<std::uint32_t> v = Cardinals(root_, "_NET_WORKAREA");
        if (v.size() < 4) {
            return {};
        }
        return QRect(static_cast<int>(v[0]), static_cast<int>(v[1]), static_cast<int>(v[2]),
                     static_cast<int>(v[3]));
    }

    // Waits, within a generous guard, until the window manager has caught up.
    bool WorkAreaBecomes(const QRect& expected) const {
        return QTest::qWaitFor([&] { return WorkArea() == expected; }, kGuardMs);
    }

    QRect MappedGeometry(const QWidget& widget) const {
        const auto window = static_cast<xcb_window_t>(widget.winId());
        auto* geometry = xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, window), nullptr);
        auto* origin = xcb_translate_coordinates_reply(
            connection_, xcb_translate_coordinates(connection_, window, root_, 0, 0), nullptr);
        QRect rect;
        if (geometry != nullptr && origin != nullptr) {
            rect = QRect(origin->dst_x, origin->dst_y, geometry->width, geometry->height);
        }
        std::free(geometry);
        std::free(origin);
        return rect;
    }

    bool HasState(const QWidget& widget, const char* state) const {
        const xcb_atom_t atom = Atom(state);
        for (std::uint32_t value : Cardinals(static_cast<xcb_window_t>(widget.winId()), "_NET_WM_STATE")) {
            if (value == atom) {
                return true;
            }
        }
        return false;
    }

    // A docked window holding a red tape of the given height.
    std::unique_ptr<tAppBarForm> MakeBar(int tapeHeight) {
        auto form = std::make_unique<tAppBarForm>(platform_->CreateScreenEdgeDock());
        auto bar = std::make_unique<tFloatBar>();
        auto* tape = new QWidget;
        tape->setAutoFillBackground(true);
        QPalette red = tape->palette();
        red.setColor(QPalette::Window, Qt::red);
        tape->setPalette(red);
        tape->resize(10, tapeHeight);
        bar->SetChild(tape);
        form->SetFloatBar(std::move(bar), [tape] { return tape->height(); });
        return form;
    }

    // The docks come from the desktop platform, as in the program; it writes nothing to hand one out.
    std::unique_ptr<tDesktopPlatform> platform_ =
        CreateDesktopPlatform(test::FakeEnvironment({{"HOME", "/nonexistent"}}));
    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = XCB_NONE;
    QRect full_;
};

TEST_F(tX11Test, TheWorkAreaLeavesOutTheDockedBarAndComesBackWhenItCloses) {
    struct tCase {
        const char* Name;
        tDockEdge Edge;
        bool AutoHide;
        int TapeHeight;
    };
    const tCase cases[] = {
        {"bottom", tDockEdge::Bottom, false, 24},        {"top", tDockEdge::Top, false, 24},
        {"taller bottom", tDockEdge::Bottom, false, 40}, {"auto-hide bottom", tDockEdge::Bottom, true, 24},
        {"auto-hide top", tDockEdge::Top, true, 24},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Name);
        auto form = MakeBar(c.TapeHeight);
        form->DockAtStart(c.AutoHide, c.Edge);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        const int reserved = c.AutoHide ? tAppBarForm::kStripHeight : c.TapeHeight;
        const QRect expected = c.Edge == tDockEdge::Top
                                   ? QRect(0, reserved, full_.width(), full_.height() - reserved)
                                   : QRect(0, 0, full_.width(), full_.height() - reserved);
        EXPECT_TRUE(WorkAreaBecomes(expected))
            << "work area stayed " << WorkArea().y() << "+" << WorkArea().height();

        // The bar itself covers exactly the reserved strip.
        const QRect strip(0, c.Edge == tDockEdge::Top ? 0 : full_.height() - reserved, full_.width(),
                          reserved);
        EXPECT_TRUE(QTest::qWaitFor([&] { return MappedGeometry(*form) == strip; }, kGuardMs));
        const auto window = static_cast<xcb_window_t>(form->winId());
        EXPECT_EQ(Cardinals(window, "_NET_WM_WINDOW_TYPE"),
                  std::vector<std::uint32_t>{Atom("_NET_WM_WINDOW_TYPE_DOCK")});
        EXPECT_EQ(Cardinals(window, "_NET_WM_DESKTOP"), std::vector<std::uint32_t>{0xFFFFFFFFu});

        form.reset();
        EXPECT_TRUE(WorkAreaBecomes(full_));
    }
}

TEST_F(tX11Test, ATallerTapeShrinksTheWorkAreaFurther) {
    auto form = MakeBar(24);
    form->DockAtStart(false, tDockEdge::Bottom);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    ASSERT_TRUE(WorkAreaBecomes(QRect(0, 0, full_.width(), full_.height() - 24)));

    form->FloatBar()->Child()->resize(10, 48);
    form->ApplyTapeHeight();
    EXPECT_TRUE(WorkAreaBecomes(QRect(0, 0, full_.width(), full_.height() - 48)));

    form->ApplyDockSettings(true, tDockEdge::Bottom);
    EXPECT_TRUE(WorkAreaBecomes(QRect(0, 0, full_.width(), full_.height() - 2)));
    // The slid-out bar sits right above the strip, with the tape's height.
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form->FloatBar()));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return MappedGeometry(*form->FloatBar()) == QRect(0, full_.height() - 2 - 48, full_.width(), 48);
        },
        kGuardMs));

    form.reset();
    EXPECT_TRUE(WorkAreaBecomes(full_));
}

TEST_F(tX11Test, StepsOutOfTheWayOfAFullScreenWindow) {
    auto form = MakeBar(24);
    form->DockAtStart(false, tDockEdge::Top);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    ASSERT_TRUE(form->Topmost());

    auto film = std::make_unique<QWidget>();
    film->showFullScreen();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(film.get()));
    film->activateWindow();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form->Topmost(); }, kGuardMs));
    EXPECT_TRUE(QTest::qWaitFor([&] { return HasState(*form, "_NET_WM_STATE_BELOW"); }, kGuardMs));

    film.reset();
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->Topmost(); }, kGuardMs));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return HasState(*form, "_NET_WM_STATE_ABOVE") && !HasState(*form, "_NET_WM_STATE_BELOW"); },
        kGuardMs));
}

} // namespace
} // namespace vc
