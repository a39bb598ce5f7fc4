// A tape in a temporary program folder with a fixed clock, and hooks that record what they are
// asked, for the tape tests.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "support/fake_clock.h"
#include "support/temp_dir.h"
#include "tape/ini_text.h"
#include "tape/tape_hooks.h"
#include "tape/ticker_tape.h"
#include "toolkit/dates.h"

namespace vc::test {

class tRecordingHooks final : public tSkinSelector,
                              public tMailAccountSource,
                              public tShellOpener,
                              public tTapeView {
public:
    int SelectSkin(const std::string& skinName) override {
        Skins.push_back(skinName);
        return SkinHeight;
    }
    std::string DefaultMailAccount() override {
        ++MailQueries;
        return MailAccount;
    }
    void OpenUrl(const std::string& url) override { Urls.push_back(url); }
    void OpenFile(const std::string& path) override { Files.push_back(path); }
    void Beep() override { ++Beeps; }
    void Repaint() override { ++Repaints; }
    void ShowButtons(bool visible) override { ButtonsShown.push_back(visible); }

    tTapeHooks All() { return tTapeHooks{this, this, this, this}; }

    int SkinHeight = 24;
    std::string MailAccount;
    std::vector<std::string> Skins;
    int MailQueries = 0;
    std::vector<std::string> Urls;
    std::vector<std::string> Files;
    int Beeps = 0;
    int Repaints = 0;
    std::vector<bool> ButtonsShown;
};

inline const double kTapeNow = EncodeDate(2024, 3, 15) + EncodeTime(14, 30, 5);

class tTapeWorld {
public:
    explicit tTapeWorld(bool withHooks = true, int instance = 1) : Clock(kTapeNow) {
        Values.ProgramDir = Dir.Path().string() + "/";
        Values.SettingsFileName = Dir.File("Velocrest.INI");
        Values.InstanceNumber = instance;
        Values.Clock = &Clock;
        Tape = std::make_unique<tTickerTape>(Values, withHooks ? Hooks.All() : tTapeHooks{});
    }

    tTempDir Dir;
    tFakeClock Clock;
    tProgramValues Values;
    tRecordingHooks Hooks;
    std::unique_ptr<tTickerTape> Tape;
};

// Lowers the size a settings file may have while it lives, so over-limit files stay small.
class tLowerFileLimit {
public:
    explicit tLowerFileLimit(std::size_t limit) { ini::SetMaxFileBytes(limit); }
    ~tLowerFileLimit() { ini::SetMaxFileBytes(ini::kMaxFileBytes); }
    tLowerFileLimit(const tLowerFileLimit&) = delete;
    tLowerFileLimit& operator=(const tLowerFileLimit&) = delete;
};

} // namespace vc::test
