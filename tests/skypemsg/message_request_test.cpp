#include "message_request.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "tape/ini_object.h"

namespace vc::skypemsg {

// Found by GoogleTest through the type's namespace: a failing comparison shows the request as sent.
inline void PrintTo(const tRequest& r, std::ostream* os) {
    *os << r.Method << " " << r.Url << "\n";
    for (const tHeader& h : r.Headers) {
        *os << h.Name << ": " << h.Value << "\n";
    }
    *os << "\n" << r.Body;
}

namespace {

struct tSettings {
    explicit tSettings(std::string_view text) { Ini.LoadFromBytes(text); }
    tIniObject Ini;
};

tMessage Message(tMode mode, std::string recipients, std::string text = "MSFT up\n\"56.6$\"") {
    return {mode, "123456", std::move(recipients), std::move(text), 1700000000000};
}

const tHeader kJson{"Content-Type", "application/json"};
const tHeader kForm{"Content-Type", "application/x-www-form-urlencoded"};

TEST(PlanDelivery, EachServiceBuildsItsRequests) {
    struct tCase {
        const char* Name;
        const char* Ini;
        tMessage Message;
        std::vector<tRequest> Requests;
    };
    const std::string text = R"("MSFT up\n\"56.6$\"")";
    const tCase cases[] = {
        {"ntfy with its default server",
         "[Chat]\r\nService=ntfy\r\n",
         Message(tMode::Chat, "alerts"),
         {{"POST",
           "https://ntfy.sh/alerts",
           {{"Content-Type", "text/plain; charset=utf-8"}, {"Title", "Velocrest"}},
           "MSFT up\n\"56.6$\""}}},
        {"ntfy on a server of one's own, with a token, two topics",
         "[Chat]\r\nService= NTFY \r\nNtfyServer=http://127.0.0.1:8080/\r\nNtfyToken=tk_abc\r\n",
         Message(tMode::Chat, "a b; c"),
         {{"POST",
           "http://127.0.0.1:8080/a%20b",
           {{"Content-Type", "text/plain; charset=utf-8"},
            {"Title", "Velocrest"},
            {"Authorization", "Bearer tk_abc"}},
           "MSFT up\n\"56.6$\""},
          {"POST",
           "http://127.0.0.1:8080/c",
           {{"Content-Type", "text/plain; charset=utf-8"},
            {"Title", "Velocrest"},
            {"Authorization", "Bearer tk_abc"}},
           "MSFT up\n\"56.6$\""}}},
        {"matrix, one transaction per room",
         "[Chat]\r\nService=matrix\r\nMatrixServer=https://m.example.org\r\nMatrixToken=syt_x\r\n",
         Message(tMode::Chat, "!AbC:example.org,!d:e"),
         {{"PUT",
           "https://m.example.org/_matrix/client/v3/rooms/%21AbC%3Aexample.org/send/m.room.message/"
           "velocrest-123456-1700000000000-1",
           {kJson, {"Authorization", "Bearer syt_x"}},
           R"({"msgtype":"m.text","body":)" + text + "}"},
          {"PUT",
           "https://m.example.org/_matrix/client/v3/rooms/%21d%3Ae/send/m.room.message/"
           "velocrest-123456-1700000000000-2",
           {kJson, {"Authorization", "Bearer syt_x"}},
           R"({"msgtype":"m.text","body":)" + text + "}"}}},
        {"telegram",
         "[Chat]\r\nService=telegram\r\nTelegramToken=123:AA-b_c\r\n",
         Message(tMode::Chat, "@chan"),
         {{"POST",
           "https://api.telegram.org/bot123:AA-b_c/sendMessage",
           {kJson},
           R"({"chat_id":"@chan","text":)" + text + "}"}}},
        {"webhook without a recipient field posts once",
         "[Chat]\r\nService=webhook\r\nWebhookUrl=https://hooks.example/T1/B2\r\n",
         Message(tMode::Chat, "a;b"),
         {{"POST", "https://hooks.example/T1/B2", {kJson}, R"({"text":)" + text + "}"}}},
        {"webhook for Discord with a recipient field",
         "[Chat]\r\nService=webhook\r\nWebhookUrl=https://hooks.example/x\r\nWebhookField=content\r\n"
         "WebhookRecipientField=channel\r\n",
         Message(tMode::Chat, "town-square"),
         {{"POST",
           "https://hooks.example/x",
           {kJson},
           R"({"content":)" + text + R"(,"channel":"town-square"})"}}},
        {"SMS gateway with an account",
         "[SMS]\r\nService=gateway\r\nGatewayUrl=https://sms.example/Accounts/AC1/Messages.json\r\n"
         "GatewaySid=AC1\r\nGatewayToken=secret\r\nGatewayFrom=+15550001\r\n",
         Message(tMode::Sms, "+31 612; +44 7700"),
         {{"POST",
           "https://sms.example/Accounts/AC1/Messages.json",
           {kForm, {"Authorization", "Basic QUMxOnNlY3JldA=="}},
           "To=%2B31+612&From=%2B15550001&Body=MSFT+up%0A%2256.6%24%22"},
          {"POST",
           "https://sms.example/Accounts/AC1/Messages.json",
           {kForm, {"Authorization", "Basic QUMxOnNlY3JldA=="}},
           "To=%2B44+7700&From=%2B15550001&Body=MSFT+up%0A%2256.6%24%22"}}},
        {"SMS form, placeholders filled once",
         "[SMS]\r\nService=form\r\nFormUrl=http://sms.local/"
         "send\r\nFormBody=u=me&to={number}&m={text}&t={text}\r\n",
         Message(tMode::Sms, "0612", "{number} & a;b"),
         {{"POST",
           "http://sms.local/send",
           {kForm},
           "u=me&to=0612&m=%7Bnumber%7D+%26+a%3Bb&t=%7Bnumber%7D+%26+a%3Bb"}}},
        {"SMS form with a login",
         "[SMS]\r\nService=form\r\nFormUrl=https://"
         "sms.local\r\nFormBody={text}\r\nFormUser=me\r\nFormPassword=pw\r\n",
         Message(tMode::Sms, "1", "x"),
         {{"POST", "https://sms.local", {kForm, {"Authorization", "Basic bWU6cHc="}}, "x"}}},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const tSettings settings(c.Ini);
        const tPlan plan = PlanDelivery(settings.Ini, c.Message);
        EXPECT_EQ(plan.Error, "");
        EXPECT_EQ(plan.Requests, c.Requests);
    }
}

TEST(PlanDelivery, SettingsThatCannotSendSayWhatToFix) {
    struct tCase {
        const char* Ini;
        tMode Mode;
        const char* Recipients;
        const char* Error;
    };
    const tCase cases[] = {
        {"", tMode::Chat, "a", "no chat service configured in SkypeMsg.INI"},
        {"[Chat]\r\nService=\r\n[SMS]\r\nService=gateway\r\n", tMode::Chat, "a",
         "no chat service configured in SkypeMsg.INI"},
        {"[Chat]\r\nService=ntfy\r\n", tMode::Sms, "a", "no SMS service configured in SkypeMsg.INI"},
        {"[Chat]\r\nService=Skype\r\n", tMode::Chat, "a", "unknown chat service \"Skype\" in SkypeMsg.INI"},
        {"[SMS]\r\nService=ntfy\r\n", tMode::Sms, "a", "unknown SMS service \"ntfy\" in SkypeMsg.INI"},
        {"[Chat]\r\nService=gateway\r\n", tMode::Chat, "a",
         "unknown chat service \"gateway\" in SkypeMsg.INI"},
        {"[Chat]\r\nService=matrix\r\nMatrixServer=https://m\r\n", tMode::Chat, "a",
         "matrix: MatrixToken is empty in SkypeMsg.INI"},
        {"[Chat]\r\nService=matrix\r\nMatrixToken=t\r\n", tMode::Chat, "a",
         "matrix: MatrixServer is empty in SkypeMsg.INI"},
        {"[Chat]\r\nService=telegram\r\n", tMode::Chat, "a",
         "telegram: TelegramToken is empty in SkypeMsg.INI"},
        {"[Chat]\r\nService=ntfy\r\nNtfyServer=ntfy.sh\r\n", tMode::Chat, "a",
         "ntfy: NtfyServer \"ntfy.sh\" in SkypeMsg.INI is not an http:// or https:// address"},
        {"[Chat]\r\nService=webhook\r\nWebhookUrl=ftp://x\r\n", tMode::Chat, "a",
         "webhook: WebhookUrl \"ftp://x\" in SkypeMsg.INI is not an http:// or https:// address"},
        {"[Chat]\r\nService=ntfy\r\n", tMode::Chat, " ; ,", "ntfy: no recipient given"},
        {"[SMS]\r\nService=gateway\r\n", tMode::Sms, "1", "gateway: GatewayUrl is empty in SkypeMsg.INI"},
        {"[SMS]\r\nService=form\r\nFormUrl=http://x\r\nFormBody=to={number}\r\n", tMode::Sms, "1",
         "form: FormBody in SkypeMsg.INI has no {text}"},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Ini);
        const tSettings settings(c.Ini);
        const tPlan plan = PlanDelivery(settings.Ini, Message(c.Mode, c.Recipients));
        EXPECT_EQ(plan.Error, c.Error);
        EXPECT_TRUE(plan.Requests.empty());
    }
}

