#include "tape/history.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <system_error>
#include <unistd.h>

#include "toolkit/clock.h"
#include "toolkit/dates.h"
#include "toolkit/file_names.h"
#include "toolkit/text.h"

namespace vc {

std::string HistoryFileName(const tProgramValues& values) {
    return ResolveCaseless(values.ProgramDir, kHistoryFileName).string();
}

bool AppendHistory(const tProgramValues& values, std::string_view line) {
    // Appending adds to the end and never rewrites what is there, so no temporary file is needed:
    // a failed write can at worst leave part of this one line.
    const std::string path = HistoryFileName(values);
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        return false;
    }
    std::string bytes(line);
    bytes += "\r\n";
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    bool ok = true;
    while (left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            ok = false;
            break;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return ::close(fd) == 0 && ok;
}

std::string AlertHistoryLine(const tTickerItem& item, double now, std::string_view shortDateFormat) {
    std::string name = item.DisplayName() + " (" + item.Symbol + ")";
    name.resize(kHistoryNameWidth, ' ');
    const std::string& pending = item.PendingAlertUp.empty() ? item.PendingAlertDown : item.PendingAlertUp;
    return FormatDate(now, shortDateFormat) + " " + ShortTimeOf(now) + "  " + name + "  " + Field(pending, 4);
}

bool WriteAlertHistory(const tProgramValues& values, const tTickerItem& item) {
    return AppendHistory(values, AlertHistoryLine(item, values.Clock->Now(), values.ShortDateFormat));
}

void OpenHistory(const tProgramValues& values, const tTapeHooks& hooks) {
    if (hooks.Shell == nullptr) {
        return;
    }
    const std::string path = HistoryFileName(values);
    std::error_code ec;
    if (std::filesystem::is_regular_file(path, ec)) {
        hooks.Shell->OpenFile(path);
    } else {
        hooks.Shell->Beep();
    }
}

} // namespace vc
