#include "app/qt/tape_view_stand_in.h"

#include <QPainter>

#include "tape/ticker_item.h"
#include "tape/ticker_tape.h"
#include "toolkit/qt/win1252_codec.h"

namespace vc {
namespace {

QString ItemText(const tTickerItem& item) {
    const double change = item.Prev != 0 ? item.Close - item.Prev : 0;
    const double percent = item.Prev != 0 ? change * 100 / item.Prev : 0;
    return QStringLiteral("%1  %2  %3%4 (%5%)     ")
        .arg(FromWin1252(item.Name.empty() ? item.Symbol : item.Name))
        .arg(item.Close, 0, 'f', 2)
        .arg(change >= 0 ? QStringLiteral("+") : QString())
        .arg(change, 0, 'f', 2)
        .arg(percent, 0, 'f', 2);
}

} // namespace

tTapeViewStandIn::tTapeViewStandIn(const tTickerTape& tape, QWidget* parent) : QWidget(parent), tape_(tape) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void tTapeViewStandIn::TimerStep() {
    if (tape_.Paused || tape_.ItemCount() == 0) {
        return;
    }
    offset_ += tape_.Direction >= 0 ? 1 : -1;
    update();
}

void tTapeViewStandIn::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    const QFontMetrics metrics(font());
    int total = 0;
    for (int i = 0; i < tape_.ItemCount(); ++i) {
        total += metrics.horizontalAdvance(ItemText(tape_.ItemAt(i)));
    }
    if (total > 0) {
        const int start = ((offset_ % total) + total) % total;
        const int baseline = (height() + metrics.ascent() - metrics.descent()) / 2;
        for (int x = -start; x < width();) {
            for (int i = 0; i < tape_.ItemCount() && x < width(); ++i) {
                const tTickerItem& item = tape_.ItemAt(i);
                const QString text = ItemText(item);
                painter.setPen(item.Close > item.Prev   ? QColor(80, 220, 80)
                               : item.Close < item.Prev ? QColor(240, 80, 80)
                                                        : QColor(230, 230, 230));
                painter.drawText(x, baseline, text);
                x += metrics.horizontalAdvance(text);
            }
        }
    }
    if (!painted_) {
        painted_ = true;
        if (OnFirstPaint) {
            OnFirstPaint();
        }
    }
}

} // namespace vc
