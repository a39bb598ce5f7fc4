// The program's side of the messenger helper, against a stand-in helper (a shell script the test
// writes) that records its arguments and writes the log it is told to.
#include "notify/qt/skype_messenger.h"

#include <QElapsedTimer>
#include <QFile>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "market/quote_host.h"
#include "notify/alert_window.h"
#include "support/qt/fault_server.h"
#include "support/temp_dir.h"
#include "tape/tape_test_support.h"

namespace vc {
namespace {

class SkypeMessengerTest : public ::testing::Test {
protected:
    SkypeMessengerTest() : messenger(dir.Path().string() + "/") {
        messenger.Waits = {10, 1000, 10, 10};
        messenger.TickCount = [] { return std::int64_t{123456}; };
        Configure("[Chat]\r\nService=ntfy\r\n[SMS]\r\nService=gateway\r\n");
    }

    void Configure(const std::string& ini) { dir.Write("TOOLS/SkypeMsg.INI", ini); }

    // A helper that writes each argument into args.bin, NUL-terminated, then writes log (when
    // given) as its log file in its working folder.
    void Helper(const std::string& logCommand, bool executable = true) {
        dir.Write("TOOLS/SkypeMsg", "#!/bin/sh\n"
                                    "for a in \"$@\"; do printf '%s\\0' \"$a\"; done > args.bin\n" +
                                        logCommand + "\n");
        std::filesystem::permissions(dir.Path() / "TOOLS/SkypeMsg",
                                     executable ? std::filesystem::perms::owner_all
                                                : std::filesystem::perms::owner_read |
                                                      std::filesystem::perms::owner_write);
    }

    std::vector<std::string> Arguments() {
        const std::string bytes = dir.Read("TOOLS/args.bin");
        std::vector<std::string> args;
        std::size_t start = 0;
        for (std::size_t end = bytes.find('\0'); end != std::string::npos; end = bytes.find('\0', start)) {
            args.push_back(bytes.substr(start, end - start));
            start = end + 1;
        }
        return args;
    }

