// tSpeedControl, the small borderless picture button of the tape (close, options): one frame of a
// strip of square pictures, a raised frame under the mouse and a sunken one while pressed. Also the
// strip of the tape's own button pictures.
#pragma once

#include <QImage>
#include <QWidget>

#include <functional>

namespace vc {

// Frames of ButtonStrip().
inline constexpr int kCloseButtonFrame = 0;
inline constexpr int kOptionsButtonFrame = 1;

// The tape's button pictures: square frames side by side (a cross, a drop-down arrow), drawn
// light with a dark shadow so they read on light and dark skins; the top-left pixel's colour is
// the background.
QImage ButtonStrip();

class tSpeedControl : public QWidget {
public:
    // strip: square frames as high as the strip; imageIndex -1 shows no picture.
    tSpeedControl(QImage strip, int imageIndex, QWidget* parent = nullptr);

    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    bool Down() const { return down_; }
    bool Hot() const { return hot_; }

    // Runs on a click (press and release over the button with the left button).
    std::function<void()> OnClick;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QImage frames_; // the strip with its background colour made transparent
    int imageIndex_;
    bool down_ = false;
    bool hot_ = false;
};

} // namespace vc
