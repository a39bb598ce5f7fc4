#include "display/qt/app_bar_form.h"

#include <QEnterEvent>
#include <QGuiApplication>
#include <QResizeEvent>
#include <QScreen>
#include <QWheelEvent>

#include <cmath>

#include "display/qt/float_bar.h"

namespace vc {

namespace {

tScreenRect ToScreenRect(const QRect& rect) {
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

int ToDevice(int value, qreal ratio) {
    return static_cast<int>(std::lround(value * ratio));
}

tScreenRect ToDevice(const QRect& rect, qreal ratio) {
    return {ToDevice(rect.x(), ratio), ToDevice(rect.y(), ratio), ToDevice(rect.width(), ratio),
            ToDevice(rect.height(), ratio)};
}

} // namespace

tAppBarForm::tAppBarForm(std::unique_ptr<tScreenEdgeDock> dock)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      dock_(std::move(dock)) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    hideTimer_.setInterval(kHideDelay);
    hideTimer_.setSingleShot(true);
    connect(&hideTimer_, &QTimer::timeout, this, &tAppBarForm::HideTimerElapsed);

    // Height 0 until the owner sets the real one: nothing reserved yet. The geometry comes first so
    // that the native window is born at the edge rather than at a default size the window manager
    // would report back later.
    const tScreenRect screen = LogicalScreen();
    setGeometry(screen.Left, screen.Top, screen.Width, 0);
    // The window type has to be on the window before the window manager first sees it.
    dock_->MarkAsDock(winId());
    dock_->OnFullScreenChange = [this] { CheckFullScreen(); };
    SetEdgePosition(tDockEdge::Top);
}

tAppBarForm::~tAppBarForm() {
    dock_->OnFullScreenChange = nullptr;
    hideTimer_.stop();
    if (internalWinId() != 0) {
        dock_->ClearStrut(internalWinId());
    }
    // The bar goes before QWidget deletes its children, in whichever mode it is.
    floatBar_.reset();
}

void tAppBarForm::SetFloatBar(std::unique_ptr<tFloatBar> bar, std::function<int()> tapeHeight) {
    floatBar_ = std::move(bar);
    tapeHeight_ = std::move(tapeHeight);
}

int tAppBarForm::TapeHeight() const {
    if (tapeHeight_) {
        return tapeHeight_();
    }
    if (floatBar_ && floatBar_->Child() != nullptr) {
        return floatBar_->Child()->height();
    }
    return kHiddenBarHeight;
}

void tAppBarForm::SetEdgePosition(tDockEdge edge) {
    edge_ = edge;
    const tScreenRect rect = DockRect(LogicalScreen(), edge, height());
    setGeometry(rect.Left, rect.Top, rect.Width, rect.Height);
    UpdateStrut();
}

void tAppBarForm::SetBarHeight(int height) {
    resize(width(), height);
    SetEdgePosition(edge_);
}

void tAppBarForm::SetTopmost(bool topmost) {
    topmost_ = topmost;
    dock_->SetTopmost(winId(), topmost);
    if (floatBar_ && floatBar_->isWindow() && floatBar_->internalWinId() != 0) {
        dock_->SetTopmost(floatBar_->internalWinId(), topmost);
    }
    if (topmost) {
        raise();
    } else {
        lower();
    }
}

void tAppBarForm::ShowIfAutoHide() {
    if (autoHide_) {
        ShowBar();
    }
}

void tAppBarForm::StartHideTimer() {
    if (autoHide_) {
        hideTimer_.start();
    }
}

void tAppBarForm::StopAutoHide() {
    autoHide_ = false;
    suspended_ = 0;
    hideTimer_.stop();
}

void tAppBarForm::SuspendAutoHide() {
    if (!autoHide_) {
        return;
    }
    ++suspended_;
    hideTimer_.stop();
    ShowBar();
}

void tAppBarForm::ResumeAutoHide() {
    if (suspended_ > 0) {
        --suspended_;
    }
    if (suspended_ == 0) {
        StartHideTimer();
    }
}

void tAppBarForm::KeepShown() {
    if (autoHide_ && hideTimer_.isActive()) {
        hideTimer_.start();
    }
}

void tAppBarForm::HideTimerFired() {
    hideTimer_.stop();
    HideBar();
}

void tAppBarForm::HideTimerElapsed() {
    if (suspended_ == 0) {
        HideTimerFired();
    }
}

void tAppBarForm::SlideOut() {
    ShowIfAutoHide();
    StartHideTimer();
}

void tAppBarForm::DockAtStart(bool autoHide, tDockEdge edge) {
    autoHide_ = autoHide;
    edge_ = edge;
    if (autoHide_) {
        SetBarHeight(kStripHeight);
        MakeFloatBarTopLevel(QRect(x(), LogicalScreen().Top + kStripHeight, width(), kHiddenBarHeight));
    } else {
        SetBarHeight(TapeHeight());
        MakeFloatBarChild();
    }
}

void tAppBarForm::ApplyDockSettings(bool autoHide, tDockEdge edge) {
    const bool edgeChanged = edge != edge_;
    edge_ = edge;
    if (autoHide != autoHide_) {
        if (!autoHide) {
            StopAutoHide();
            SetBarHeight(TapeHeight());
            MakeFloatBarChild();
        } else {
            SetBarHeight(kStripHeight);
            autoHide_ = true;
            MakeFloatBarTopLevel(ShownBarGeometry());
            ShowBar();
            hideTimer_.start();
        }
        return;
    }
    if (!edgeChanged) {
        return;
    }
    if (floatBar_) {
        floatBar_->resize(floatBar_->width(), TapeHeight());
    }
    if (autoHide_) {
        SetBarHeight(kStripHeight);
        HideBar();
    } else {
        SetBarHeight(TapeHeight());
    }
}

void tAppBarForm::ApplyTapeHeight() {
    if (autoHide_) {
        // A shown bar above a bottom strip has to grow upwards, not over the strip and off the
        // screen, so it is placed anew.
        if (floatBar_ && floatBar_->isVisible()) {
            ShowBar();
        } else if (floatBar_) {
            floatBar_->resize(floatBar_->width(), TapeHeight());
        }
        KeepShown();
        return;
    }
    if (floatBar_) {
        floatBar_->resize(floatBar_->width(), TapeHeight());
    }
    SetBarHeight(TapeHeight());
}

void tAppBarForm::ShowBar() {
    if (!floatBar_) {
        return;
    }
    floatBar_->setGeometry(ShownBarGeometry());
    floatBar_->show();
}

QRect tAppBarForm::ShownBarGeometry() const {
    const int barHeight = TapeHeight();
    const QRect strip = geometry();
    const int top = edge_ == tDockEdge::Bottom ? strip.top() - barHeight : strip.top() + strip.height();
    return QRect(strip.left(), top, strip.width(), barHeight);
}

void tAppBarForm::HideBar() {
    if (floatBar_) {
        floatBar_->hide();
    }
}

void tAppBarForm::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    hideTimer_.stop();
    ShowIfAutoHide();
}

