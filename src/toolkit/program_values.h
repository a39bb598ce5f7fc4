// Values that hold for the whole program run: who we are, where our files live, which instance we
// are and how the user writes dates. Start-up fills one tProgramValues and hands it by reference to
// whoever needs it; there is no global copy.
#pragma once

#include <string>

#include "toolkit/clock.h"
#include "toolkit/grid_defaults.h"

namespace vc {

inline constexpr const char* kProgramName = "Velocrest";
inline constexpr const char* kDdeServiceBaseName = "VELOCREST";

struct tProgramValues {
    std::string ProgramName = kProgramName;
    // The program folder, always ending in "/".
    std::string ProgramDir;
    // The instance's settings file, a full path.
    std::string SettingsFileName;
    // 1 for the first tape on the desktop, 2, 3, ... for further ones.
    int InstanceNumber = 1;
    // "VELOCREST" for the first instance, "VELOCREST2", ... for further ones.
    std::string DdeServiceName = kDdeServiceBaseName;
    // Proxy description of the "General" section; read with the tape, written at shutdown.
    std::string ProxySettings;
    // The user's short date format as a Qt-style pattern (see FormatDate).
    std::string ShortDateFormat = "dd/MM/yyyy";
    // What every table grid takes when its window is loaded; start-up sets the program's choice.
    tGridDefaults GridDefaults;
    // Required: set at start-up, before anything is built on these values, and outliving them.
    // Nothing falls back to the system clock, so a test that sets its own controls all time.
    const tClock* Clock = nullptr;
};

// The DDE service name of an instance: the base name, with the instance number after it from the
// second instance on.
inline std::string DdeServiceNameFor(int instanceNumber) {
    return instanceNumber <= 1 ? std::string(kDdeServiceBaseName)
                               : std::string(kDdeServiceBaseName) + std::to_string(instanceNumber);
}

// The settings file of an instance in programDir (which ends in "/"): "Velocrest.INI" for the first
// instance, "Velocrest_2.INI", "Velocrest_3.INI", ... for further ones. The files are named after the
// product, whatever the executable is called.
std::string SettingsFileNameFor(const std::string& programDir, int instanceNumber);

// The backup beside a settings file: its name up to the last "." + ".BCK". A name without an
// extension gets ".BCK" appended; a "." in a folder name does not count.
std::string BackupFileNameFor(const std::string& settingsFileName);

// Makes values those of instance instanceNumber in values.ProgramDir: the number, the settings
// file and the DDE service name together, so they never disagree.
void SetInstanceNumber(tProgramValues& values, int instanceNumber);

} // namespace vc
