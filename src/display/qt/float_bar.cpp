#include "display/qt/float_bar.h"

#include <QCoreApplication>
#include <QResizeEvent>
#include <QWheelEvent>

namespace vc {

namespace {

constexpr Qt::WindowFlags kTopLevelFlags = Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint;

} // namespace

tFloatBar::tFloatBar(QWidget* parent) : QWidget(parent, parent == nullptr ? kTopLevelFlags : Qt::Widget) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
}

void tFloatBar::SetChild(QWidget* child) {
    if (child == child_) {
        return;
    }
    delete child_;
    child_ = child;
    if (child_ == nullptr) {
        return;
    }
    child_->setParent(this);
    child_->setGeometry(0, 0, width(), child_->height());
    child_->show();
}

void tFloatBar::BecomeChildOf(QWidget* parent) {
    const bool wasVisible = isVisible();
    setParent(parent, Qt::Widget);
    if (wasVisible) {
        show();
    }
}

void tFloatBar::BecomeTopLevel() {
    setParent(nullptr, kTopLevelFlags);
    setAttribute(Qt::WA_ShowWithoutActivating);
    hide();
}

void tFloatBar::ForwardWheel(QWheelEvent* event) {
    if (child_ == nullptr || forwarding_) {
        event->ignore();
        return;
    }
    const QPointF local = child_->mapFrom(this, event->position());
    QWheelEvent copy(local, event->globalPosition(), event->pixelDelta(), event->angleDelta(),
                     event->buttons(), event->modifiers(), event->phase(), event->inverted(),
                     event->source());
    forwarding_ = true;
    QCoreApplication::sendEvent(child_, &copy);
    forwarding_ = false;
    event->setAccepted(copy.isAccepted());
}

void tFloatBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (child_ != nullptr) {
        child_->resize(width(), child_->height());
    }
}

void tFloatBar::wheelEvent(QWheelEvent* event) {
    ForwardWheel(event);
}

} // namespace vc
