#include "toolkit/grid_defaults.h"

namespace vc {

tGridDefaults ProgramGridDefaults(const std::string& shortDateFormat) {
    tGridDefaults defaults;
    defaults.ColorOdd = kClWindow;
    defaults.ColorEven = 0xF5F5F5;
    defaults.VertLines = true;
    defaults.OliveColor = 0xFFDFDF;
    defaults.RowsPerBand = 1;
    defaults.HotTrack = true;
    defaults.ArrowSet = 2;
    defaults.SystemDates = true;
    defaults.ShowSelection = true;
    defaults.ShortDateFormat = shortDateFormat;
    return defaults;
}

} // namespace vc
