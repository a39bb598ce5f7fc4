#include "app/save_all.h"

#include <cstdio>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include "tape/ini_object.h"
#include "tape/ini_text.h"
#include "tape/ticker_tape.h"
#include "toolkit/message_boxer.h"
#include "toolkit/program_values.h"

namespace vc {
namespace {

// The new file waits under this name until it is complete.
std::string PendingFileFor(const std::string& settingsFileName) {
    return settingsFileName + ".new";
}

std::string NewSettingsText(const tTickerTape& tape, const tProgramValues& values) {
    std::vector<std::pair<std::string, std::optional<std::vector<std::string>>>> kept;
    {
        const tIniObject old(values.SettingsFileName);
        for (const char* section : kKeptSections) {
            kept.emplace_back(section, old.ReadSection(section));
        }
    }
    // An unnamed object is never saved by itself; its text is written below.
    tIniObject fresh;
    tape.SaveSettings(fresh);
    for (auto& [section, lines] : kept) {
        if (lines) {
            fresh.WriteSection(section, *lines);
        }
    }
    fresh.WriteString("General", "ProxySettings", values.ProxySettings);
    return fresh.SaveText();
}

// Makes backup hold the current settings file. A hard link keeps the settings file in place until
// the new one is renamed over it, so there is no moment without one; where links are not possible
// the old file is moved instead. A missing settings file (the first run) leaves no backup.
void KeepBackup(const std::string& settingsFileName, const std::string& backup) {
    if (::access(settingsFileName.c_str(), F_OK) != 0) {
        return;
    }
    std::remove(backup.c_str());
    if (::link(settingsFileName.c_str(), backup.c_str()) != 0) {
        std::rename(settingsFileName.c_str(), backup.c_str());
    }
}

} // namespace

bool SaveAll(const tTickerTape& tape, const tProgramValues& values, const tWriteFn& write) {
    const std::string& fileName = values.SettingsFileName;
    const std::string backup = BackupFileNameFor(fileName);
    if (values.InstanceNumber == -1) {
        std::remove(backup.c_str());
        std::remove(fileName.c_str());
        return ::access(fileName.c_str(), F_OK) != 0;
    }
    const std::string pending = PendingFileFor(fileName);
    const std::string text = NewSettingsText(tape, values);
    // The pending file is only ever made whole, so that a leftover one can be trusted at start.
    if (!WriteFileAtomically(pending, text, write, tInPlace::Never)) {
        if (!FolderRefusesNewFiles(errno)) {
            return false;
        }
        return WriteFileAtomically(fileName, text, write);
    }
    // Grown past what can be read since the start: kept whole rather than becoming a backup that
    // the next save deletes; one that cannot be kept aside is not replaced.
    if (!ini::MayBeReplaced(fileName)) {
        std::remove(pending.c_str());
        return false;
    }
    KeepBackup(fileName, backup);
    if (std::rename(pending.c_str(), fileName.c_str()) != 0) {
        std::remove(pending.c_str());
        // Moved rather than linked: put the old file back where the next start looks for it.
        if (::access(fileName.c_str(), F_OK) != 0) {
            std::rename(backup.c_str(), fileName.c_str());
        }
        return false;
    }
    return true;
}

std::string KeepTooLargeSettings(const std::string& settingsFileName, tMessageBoxer& boxer) {
    if (!ini::IsTooLarge(settingsFileName)) {
        return {};
    }
    const std::string megabytes = std::to_string(ini::MaxFileBytes() >> 20);
    const std::string keptAs = ini::SetAsideIfTooLarge(settingsFileName);
    const std::string text =
        keptAs.empty()
            ? "The settings file " + settingsFileName + " is larger than " + megabytes +
                  " MB and was not read.\xA6It could not be renamed, so it is left as it is and the settings "
                  "of this run will not be saved."
            : "The settings file " + settingsFileName + " is larger than " + megabytes +
                  " MB and was not read.\xA6It has been kept as " + keptAs +
                  "; Velocrest starts with new settings.";
    boxer.Ask(text, kTooLargeCaption, tMsgKind::Warning, kMbOK);
    return keptAs;
}

int RemoveSaveLeftovers(const std::string& settingsFileName) {
    const std::string pending = PendingFileFor(settingsFileName);
    int removed = RemoveTemporaryFilesOf(settingsFileName) + RemoveTemporaryFilesOf(pending);
    struct stat info {};
    if (::lstat(pending.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
        if (::access(settingsFileName.c_str(), F_OK) != 0) {
            std::rename(pending.c_str(), settingsFileName.c_str());
        } else if (std::remove(pending.c_str()) == 0) {
            ++removed;
        }
    }
    return removed;
}

} // namespace vc
