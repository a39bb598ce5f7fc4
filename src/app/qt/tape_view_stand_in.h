// A plain scrolling strip of the tape's items as text (name, last price, change), shown until the
// skinned tape widget takes its place in the main window.
#pragma once

#include <QWidget>

#include <functional>

namespace vc {

class tTickerTape;

class tTapeViewStandIn : public QWidget {
    Q_OBJECT
public:
    // tape must outlive the view.
    explicit tTapeViewStandIn(const tTickerTape& tape, QWidget* parent = nullptr);

    // One scroll step: one pixel in the tape's direction.
    void TimerStep();

    // Runs once, after the first frame was painted.
    std::function<void()> OnFirstPaint;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const tTickerTape& tape_;
    int offset_ = 0;
    bool painted_ = false;
};

} // namespace vc
