// velocrest: one tape per process. Start-up chooses the program folder and this instance's number
// and settings file, sets up the language, and hands everything to the main window.
#include <QApplication>
#include <QElapsedTimer>
#include <QLocale>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "app/close_query.h"
#include "app/qt/main_form.h"
#include "app/save_all.h"
#include "market/market_tables.h"
#include "platform/program_folder.h"
#include "platform/qt/desktop_platform_factory.h"
#include "toolkit/file_names.h"
#include "toolkit/program_values.h"
#include "toolkit/qt/dialog_message_boxer.h"
#include "toolkit/translation.h"
#include "toolkit/vocabulary.h"

namespace {

// The close query asks the desktop's autostart entry through this.
class tPlatformStartupEntry final : public vc::tStartupEntry {
public:
    explicit tPlatformStartupEntry(vc::tDesktopPlatform& platform) : platform_(platform) {}
    bool Exists() override { return platform_.AutostartEnabled(); }
    bool Create(const std::string& executable) override { return platform_.EnableAutostart(executable); }

private:
    vc::tDesktopPlatform& platform_;
};

} // namespace

int main(int argc, char* argv[]) {
    QElapsedTimer sinceStart;
    sinceStart.start();
    // Files named on the command line (an open command of the desktop) are not read: lists are
    // imported by dropping them on the tape.
    QApplication application(argc, argv);
    application.setApplicationName(QString::fromLatin1(vc::kProgramName));
    application.setQuitOnLastWindowClosed(false);

    const vc::tEnvLookup env = vc::SystemEnvironment();
    const std::unique_ptr<vc::tDesktopPlatform> platform = vc::CreateDesktopPlatform(env);
    std::string executable = platform->ExecutablePath();
    if (executable.empty()) {
        executable = QCoreApplication::applicationFilePath().toStdString();
    }

    vc::tSystemClock clock;
    vc::tProgramValues values;
    values.Clock = &clock;
    values.ProgramDir = vc::ResolveProgramDir(env);
    if (values.ProgramDir.empty()) {
        std::fprintf(stderr, "velocrest: no program folder (set VELOCREST_HOME)\n");
        return 1;
    }
    // Every start copies in what the installed data has and the folder lacks (never overwriting),
    // so a folder made by hand or by an older version still gets its skins.
    const vc::tSeedResult seeded = vc::SeedProgramDir(
        values.ProgramDir, vc::FindInstalledDataDir(executable, env, vc::BuildTreeDataDir()));
    if (!seeded.FolderReady) {
        std::fprintf(stderr, "velocrest: cannot create the program folder %s\n", values.ProgramDir.c_str());
        return 1;
    }
    // A run from the build tree finds the messenger helper beside the executable, not in the data.
    std::error_code noTools;
    if (const std::filesystem::path tools = std::filesystem::path(executable).parent_path() / "TOOLS";
        std::filesystem::is_directory(tools, noTools)) {
        vc::SeedProgramDir(vc::ResolveCaseless(values.ProgramDir, "TOOLS").string(), tools.string());
    }
    // Held until the process ends, so no other instance takes this number and its settings file.
    const std::unique_ptr<vc::tInstanceLock> instance = platform->AcquireInstanceNumber(values.ProgramDir);
    if (!instance) {
        std::fprintf(stderr, "velocrest: no free instance number in %s\n", values.ProgramDir.c_str());
        return 1;
    }
    vc::SetInstanceNumber(values, instance->Number());
    // The lock makes this instance the only writer of its settings file, so whatever temporary
    // files lie beside it are from saves of an earlier run that died part-way.
    vc::RemoveSaveLeftovers(values.SettingsFileName);
    platform->RegisterFileType(executable);
    values.ShortDateFormat = QLocale::system().dateFormat(QLocale::ShortFormat).toStdString();
    values.GridDefaults = vc::ProgramGridDefaults(values.ShortDateFormat);

    vc::tTranslation translation;
    vc::RegisterStartupVocabulary(translation);
    vc::RegisterMarketVocabulary(translation);
    translation.SetLanguage(vc::tTranslation::kEnglish);

    vc::tDialogMessageBoxer boxer(translation);
    // Before the window loads (and later saves) the settings: a file too large to read is kept
    // aside so the first save cannot take its place.
    vc::KeepTooLargeSettings(values.SettingsFileName, boxer);
    tPlatformStartupEntry startup(*platform);
    vc::tMainForm form(values, translation, boxer, startup, executable, platform->CreateScreenEdgeDock());
    form.StartProgram = [&platform](const std::string& program) { platform->StartProgram(program, {}); };
    if (std::getenv("VELOCREST_TRACE_STARTUP") != nullptr) {
        form.OnFirstPaint = [&sinceStart] {
            std::fprintf(stderr, "velocrest: first frame painted %lld ms after start\n",
                         static_cast<long long>(sinceStart.elapsed()));
        };
    }
    form.OnFinished = [] { QCoreApplication::exit(0); };
    platform->WatchSessionEnd([&form](vc::tSessionEnd) { form.EndSession(); });
    form.show();
    return application.exec();
}
