// tAppBarForm: the window docked at the top or bottom edge of the screen. It reserves its strip on
// the desktop (where the desktop allows it), and in auto-hide mode it is a 2-pixel strip out of which
// the floating bar with the tape slides when the mouse touches it, hiding again 2500 ms after the
// mouse has stopped acting on it. The main window derives from it.
#pragma once

#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

#include "platform/screen_edge_dock.h"

namespace vc {

class tFloatBar;

class tAppBarForm : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHideDelay = 2500;
    // Height of the docked strip while the bar hides itself.
    static constexpr int kStripHeight = 2;
    // Height the hidden floating bar gets at start, before it first slides out.
    static constexpr int kHiddenBarHeight = 20;

    // dock (not null) is the desktop platform's (tDesktopPlatform::CreateScreenEdgeDock) or a
    // test's; the window never picks one itself.
    explicit tAppBarForm(std::unique_ptr<tScreenEdgeDock> dock);
    ~tAppBarForm() override;

    // The floating bar that ShowBar and HideBar move, owned from here on, and where the tape's
    // current height comes from (the bar's child's height when tapeHeight is empty).
    void SetFloatBar(std::unique_ptr<tFloatBar> bar, std::function<int()> tapeHeight = {});
    tFloatBar* FloatBar() const { return floatBar_.get(); }
    int TapeHeight() const;

    bool AutoHide() const { return autoHide_; }
    void SetAutoHide(bool autoHide) { autoHide_ = autoHide; }
    tDockEdge Edge() const { return edge_; }
    bool Topmost() const { return topmost_; }
    // Exposed so that its state can be read and its interval changed; expiry runs HideTimerElapsed.
    QTimer& HideTimer() { return hideTimer_; }
    // False while a dialog holds the bar open (SuspendAutoHide).
    bool HideTimerAttached() const { return suspended_ == 0; }
    tScreenEdgeDock& Dock() { return *dock_; }

    // Docks at edge of the screen with the current height, reserving the strip.
    void SetEdgePosition(tDockEdge edge);
    void SetBarHeight(int height);
    // Out of the way while another window is full screen on this screen, on top otherwise.
    void SetTopmost(bool topmost);

    void ShowIfAutoHide();
    void StartHideTimer();
    void StopAutoHide();
    // Around a dialog: the bar stays shown until the last of nested dialogs is closed.
    void SuspendAutoHide();
    void ResumeAutoHide();
    // Any mouse action on the tape: restarts a running hide timer.
    void KeepShown();
    void HideTimerFired();
    // The hide timer's expiry: hides the bar unless a dialog holds it open.
    void HideTimerElapsed();
    // Slides an auto-hidden bar out and arms its hide timer (first tick, tray icon, alerts).
    void SlideOut();

    // Start-up: takes the mode and edge from the tape's settings and docks accordingly; the caller
    // shows the window afterwards.
    void DockAtStart(bool autoHide, tDockEdge edge);
    // After the settings changed: the new auto-hide mode and edge.
    void ApplyDockSettings(bool autoHide, tDockEdge edge);
    // After the tape's height changed (another skin).
    void ApplyTapeHeight();

    // Shows the floating bar directly above (bottom edge) or below (top edge) this window, as wide
    // as it and as high as the tape; HideBar hides it.
    virtual void ShowBar();
    virtual void HideBar();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void UpdateStrut();
    void CheckFullScreen();
    // Directly above a bottom strip or below a top one, as wide as it, as high as the tape.
    QRect ShownBarGeometry() const;
    void MakeFloatBarTopLevel(const QRect& geometry);
    void MakeFloatBarChild();
    // The screen docked at, in Qt's coordinates and in device pixels.
    tScreenRect LogicalScreen() const;
    tScreenRect NativeScreen() const;
    tScreenRect NativeVirtualScreen() const;

    std::unique_ptr<tScreenEdgeDock> dock_;
    std::unique_ptr<tFloatBar> floatBar_;
    std::function<int()> tapeHeight_;
    QTimer hideTimer_;
    bool autoHide_ = false;
    tDockEdge edge_ = tDockEdge::Top;
    bool topmost_ = true;
    bool fullScreenSeen_ = false;
    int suspended_ = 0;
    // The height the reserved strip was last set for.
    int strutHeight_ = -1;
};

} // namespace vc
