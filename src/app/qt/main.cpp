// velocrest: one tape per process. Start-up chooses the program folder and this instance's number
// and settings file, sets up the language, and hands everything to the main window.
#include <QApplication>
#include <QElapsedTimer>
#include <QLocale>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "app/close_query.h"
#include "app/instance_files.h"
#include "app/qt/instance_lock.h"
#include "app/qt/main_form.h"
#include "app/qt/program_folder.h"
#include "app/qt/signal_handover.h"
#include "toolkit/program_values.h"
#include "toolkit/qt/dialog_message_boxer.h"
#include "toolkit/translation.h"
#include "toolkit/vocabulary.h"

namespace {

// No automatic start is made yet: the desktop's autostart entry comes with the platform layer.
class tNoStartupEntry final : public vc::tStartupEntry {
public:
    bool Exists() override { return false; }
    bool Create(const std::string&) override { return false; }
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

    vc::tSystemClock clock;
    vc::tProgramValues values;
    values.Clock = &clock;
    values.ProgramDir = vc::ProgramDirFromEnvironment();
    const std::filesystem::path executableDir = QCoreApplication::applicationDirPath().toStdString();
    if (values.ProgramDir.empty() ||
        !vc::PrepareProgramFolder(values.ProgramDir, vc::InstalledDataDir(executableDir))) {
        std::fprintf(stderr, "velocrest: no program folder (set VELOCREST_HOME)\n");
        return 1;
    }
    vc::tInstanceLock instance;
    values.InstanceNumber = instance.Acquire(values.ProgramDir);
    if (values.InstanceNumber == 0) {
        std::fprintf(stderr, "velocrest: no free instance number in %s\n", values.ProgramDir.c_str());
        return 1;
    }
    values.SettingsFileName = vc::SettingsFileFor(values.ProgramDir, values.InstanceNumber);
    values.DdeServiceName = vc::DdeServiceNameFor(values.InstanceNumber);
    values.ShortDateFormat = QLocale::system().dateFormat(QLocale::ShortFormat).toStdString();

    vc::tTranslation translation;
    vc::RegisterStartupVocabulary(translation);
    translation.SetLanguage(vc::tTranslation::kEnglish);

    vc::tDialogMessageBoxer boxer(translation);
    tNoStartupEntry startup;
    vc::tMainForm form(values, translation, boxer, startup,
                       QCoreApplication::applicationFilePath().toStdString());
    if (std::getenv("VELOCREST_TRACE_STARTUP") != nullptr) {
        form.OnFirstPaint = [&sinceStart] {
            std::fprintf(stderr, "velocrest: first frame painted %lld ms after start\n",
                         static_cast<long long>(sinceStart.elapsed()));
        };
    }
    form.OnFinished = [] { QCoreApplication::exit(0); };
    vc::tSignalHandover handover([&form] { form.EndSession(); });
    QObject::connect(&application, &QGuiApplication::commitDataRequest, &form,
                     [&form] { form.EndSession(); });
    form.show();
    return application.exec();
}
