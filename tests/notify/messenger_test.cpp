#include "notify/messenger.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "market/quote_host.h"
#include "notify/alert_window.h"
#include "support/scripted_message_boxer.h"
#include "tape/history.h"
#include "tape/tape_test_support.h"

namespace vc {
namespace {

TEST(MessengerTest, CommandLineText) {
    const std::pair<const char*, const char*> cases[] = {
        {"a\r\nb", "a|b"},
        {"a\rb\nc", "a|b|c"},
        {"a\n\r\nb", "a||b"},
        {"say \"hi\"", "say -hi-"},
        {"keep | and ; and $(x)", "keep | and ; and $(x)"},
        {"", ""},
    };
    for (const auto& [text, line] : cases) {
        EXPECT_EQ(MessengerText(text), line) << text;
    }
    EXPECT_EQ(MessengerModeArgument(tMessengerMode::Chat), "/MSG");
    EXPECT_EQ(MessengerModeArgument(tMessengerMode::Sms), "/SMS");
}

// Records what it was asked and answers from a list.
class tRecordingMessenger final : public tMessenger {
public:
    struct tCall {
        tMessengerMode Mode;
        std::string Recipient;
        std::string Text;
    };
    std::string Send(tMessengerMode mode, std::string_view recipient, std::string_view text) override {
        Calls.push_back({mode, std::string(recipient), std::string(text)});
        return Answer;
    }
    std::vector<tCall> Calls;
    std::string Answer;
};

TEST(MessengerTest, AlertTextsAndChannels) {
    test::tTapeWorld world;
    tTickerItem* item = world.Tape->AddSymbol("MSFT", " Microsoft Corp ");
    tQuoteHost host;
    host.Host = "quotes.example.test:81";
    const double now = test::kTapeNow;
    EXPECT_EQ(
        SmsAlertText(*item, "CLOSE (56.65) raised above ALERT (56)", now),
        "MICROSOFT CORP (MSFT) CLOSE (56.65) raised above ALERT (56). Sent by Velocrest on 15/03/2024 14:30 "
        "(prices are delayed)");
    EXPECT_EQ(SmsAlertText(*item, "", now),
              "MICROSOFT CORP (MSFT) Sent by Velocrest on 15/03/2024 14:30 (prices are delayed)");
    EXPECT_EQ(
        ChatAlertText(*item, "CLOSE (56.65) raised above ALERT (56)", host.Host, now),
        "Velocrest Message :|| MICROSOFT CORP  (MSFT) |CLOSE (56.65) raised above ALERT (56)|"
        "http://quotes.example.test:81/q?s=MSFT||Message sent on 15/03/2024 14:30|(prices are delayed)");
    EXPECT_EQ(TestSmsText(now), "MICROSOFT (TEST) 56.6$ raised above your ALERT (56$). Sent by Velocrest on "
                                "15/03/2024 14:30 (prices are delayed)");
    EXPECT_EQ(
        TestChatText(host.Host, now),
        "Velocrest Message :||MICROSOFT (TEST) 56.6$|raised above your ALERT (56$)|"
        "http://quotes.example.test:81/q?s=MSFT||Message sent on 15/03/2024 14:30|(prices are delayed)");

    tRecordingMessenger messenger;
    tSmsChannel sms(messenger);
    tChatChannel chat(messenger, host);
    tTickerTape& tape = *world.Tape;
    tape.SkypeSMS = true;
    tape.SkypeChat = true;
    EXPECT_FALSE(sms.Enabled(tape)) << "no number";
    EXPECT_FALSE(chat.Enabled(tape)) << "no address";
    tape.SkypeSmsTo = "+31 6 1234";
    tape.SkypeChatTo = "!room:example.test";
    EXPECT_TRUE(sms.Enabled(tape));
    EXPECT_TRUE(chat.Enabled(tape));
    EXPECT_EQ(sms.SendingLine(tape), "Sending Skype SMS to : +31 6 1234...");
    EXPECT_EQ(chat.SendingLine(tape), "Sending Skype CHAT message to : !room:example.test...");

    // The alert window's convention: e-mail, SMS, chat, each result in the memo and the history.
    std::vector<std::string> memo = {"CLOSE (56.65) raised above ALERT (56)"};
    const tAlertMemo lines{[&](const std::string& line) { memo.push_back(line); }, [&] { memo.pop_back(); },
                           [&] { return memo.front(); }};
    messenger.Answer = "";
    RunAlertChannels({&sms, &chat}, *item, tape, lines);
    messenger.Answer = "ntfy: HTTP 403 Forbidden";
    RunAlertChannels({&sms, &chat}, *item, tape, lines);
    EXPECT_EQ(memo, (std::vector<std::string>{"CLOSE (56.65) raised above ALERT (56)",
                                              "Skype SMS message was sent to : +31 6 1234",
                                              "Skype Chat message was sent to : !room:example.test",
                                              "Skype SMS Error : ntfy: HTTP 403 Forbidden",
                                              "Skype Error : ntfy: HTTP 403 Forbidden"}));
    ASSERT_EQ(messenger.Calls.size(), 4u);
    EXPECT_EQ(messenger.Calls[0].Mode, tMessengerMode::Sms);
    EXPECT_EQ(messenger.Calls[0].Recipient, "+31 6 1234");
    EXPECT_EQ(messenger.Calls[1].Mode, tMessengerMode::Chat);
    const std::string history = world.Dir.Read("Velocrest History.TXT");
    EXPECT_NE(history.find("  Skype SMS message was sent to : +31 6 1234\r\n"), std::string::npos) << history;
    EXPECT_NE(history.find("  Skype Error : ntfy: HTTP 403 Forbidden\r\n"), std::string::npos) << history;

    test::tScriptedMessageBoxer boxer;
    messenger.Answer = std::string(kMessengerNotInstalled);
    EXPECT_FALSE(SendTestSms(messenger, "  +31 6 1234  ", now, boxer));
    EXPECT_EQ(messenger.Calls.back().Recipient, "+31 6 1234");
    messenger.Answer = "";
    EXPECT_TRUE(SendTestChat(messenger, " !room ", host.Host, now, boxer));
    ASSERT_EQ(boxer.Questions.size(), 2u);
    EXPECT_EQ(boxer.Questions[0].Text, kMessengerNotInstalled);
    EXPECT_EQ(boxer.Questions[0].Caption, "Skype SMS message");
    EXPECT_EQ(boxer.Questions[0].Kind, tMsgKind::Error);
    EXPECT_EQ(boxer.Questions[1].Text, "The message was sent successfully.");
    EXPECT_EQ(boxer.Questions[1].Caption, "Skype Chat message");
    EXPECT_EQ(boxer.Questions[1].Kind, tMsgKind::Information);
}

} // namespace
} // namespace vc