TEST(PlanDelivery, SettingsInWindows1252ReachTheServiceInUtf8) {
    const tSettings settings(
        "[SMS]\r\nService=gateway\r\nGatewayUrl=http://x\r\nGatewayFrom=Soci\xE9t\xE9\r\n");
    const tPlan plan = PlanDelivery(settings.Ini, Message(tMode::Sms, "1", "\xE2\x82\xAC"));
    ASSERT_EQ(plan.Requests.size(), 1u);
    EXPECT_EQ(plan.Requests[0].Body, "To=1&From=Soci%C3%A9t%C3%A9&Body=%E2%82%AC");
}

TEST(PlanDelivery, TheShippedTemplateHasEveryKeyEmptyAndNothingElse) {
    const char* source = std::getenv("VELOCREST_SOURCE_DIR");
    ASSERT_NE(source, nullptr);
    tIniObject ini(std::string(source) + "/data/TOOLS/SkypeMsg.INI");
    ASSERT_GT(ini.ValueCount(), 0u);
    EXPECT_FALSE(ini.Scrambled());
    EXPECT_EQ(ini.SectionNames(), (std::vector<std::string>{"Chat", "SMS"}));
    // Sorted as the reader indexes them; an explanation line read as a key would show up here.
    EXPECT_EQ(ini.ReadSection("Chat"),
              (std::vector<std::string>{
                  "MatrixServer=", "MatrixToken=", "NtfyServer=", "NtfyToken=", "Service=", "TelegramServer=",
                  "TelegramToken=", "WebhookField=", "WebhookRecipientField=", "WebhookUrl="}));
    EXPECT_EQ(ini.ReadSection("SMS"),
              (std::vector<std::string>{"FormBody=", "FormPassword=", "FormUrl=", "FormUser=", "GatewayFrom=",
                                        "GatewaySid=", "GatewayToken=", "GatewayUrl=", "Service="}));
    EXPECT_EQ(PlanDelivery(ini, Message(tMode::Sms, "1")).Error, "no SMS service configured in SkypeMsg.INI");
}

