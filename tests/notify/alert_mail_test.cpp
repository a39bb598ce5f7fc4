#include "notify/alert_mail.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/scripted_message_boxer.h"
#include "tape/tape_test_support.h"
#include "toolkit/dates.h"

namespace vc {
namespace {

using tLines = std::vector<std::string>;

TEST(AlertMailTest, RecipientsAndTheirHeader) {
    const struct {
        const char* Text;
        tLines Recipients;
    } cases[] = {
        {"a@x.test; b@y.test", {"a@x.test", "b@y.test"}},
        {"a@x.test;", {"a@x.test"}},
        {"a@x.test", {"a@x.test"}},
        {"", {}},
        {" a@x.test ;  ;b@y.test", {" a@x.test ", "", "b@y.test"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitRecipients(c.Text), c.Recipients) << c.Text;
    }
    EXPECT_EQ(ToHeader({"a@x.test", "b@y.test"}), "a@x.test,\r\n\tb@y.test");
    EXPECT_EQ(ToHeader({"a@x.test"}), "a@x.test");
}

struct tMailWorld {
    tMailWorld() {
        world.Values.ShortDateFormat = "d-M-yyyy";
        item = world.Tape->AddSymbol("ASML.AS", "Asml Holding [NL]");
        world.Tape->MailAccount = "me@home.test";
        world.Tape->MailTo = "me@home.test; you@work.test";
    }
    void Trades(int count) {
        for (int i = 0; i < count; ++i) {
            item->RecentTrades.push_back("15/03/2024|10:0" + std::to_string(i) + ":30|1|2|3|5" +
                                         std::to_string(i) + ".5|100" + std::to_string(i));
        }
    }
    test::tTapeWorld world;
    tTickerItem* item = nullptr;
};

TEST(AlertMailTest, AlertMessageLines) {
    tMailWorld w;
    w.Trades(7);
    const tMailMessage mail = AlertMail(*w.item, *w.world.Tape, "CLOSE (56.65) raised above ALERT (56)");
    EXPECT_EQ(mail.Subject, "Velocrest alert on ASML HOLDING  (ASML.AS)...");
    EXPECT_EQ(mail.Sender, "me@home.test");
    EXPECT_EQ(mail.Recipients, (tLines{"me@home.test", "you@work.test"}));
    ASSERT_EQ(mail.Lines.size(), 20u);
    EXPECT_EQ(tLines(mail.Lines.begin(), mail.Lines.begin() + 8),
              (tLines{"", "NAME : ASML HOLDING ", "SYMBOL : ASML.AS", "",
                      "CLOSE (56.65) raised above ALERT (56)", "", "5 last trades : ", ""}));
    // Positions 2 to 6 of seven, oldest first, dates in the user's format.
    EXPECT_EQ(tLines(mail.Lines.begin() + 8, mail.Lines.begin() + 13),
              (tLines{"  15-3-2024  10:02  52.5  1002", "  15-3-2024  10:03  53.5  1003",
                      "  15-3-2024  10:04  54.5  1004", "  15-3-2024  10:05  55.5  1005",
                      "  15-3-2024  10:06  56.5  1006"}));
    EXPECT_EQ(mail.Lines[13], "");
    EXPECT_EQ(mail.Lines[14], "(prices are delayed)");
    EXPECT_NE(mail.Lines[18].find("https://"), std::string::npos) << "the footer names the site";
    EXPECT_EQ(mail.Lines.back(), "");

    tMailWorld few;
    few.Trades(3);
    const tLines lines = AlertMailLines(*few.item, "m", "dd/MM/yyyy");
    EXPECT_EQ(lines.size(), 18u);
    EXPECT_EQ(lines[8], "  15/03/2024  10:00  50.5  1000");
}

TEST(AlertMailTest, TestMessageIsFixed) {
    const tMailMessage mail = TestMail(" me@home.test ", " you@work.test;them@work.test ");
    EXPECT_EQ(mail.Sender, "me@home.test");
    EXPECT_EQ(mail.Recipients, (tLines{"you@work.test", "them@work.test"}));
    EXPECT_EQ(mail.Subject, "Velocrest alert on Microsoft (MSFT)...");
    ASSERT_EQ(mail.Lines.size(), 21u);
    EXPECT_EQ(mail.Lines[0], "(This is a TEST, please ignore)");
    EXPECT_EQ(mail.Lines[9], "10/05/2006  16:09  55.95  201057");
    EXPECT_EQ(mail.Lines[13], "10/05/2006  17:11  56.65  485036");
    EXPECT_EQ(mail.Lines[15], "(prices are delayed)");
}

TEST(AlertMailTest, DataHasItsHeadersAndCannotBeEndedEarly) {
    const double now = ParseDate("15/03/2024") + ParseTime("14:30:05");
    tMailMessage mail{"me@home.test", {"a@x.test", "b@y.test"}, "Alert on EVIL\r\nBcc: all@x.test", {}};
    mail.Lines = {"", ".starts with a dot", "NAME : EVIL\r\n.\r\nMAIL FROM:<x>", "last\rline\nhere", ""};
    const std::string data = MailData(mail, now, 60);
    EXPECT_EQ(data, "From: me@home.test\r\n"
                    "Reply-To: me@home.test\r\n"
                    "To: a@x.test,\r\n\tb@y.test\r\n"
                    "Subject: Alert on EVIL  Bcc: all@x.test\r\n"
                    "Date: Fri, 15 Mar 2024 14:30:05 +0100\r\n"
                    "X-Priority: 1\r\n"
                    "MIME-Version: 1.0\r\n"
                    "Content-Type: text/plain; charset=iso-8859-1\r\n"
                    "Content-Transfer-Encoding: 8bit\r\n"
                    "\r\n"
                    "\r\n"
                    "..starts with a dot\r\n"
                    "NAME : EVIL\r\n"
                    "..\r\n"
                    "MAIL FROM:<x>\r\n"
                    "last\r\n"
                    "line\r\n"
                    "here\r\n"
                    "\r\n");
    EXPECT_EQ(MailDateText(now, -330), "Fri, 15 Mar 2024 14:30:05 -0530");

    mail.Subject = "Alert on SOCI\xC9T\xC9 G\xC9N\xC9RALE=";
    EXPECT_NE(
        MailData(mail, now, 0).find("Subject: =?iso-8859-1?Q?Alert_on_SOCI=C9T=C9_G=C9N=C9RALE=3D?=\r\n"),
        std::string::npos);

    EXPECT_EQ(AddressProblem("me@home.test"), "");
    EXPECT_NE(AddressProblem("me@home.test>\r\nRCPT TO:<spam@x.test"), "");
    EXPECT_NE(AddressProblem("me@home.test\n"), "");
    EXPECT_NE(AddressProblem("a>b@x.test"), "");
}

TEST(AlertMailTest, MailServerText) {
    using S = tSmtpSecurity;
    const struct {
        const char* Text;
        bool Ok;
        const char* Host;
        int Port;
        S Security;
    } cases[] = {
        {"smtp.example.test", true, "smtp.example.test", 25, S::None},
        {" smtp.example.test:587 ", true, "smtp.example.test", 587, S::StartTls},
        {"smtp.example.test:465", true, "smtp.example.test", 465, S::Tls},
        {"127.0.0.1:2525", true, "127.0.0.1", 2525, S::None},
        {"[::1]:587", true, "::1", 587, S::StartTls},
        {"::1", true, "::1", 25, S::None},
        {"", false, "", 0, S::None},
        {"   ", false, "", 0, S::None},
        {"host:", false, "", 0, S::None},
        {"host:0", false, "", 0, S::None},
        {"host:65536", false, "", 0, S::None},
        {"host:25x", false, "", 0, S::None},
        {"ho st", false, "", 0, S::None},
        {"[::1", false, "", 0, S::None},
    };
    for (const auto& c : cases) {
        tSmtpServer server;
        EXPECT_EQ(ParseMailServer(c.Text, server), c.Ok) << c.Text;
        if (c.Ok) {
            EXPECT_EQ(server.Host, c.Host) << c.Text;
            EXPECT_EQ(server.Port, c.Port) << c.Text;
            EXPECT_EQ(server.Security, c.Security) << c.Text;
        }
    }
    EXPECT_EQ(MailServerKey({"smtp.example.test", 25, S::None}), "smtp.example.test:25");
    EXPECT_EQ(MailServerKey({"::1", 587, S::StartTls}), "[::1]:587");
}

class tRecordingSender final : public tMailSender {
public:
    std::string SendMail(std::string_view mailServer, const tMailMessage& message) override {
        Servers.emplace_back(mailServer);
        Messages.push_back(message);
        return Answer;
    }
    std::string Answer;
    tLines Servers;
    std::vector<tMailMessage> Messages;
};

TEST(AlertMailTest, ChannelLinesAndTheTestMail) {
    tMailWorld w;
    w.world.Tape->MailServer = "smtp.example.test:587";
    tRecordingSender sender;
    tMailChannel channel(sender);
    EXPECT_FALSE(channel.Enabled(*w.world.Tape));
    w.world.Tape->SendMails = true;
    EXPECT_TRUE(channel.Enabled(*w.world.Tape));
    EXPECT_EQ(channel.SendingLine(*w.world.Tape), "Sending email to : me@home.test; you@work.test");
    EXPECT_EQ(channel.Send(*w.item, *w.world.Tape, "msg"),
              "E-mail was sent to : me@home.test; you@work.test");
    EXPECT_EQ(sender.Servers.back(), "smtp.example.test:587");
    EXPECT_EQ(sender.Messages.back().Lines[4], "msg");
    sender.Answer = "RCPT TO: 550 no such user";
    EXPECT_EQ(channel.Send(*w.item, *w.world.Tape, "msg"),
              "The alert e-mail was NOT sent : RCPT TO: 550 no such user");

    sender.Answer = "";
    EXPECT_EQ(SendTestMail(sender, " mapi ", "me@home.test", "you@work.test"),
              "MAPI function not installed on this system.");
    EXPECT_EQ(sender.Servers.size(), 2u) << "nothing goes out on the MAPI path";
    EXPECT_EQ(SendTestMail(sender, " smtp.example.test ", "me@home.test", "you@work.test"), "");
    EXPECT_EQ(sender.Servers.back(), "smtp.example.test");
    EXPECT_EQ(sender.Messages.back().Subject, "Velocrest alert on Microsoft (MSFT)...");

    test::tScriptedMessageBoxer boxer({kMrOK, kMrOK});
    const tTestMailReport failed = ReportTestMail("CONNECT: Connection refused", " you@work.test ", boxer);
    EXPECT_FALSE(failed.Sent);
    EXPECT_FALSE(failed.KeepSendingMails);
    EXPECT_FALSE(failed.TestButtonEnabled);
    const tTestMailReport sent = ReportTestMail("", " you@work.test ", boxer);
    EXPECT_TRUE(sent.Sent && sent.KeepSendingMails && sent.TestButtonEnabled);
    ASSERT_EQ(boxer.Questions.size(), 2u);
    EXPECT_EQ(boxer.Questions[0].Caption, "Email settings");
    EXPECT_EQ(boxer.Questions[0].Kind, tMsgKind::Error);
    EXPECT_EQ(boxer.Questions[0].Text,
              "An error occurred while sending the e-mail :\xA6\xA6"
              "CONNECT: Connection refused.\xA6\xA6Please check your e-mail settings again "
              "and try again.");
    EXPECT_EQ(boxer.Questions[1].Kind, tMsgKind::Warning);
    EXPECT_EQ(boxer.Questions[1].Text,
              "The test e-mail was succesfully sent to :\xA6\xA6you@work.test.\xA6\xA6"
              "Please check this mailbox to see if the e-mail has arrived.");
}

} // namespace
} // namespace vc
