#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/close_query.h"
#include "support/scripted_message_boxer.h"
#include "support/temp_dir.h"
#include "tape/profile.h"
#include "toolkit/program_values.h"

namespace vc {
namespace {

class tFakeStartupEntry final : public tStartupEntry {
public:
    bool Exists() override { return Present; }
    bool Create(const std::string& executable) override {
        Created.push_back(executable);
        Present = true;
        return true;
    }
    bool Present = false;
    std::vector<std::string> Created;
};

TEST(CloseQueryTest, AutomaticStartQuestion) {
    struct {
        const char* Name;
        int Instance;
        const char* AskStartup; // stored value, nullptr for none
        bool EntryExists;
        std::vector<int> Answers;
        bool MayClose;
        std::size_t Questions;
        bool EntryCreated;
        const char* AskStartupAfter;
    } const cases[] = {
        {"yes creates the entry", 1, nullptr, false, {kMrYes}, true, 1, true, "1"},
        {"no closes without entry", 1, nullptr, false, {kMrNo}, true, 1, false, "1"},
        {"cancel refuses and asks again", 1, nullptr, false, {kMrCancel}, false, 1, false, ""},
        {"box closed without a button", 1, nullptr, false, {kMrNone}, false, 1, false, ""},
        {"existing entry: not asked", 1, nullptr, true, {}, true, 0, false, "1"},
        {"asked before", 1, "1", false, {}, true, 0, false, "1"},
        {"stored false asks", 1, "0", false, {kMrNo}, true, 1, false, "1"},
        {"second instance never asks", 2, nullptr, false, {}, true, 0, false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        test::tTempDir dir;
        tProgramValues values;
        values.ProgramDir = dir.Path().string() + "/";
        values.InstanceNumber = c.Instance;
        values.SettingsFileName = dir.File("Velocrest.INI");
        dir.Write("Velocrest.INI", "[Tape_000]\r\nAantal=0\r\n");
        if (c.AskStartup != nullptr) {
            ProfileWriteString(values.SettingsFileName, "General", "AskStartup", c.AskStartup);
        }
        tFakeStartupEntry entry;
        entry.Present = c.EntryExists;
        test::tScriptedMessageBoxer boxer(c.Answers, kMrYes);

        EXPECT_EQ(FormCloseQuery(values, boxer, entry, "/opt/velocrest/bin/velocrest"), c.MayClose);
        ASSERT_EQ(boxer.Questions.size(), c.Questions);
        if (c.Questions > 0) {
            EXPECT_EQ(boxer.Questions[0].Text, kAskStartupText);
            EXPECT_EQ(boxer.Questions[0].Caption, kAskStartupCaption);
            EXPECT_EQ(boxer.Questions[0].Kind, tMsgKind::Warning);
            EXPECT_EQ(boxer.Questions[0].Buttons, kMbYesNoCancel);
        }
        EXPECT_EQ(entry.Created, c.EntryCreated ? std::vector<std::string>{"/opt/velocrest/bin/velocrest"}
                                                : std::vector<std::string>{});
        EXPECT_EQ(ProfileReadString(values.SettingsFileName, "General", "AskStartup", ""), c.AskStartupAfter);
    }
}

TEST(CloseQueryTest, CancelAsksAgainOnTheNextClose) {
    test::tTempDir dir;
    tProgramValues values;
    values.SettingsFileName = dir.File("Velocrest.INI");
    tFakeStartupEntry entry;
    test::tScriptedMessageBoxer boxer({kMrCancel, kMrNo});
    EXPECT_FALSE(FormCloseQuery(values, boxer, entry, "velocrest"));
    EXPECT_TRUE(FormCloseQuery(values, boxer, entry, "velocrest"));
    EXPECT_TRUE(FormCloseQuery(values, boxer, entry, "velocrest"));
    EXPECT_EQ(boxer.Questions.size(), 2u);
}

} // namespace
} // namespace vc