TEST(Arguments, TheProgramsCommandLine) {
    const tArguments chat = ParseArguments({"/msg", "4711", "alice; bob", "Velocrest Message :||MSFT"});
    ASSERT_TRUE(chat.Message);
    EXPECT_EQ(chat.Message->Mode, tMode::Chat);
    EXPECT_EQ(chat.Message->Request, "4711");
    EXPECT_EQ(chat.Message->Recipients, "alice; bob");
    EXPECT_EQ(chat.Message->Text, "Velocrest Message :\n\nMSFT");

    const tArguments sms = ParseArguments({"/SMS", "1", "+3161", "SOCI\xC9T\xC9 up"});
    ASSERT_TRUE(sms.Message);
    EXPECT_EQ(sms.Message->Mode, tMode::Sms);
    EXPECT_EQ(sms.Message->Text, "SOCI\xC3\x89T\xC3\x89 up");

    struct tCase {
        std::vector<std::string> Args;
        const char* Request;
        const char* Error;
    };
    const tCase bad[] = {
        {{}, "", "usage: SkypeMsg /MSG|/SMS <request> <recipient> <text> (0 arguments given)"},
        {{"/MSG", "77", "a"},
         "77",
         "usage: SkypeMsg /MSG|/SMS <request> <recipient> <text> (3 arguments given)"},
        {{"/MSG", "77", "a", "b", "c"},
         "77",
         "usage: SkypeMsg /MSG|/SMS <request> <recipient> <text> (5 arguments given)"},
        {{"/MAIL", "77", "a", "b"}, "77", "unknown mode \"/MAIL\" (expected /MSG or /SMS)"},
        // The number names a file: nothing else may reach the file name.
        {{"/MSG", "../77", "a", "b"}, "", "the request number \"../77\" is not a number"},
        {{"/MSG", "", "a", "b"}, "", "the request number \"\" is not a number"},
    };
    for (const tCase& c : bad) {
        SCOPED_TRACE(c.Error);
        const tArguments parsed = ParseArguments(c.Args);
        EXPECT_FALSE(parsed.Message);
        EXPECT_EQ(parsed.Request, c.Request);
        EXPECT_EQ(parsed.Error, c.Error);
    }
}

