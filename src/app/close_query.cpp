#include "app/close_query.h"

#include "tape/profile.h"
#include "toolkit/message_boxer.h"
#include "toolkit/program_values.h"

namespace vc {

bool FormCloseQuery(const tProgramValues& values, tMessageBoxer& boxer, tStartupEntry& startup,
                    const std::string& executable) {
    if (values.InstanceNumber != 1 ||
        ProfileReadBool(values.SettingsFileName, "General", "AskStartup", false)) {
        return true;
    }
    if (!startup.Exists()) {
        const int answer = boxer.Ask(kAskStartupText, kAskStartupCaption, tMsgKind::Warning, kMbYesNoCancel);
        if (answer != kMrYes && answer != kMrNo) {
            return false;
        }
        if (answer == kMrYes) {
            startup.Create(executable);
        }
    }
    ProfileWriteString(values.SettingsFileName, "General", "AskStartup", "1");
    return true;
}

} // namespace vc
