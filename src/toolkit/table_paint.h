// The drawing rules of the table grid that do not need a painter: header gradient and border
// colours, band colours, and how a cell's text is shortened to fit. The Qt control measures text
// through a tTextMeasure and draws what these functions decide.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "toolkit/colors.h"
#include "toolkit/kolom.h"

namespace vc {

// A colour with red, green and blue each lowered by steps * amount, none below 0. System colours and
// clNone come back unchanged (they have no channels of their own).
tColor Darken(tColor color, int amount, int steps);

// Colour of header line y (y >= 1; line 1 has the start colour, each next line two steps darker).
tColor HeaderLineColor(tColor start, int colSteps, int y);
// First line of a header of height h drawn in the button face colour instead of the gradient.
int HeaderFaceStart(int height, bool pressed, int pressColOfs);
// The header border colour: start darkened (height + 7) times by colSteps; clGray when that
// leaves it unchanged.
tColor HeaderBorderColor(tColor start, int colSteps, int height);

// Background of a data row when neither the column nor an event sets one: rows in odd bands
// ((row - 1) div rowsPerBand) take colorEven, the others colorOdd.
tColor BandColor(int row, int rowsPerBand, tColor colorOdd, tColor colorEven);

// Text measuring in pixels, supplied by whoever paints.
struct tTextMeasure {
    std::function<int(std::string_view)> Width;
    int AverageCharWidth = 6;
};

// Texts longer than 1000 characters are drawn as their first 997 and "...".
std::string CutLongText(std::string_view text);
// The leading characters that fit into width together with "..."; the text itself when it fits;
// "." when the cell is narrower than three average characters.
std::string EndShortened(std::string_view text, int width, const tTextMeasure& measure);
// "C:\...\file.txt" style: the folder part is given up before the file name. Either separator.
std::string PathShortened(std::string_view text, int width, const tTextMeasure& measure);
// A number too wide for its cell in millions ("2.50M") or thousands ("12.5K"); other texts, and
// numbers that still do not fit, end-shortened.
std::string DecimalShortened(std::string_view text, int width, const tTextMeasure& measure);
// A DD/MM/YYYY text (a time may follow) too wide for its cell: the year to two digits, then the
// year dropped, then end shortening.
std::string DateShortened(std::string_view text, int width, const tTextMeasure& measure);

// The text a data cell shows for its column's Ellips (and sort kind, for date shortening), the
// 1000-character cut applied first. ellips_ARROW shows no text.
std::string CellDisplayText(std::string_view text, const tKolom& column, int width,
                            const tTextMeasure& measure);

// The arrow an ellips_ARROW cell shows: "UP" or a positive number up, "DOWN" or a negative number
// down, "EQUAL" or zero level, anything else none.
enum class tCellArrow { None, Up, Down, Level };
tCellArrow CellArrowOf(std::string_view text);

} // namespace vc