TEST(ResultLog, OneLineInTheProgramsEncoding) {
    EXPECT_EQ(LogFileName("4711"), "SkypeMsg_4711.LOG");
    EXPECT_EQ(LogText(""), "\n");
    EXPECT_EQ(LogText("matrix: HTTP 401 Unauthorized: caf\xC3\xA9\r\nnext"),
              "matrix: HTTP 401 Unauthorized: caf\xE9 next\n");
    EXPECT_EQ(HttpError("ntfy", 403, "Forbidden", ""), "ntfy: HTTP 403 Forbidden");
    EXPECT_EQ(HttpError("matrix", 401, "Unauthorized", "{\"errcode\":\n \"M_UNKNOWN_TOKEN\"}"),
              "matrix: HTTP 401 Unauthorized: {\"errcode\": \"M_UNKNOWN_TOKEN\"}");
    EXPECT_EQ(HttpError("webhook", 500, "", std::string(250, 'e')),
              "webhook: HTTP 500: " + std::string(100, 'e'));

    const test::tTempDir dir;
    ASSERT_TRUE(WriteLog(dir.Path().string(), "42", "ntfy: HTTP 403 Forbidden"));
    EXPECT_EQ(dir.Read("SkypeMsg_42.LOG"), "ntfy: HTTP 403 Forbidden\n");
    ASSERT_TRUE(WriteLog(dir.Path().string(), "42", ""));
    EXPECT_EQ(dir.Read("SkypeMsg_42.LOG"), "\n");
}

TEST(ResultLog, DeadlineFromTheEnvironment) {
    EXPECT_EQ(DeadlineMs(nullptr), 20000);
    EXPECT_EQ(DeadlineMs("1000"), 1000);
    for (const char* bad : {"", "0", "-5", "1s", "99999999999"}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(DeadlineMs(bad), 20000);
    }
    EXPECT_EQ(DurationText(20000), "20 seconds");
    EXPECT_EQ(DurationText(1000), "1 second");
    EXPECT_EQ(DurationText(1500), "1500 milliseconds");
}

} // namespace
} // namespace vc::skypemsg
