// The history file: one line per alert and per notification outcome, always appended, lines ended
// by CR LF, kept in the program folder.
#pragma once

#include <string>
#include <string_view>

#include "tape/tape_hooks.h"
#include "tape/ticker_item.h"
#include "toolkit/program_values.h"

namespace vc {

inline constexpr const char* kHistoryFileName = "Velocrest History.TXT";
// Width of the name column of an alert line.
inline constexpr std::size_t kHistoryNameWidth = 25;

// The history file's path in the program folder (an existing file of another letter case is used).
std::string HistoryFileName(const tProgramValues& values);
// Appends line + CR LF, creating the file when missing. A failure changes nothing else; the result
// only says whether the line was written, callers are free to ignore it.
bool AppendHistory(const tProgramValues& values, std::string_view line);
// Date (short date format), HH:MM, the name column and the pending alert's message.
std::string AlertHistoryLine(const tTickerItem& item, double now, std::string_view shortDateFormat);
bool WriteAlertHistory(const tProgramValues& values, const tTickerItem& item);
// Opens the history file with the desktop; beeps when there is none.
void OpenHistory(const tProgramValues& values, const tTapeHooks& hooks);

} // namespace vc
