// Look and behaviour shared by every table grid of the program, set once at start-up and applied by
// each grid when it is loaded. A field left at its "none" value keeps the grid's own setting.
#pragma once

#include <optional>
#include <string>

#include "toolkit/colors.h"

namespace vc {

struct tGridDefaults {
    std::optional<tColor> HeadColStart;
    std::optional<int> HeadColSteps;
    tColor ColorOdd = kClWindow;
    tColor ColorEven = kClWindow;
    bool VertLines = true;
    // Font family and point size for the grid's cells; empty / 0 keeps the window's font.
    std::string FontName;
    int FontSize = 0;
    // Base row height in pixels; 0 keeps the grid's own (17).
    int RowHeight = 0;
    // Column colours of clOlive are drawn in this colour instead.
    tColor OliveColor = kClOlive;
    // Consecutive rows that share one band colour.
    int RowsPerBand = 1;
    bool HotTrack = true;
    // Which of the two arrow picture sets the arrow cells use (1 or 2).
    int ArrowSet = 1;
    // Whether date columns read and shorten dates in the user's short date format.
    bool SystemDates = false;
    bool ShowSelection = true;
    // The user's short date format as a Qt-style pattern (see FormatDate).
    std::string ShortDateFormat = "dd/MM/yyyy";
};

// This program's choice: light grey even bands, a pale blue for olive columns, hot tracking, the
// second arrow set and dates as the user writes them.
tGridDefaults ProgramGridDefaults(const std::string& shortDateFormat);

} // namespace vc