void tAppBarForm::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    StartHideTimer();
}

void tAppBarForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Whatever in the program changed the height, the bar stays against its edge and reserves what it
    // covers. The window manager's own reports are left alone: while it takes the window in it may
    // pass through stale sizes, and docking to those would chase them.
    if (!event->spontaneous() && height() != strutHeight_) {
        SetEdgePosition(edge_);
    }
}

void tAppBarForm::wheelEvent(QWheelEvent* event) {
    if (floatBar_) {
        floatBar_->ForwardWheel(event);
    } else {
        QWidget::wheelEvent(event);
    }
}

void tAppBarForm::UpdateStrut() {
    strutHeight_ = height();
    const qreal ratio = screen() != nullptr ? screen()->devicePixelRatio() : 1.0;
    const tDockStrut strut =
        DockStrut(NativeVirtualScreen(), NativeScreen(), edge_, ToDevice(height(), ratio));
    if (strut.Empty()) {
        dock_->ClearStrut(winId());
    } else {
        dock_->SetStrut(winId(), strut);
    }
}

void tAppBarForm::CheckFullScreen() {
    const bool fullScreen = dock_->FullScreenActive(NativeScreen());
    if (fullScreen == fullScreenSeen_) {
        return;
    }
    fullScreenSeen_ = fullScreen;
    SetTopmost(!fullScreen);
}

void tAppBarForm::MakeFloatBarTopLevel(const QRect& geometry) {
    if (!floatBar_) {
        return;
    }
    floatBar_->BecomeTopLevel();
    floatBar_->setGeometry(geometry);
    dock_->MarkAsDock(floatBar_->winId());
}

void tAppBarForm::MakeFloatBarChild() {
    if (!floatBar_) {
        return;
    }
    floatBar_->BecomeChildOf(this);
    floatBar_->setGeometry(0, 0, LogicalScreen().Width, height());
    floatBar_->show();
}

tScreenRect tAppBarForm::LogicalScreen() const {
    const QScreen* on = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    return on != nullptr ? ToScreenRect(on->geometry()) : tScreenRect{};
}

tScreenRect tAppBarForm::NativeScreen() const {
    const QScreen* on = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    return on != nullptr ? ToDevice(on->geometry(), on->devicePixelRatio()) : tScreenRect{};
}

tScreenRect tAppBarForm::NativeVirtualScreen() const {
    const QScreen* on = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    return on != nullptr ? ToDevice(on->virtualGeometry(), on->devicePixelRatio()) : tScreenRect{};
}

} // namespace vc
