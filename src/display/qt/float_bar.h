// tFloatBar: the borderless stay-on-top bar that holds the tape. It sits inside the docked main
// window while the bar is always shown, and becomes a window of its own that slides out of the thin
// strip when the bar hides itself.
#pragma once

#include <QWidget>

class QWheelEvent;

namespace vc {

class tFloatBar : public QWidget {
    Q_OBJECT
public:
    explicit tFloatBar(QWidget* parent = nullptr);

    // The one widget the bar holds (the tape). The bar takes it over as a Qt child at 0,0, as wide as
    // the bar, keeping its height; a previous child is deleted.
    void SetChild(QWidget* child);
    QWidget* Child() const { return child_; }

    // Always-shown mode: a plain child of the docked window.
    void BecomeChildOf(QWidget* parent);
    // Auto-hide mode: a frameless stay-on-top window of its own, with no taskbar entry. Hidden
    // afterwards; the caller places and shows it.
    void BecomeTopLevel();

    // Hands a wheel turn to the child as if it had been turned over it; the docked window sends the
    // wheel turns it receives here too.
    void ForwardWheel(QWheelEvent* event);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QWidget* child_ = nullptr;
    // A child that ignores the turn hands it back up to us; it is not sent down again.
    bool forwarding_ = false;
};

} // namespace vc