    test::tTempDir dir;
    tSkypeMessenger messenger;
};

TEST_F(SkypeMessengerTest, HandsEverythingOverAsSeparateArguments) {
    Helper("printf '\\n' > SkypeMsg_$2.LOG");
    const std::string recipient = "  @pat:example.test; +31 \"6\" $(rm -rf x) `id` & | > y  ";
    const std::string text =
        "CLOSE \"56.65\"\r\nline two\rthree\nfour; $HOME * ' ` \\ " + std::string(10000, 'x');
    EXPECT_EQ(messenger.Send(tMessengerMode::Chat, recipient, text), "");
    const std::vector<std::string> args = Arguments();
    ASSERT_EQ(args.size(), 4u);
    EXPECT_EQ(args[0], "/MSG");
    EXPECT_EQ(args[1], "123456");
    EXPECT_EQ(args[2], "@pat:example.test; +31 \"6\" $(rm -rf x) `id` & | > y");
    EXPECT_EQ(args[3], "CLOSE -56.65-|line two|three|four; $HOME * ' ` \\ " + std::string(10000, 'x'));
    EXPECT_FALSE(dir.Exists("TOOLS/SkypeMsg_123456.LOG")) << "the log is deleted once read";
    EXPECT_FALSE(dir.Exists("x"));
    EXPECT_FALSE(dir.Exists("TOOLS/y"));

    messenger.Send(tMessengerMode::Sms, "+31", "\xE9t\xE9");
    EXPECT_EQ(Arguments()[0], "/SMS");
    EXPECT_EQ(Arguments()[3], "\xC3\xA9t\xC3\xA9") << "the helper gets UTF-8";
}

TEST_F(SkypeMessengerTest, TheLogsFirstLineIsTheResult) {
    const struct {
        const char* Name;
        const char* Command;
        const char* Result;
    } cases[] = {
        {"empty first line", "printf '\\nignored\\n' > SkypeMsg_$2.LOG", ""},
        {"an error", "printf 'ntfy: HTTP 403 Forbidden\\r\\nmore\\n' > SkypeMsg_$2.LOG",
         "ntfy: HTTP 403 Forbidden"},
        {"empty file", ": > SkypeMsg_$2.LOG", "Unknown error"},
        {"no log at all", "true", "Unknown error"},
        {"written late", "(sleep 0.3; printf 'late\\n' > SkypeMsg_$2.LOG) &", "late"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Helper(c.Command);
        EXPECT_EQ(messenger.Send(tMessengerMode::Sms, "+31", "text"), c.Result);
        EXPECT_FALSE(dir.Exists("TOOLS/SkypeMsg_123456.LOG"));
    }
}

TEST_F(SkypeMessengerTest, NoLogCostsTheWholeWaitAndNoMore) {
    Helper("true");
    messenger.Waits = {200, 1500, 50, 200};
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(messenger.Send(tMessengerMode::Chat, "a", "b"), "Unknown error");
    EXPECT_GE(clock.elapsed(), 1700) << "the wait before and the whole poll";
    EXPECT_LT(clock.elapsed(), 10000) << "and then it gives up";
}

TEST_F(SkypeMessengerTest, ChecksInTheirOrder) {
    // No service for the mode: nothing else matters.
    Configure("[Chat]\r\nService=ntfy\r\n[SMS]\r\nService=\r\n");
    EXPECT_EQ(messenger.Send(tMessengerMode::Sms, "+31", "t"), kMessengerNotInstalled);
    Configure("");
    EXPECT_EQ(messenger.Send(tMessengerMode::Chat, "a", "t"), kMessengerNotInstalled);

    Configure("[chat]\r\nservice=matrix\r\n");
    EXPECT_EQ(messenger.Send(tMessengerMode::Chat, "a", "t"), kMessengerNotFound);
    Helper("printf '\\n' > SkypeMsg_$2.LOG", false);
    EXPECT_EQ(messenger.Send(tMessengerMode::Chat, "a", "t"), kMessengerLibraryMissing);
    EXPECT_FALSE(dir.Exists("TOOLS/args.bin")) << "never started";
    Helper("printf '\\n' > SkypeMsg_$2.LOG", true);
    EXPECT_EQ(messenger.Send(tMessengerMode::Chat, "a", "t"), "");
}

// A fired alert with SMS and chat on, through the alert window's channels and the real helper to
// loopback services, into the memo and the history file.
TEST(SkypeMessengerEndToEnd, AlertGoesOutBySmsAndChat) {
    test::tFaultServer ntfy(test::tFaultReply{});
    test::tFaultReply refused;
    refused.Status = 403;
    refused.Reason = "Forbidden";
    test::tFaultServer gateway(refused);
    test::tTapeWorld world;
    const std::filesystem::path tools = world.Dir.Path() / "TOOLS";
    std::filesystem::create_directories(tools);
    std::filesystem::copy_file(SKYPEMSG_EXE, tools / "SkypeMsg");
    world.Dir.Write("TOOLS/SkypeMsg.INI", "[Chat]\r\nService=ntfy\r\nNtfyServer=" + ntfy.Url("") +
                                              "\r\n[SMS]\r\nService=form\r\nFormUrl=" + gateway.Url("/send") +
                                              "\r\nFormBody=to={number}&msg={text}\r\n");
    tTickerTape& tape = *world.Tape;
    tTickerItem* item = tape.AddSymbol("MSFT", "Microsoft");
    tape.SkypeSMS = true;
    tape.SkypeSmsTo = "+31612345678";
    tape.SkypeChat = true;
    tape.SkypeChatTo = "velocrest-alerts";

    tSkypeMessenger messenger(world.Values.ProgramDir);
    messenger.Waits = {50, 20000, 50, 50};
    tQuoteHost host;
    tSmsChannel sms(messenger);
    tChatChannel chat(messenger, host);
    std::vector<std::string> memo = {"CLOSE (56.65) raised above ALERT (56)"};
    const tAlertMemo lines{[&](const std::string& line) { memo.push_back(line); }, [&] { memo.pop_back(); },
                           [&] { return memo.front(); }};
    RunAlertChannels({&sms, &chat}, *item, tape, lines);

    ASSERT_EQ(memo.size(), 3u);
    EXPECT_EQ(memo[1], "Skype SMS Error : form: HTTP 403 Forbidden");
    EXPECT_EQ(memo[2], "Skype Chat message was sent to : velocrest-alerts");
    const std::string history = world.Dir.Read("Velocrest History.TXT");
    EXPECT_NE(history.find("  Skype SMS Error : form: HTTP 403 Forbidden\r\n"), std::string::npos) << history;
    EXPECT_NE(history.find("  Skype Chat message was sent to : velocrest-alerts\r\n"), std::string::npos)
        << history;
    ASSERT_EQ(ntfy.Requests().size(), 1u);
    EXPECT_EQ(ntfy.Requests()[0].substr(0, ntfy.Requests()[0].find('\r')), "POST /velocrest-alerts HTTP/1.1");
    ASSERT_EQ(gateway.Requests().size(), 1u);
    EXPECT_TRUE(gateway.Requests()[0].starts_with("POST /send ")) << gateway.Requests()[0];
    EXPECT_FALSE(std::filesystem::exists(tools / "SkypeMsg_0.LOG"));
}

} // namespace
} // namespace vc
