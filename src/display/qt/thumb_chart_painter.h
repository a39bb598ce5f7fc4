// Paints a tThumbChart into a bitmap of its own size.
#pragma once

#include "display/thumb_chart.h"

#include <QImage>

namespace vc {

// Width x Height, filled with BackColor, the line in LineColor through the points when there are
// at least two. Drawn without antialiasing so that the background can serve as a colour key.
// A null image when the chart has no area.
QImage Draw(const tThumbChart& chart);

} // namespace vc
