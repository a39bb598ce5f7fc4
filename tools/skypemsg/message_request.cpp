#include "message_request.h"

#include <charconv>
#include <filesystem>

#include "message_text.h"
#include "tape/ini_object.h"
#include "toolkit/atomic_file.h"

namespace vc::skypemsg {
namespace {

constexpr std::size_t kBodyCharsInError = 100;

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}

bool IsDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

bool IsWebAddress(std::string_view url) {
    const std::string lower = Lower(url.substr(0, 8));
    return (lower.starts_with("http://") && url.size() > 7) ||
           (lower.starts_with("https://") && url.size() > 8);
}

// One section of the settings; values come trimmed and in UTF-8.
class tSection {
public:
    tSection(const tIniObject& ini, const char* name) : ini_(ini), name_(name) {}
    std::string Get(std::string_view key, std::string_view defaultValue = {}) const {
        std::string value = TrimBlanks(AsUtf8(ini_.ReadString(name_, key, {})));
        return value.empty() ? std::string(defaultValue) : value;
    }

private:
    const tIniObject& ini_;
    const char* name_;
};

// A plan being built for one service: the first error found wins.
class tBuilder {
public:
    tBuilder(const tSection& section, std::string service) : section_(section) {
        plan_.Service = std::move(service);
    }

    std::string Required(std::string_view key) {
        std::string value = section_.Get(key);
        if (value.empty()) {
            Fail(std::string(key) + " is empty in " + kSettingsFileName);
        }
        return value;
    }
    // A server or address; a trailing "/" is dropped so that paths can be appended.
    std::string Address(std::string_view key, std::string_view defaultValue = {}) {
        std::string value = defaultValue.empty() ? Required(key) : section_.Get(key, defaultValue);
        if (!value.empty() && !IsWebAddress(value)) {
            Fail(std::string(key) + " \"" + value + "\" in " + kSettingsFileName +
                 " is not an http:// or https:// address");
        }
        while (value.size() > 1 && value.back() == '/') {
            value.pop_back();
        }
        return value;
    }
    void Fail(std::string error) {
        if (plan_.Error.empty()) {
            plan_.Error = plan_.Service + ": " + std::move(error);
        }
    }
    void Add(tRequest request) { plan_.Requests.push_back(std::move(request)); }
    tPlan Finish() {
        if (!plan_.Error.empty()) {
            plan_.Requests.clear();
        }
        return std::move(plan_);
    }

private:
    const tSection& section_;
    tPlan plan_;
};

const tHeader kJson{"Content-Type", "application/json"};
const tHeader kForm{"Content-Type", "application/x-www-form-urlencoded"};

tHeader Bearer(std::string_view token) {
    return {"Authorization", "Bearer " + std::string(token)};
}

tHeader Basic(std::string_view user, std::string_view password) {
    return {"Authorization", "Basic " + Base64(std::string(user) + ":" + std::string(password))};
}

// Every recipient gets the message; a service with nowhere else to put a recipient needs one.
bool NeedRecipients(tBuilder& builder, const std::vector<std::string>& recipients) {
    if (recipients.empty()) {
        builder.Fail("no recipient given");
        return false;
    }
    return true;
}

void PlanNtfy(tBuilder& b, const tSection& s, const tMessage& m, const std::vector<std::string>& recipients) {
    const std::string server = b.Address("NtfyServer", "https://ntfy.sh");
    const std::string token = s.Get("NtfyToken");
    if (!NeedRecipients(b, recipients)) {
        return;
    }
    for (const std::string& topic : recipients) {
        tRequest request{"POST",
                         server + "/" + PercentEncode(topic),
                         {{"Content-Type", "text/plain; charset=utf-8"}, {"Title", "Velocrest"}},
                         m.Text};
        if (!token.empty()) {
            request.Headers.push_back(Bearer(token));
        }
        b.Add(std::move(request));
    }
}

void PlanMatrix(tBuilder& b, const tMessage& m, const std::vector<std::string>& recipients) {
    const std::string server = b.Address("MatrixServer");
    const std::string token = b.Required("MatrixToken");
    if (!NeedRecipients(b, recipients)) {
        return;
    }
    const std::string body = R"({"msgtype":"m.text","body":)" + JsonString(m.Text) + "}";
    for (std::size_t i = 0; i < recipients.size(); ++i) {
        const std::string transaction =
            "velocrest-" + m.Request + "-" + std::to_string(m.Stamp) + "-" + std::to_string(i + 1);
        b.Add({"PUT",
               server + "/_matrix/client/v3/rooms/" + PercentEncode(recipients[i]) + "/send/m.room.message/" +
                   PercentEncode(transaction),
               {kJson, Bearer(token)},
               body});
    }
}

void PlanTelegram(tBuilder& b, const tMessage& m, const std::vector<std::string>& recipients) {
    const std::string server = b.Address("TelegramServer", "https://api.telegram.org");
    // A bot token is "<digits>:<letters>"; the ":" stays as the service writes it.
    const std::string token = b.Required("TelegramToken");
    if (!NeedRecipients(b, recipients)) {
        return;
    }
    for (const std::string& chat : recipients) {
        b.Add({"POST",
               server + "/bot" + PercentEncode(token, ":") + "/sendMessage",
               {kJson},
               R"({"chat_id":)" + JsonString(chat) + R"(,"text":)" + JsonString(m.Text) + "}"});
    }
}

void PlanWebhook(tBuilder& b, const tSection& s, const tMessage& m,
                 const std::vector<std::string>& recipients) {
    const std::string url = b.Address("WebhookUrl");
    const std::string field = s.Get("WebhookField", "text");
    const std::string recipientField = s.Get("WebhookRecipientField");
    const std::string text = JsonString(field) + ":" + JsonString(m.Text);
    // A hook without a recipient field posts into its one channel: recipients would only repeat
    // the same message there.
    if (recipientField.empty() || recipients.empty()) {
        b.Add({"POST", url, {kJson}, "{" + text + "}"});
        return;
    }
    for (const std::string& recipient : recipients) {
        b.Add({"POST",
               url,
               {kJson},
               "{" + text + "," + JsonString(recipientField) + ":" + JsonString(recipient) + "}"});
    }
}

void PlanGateway(tBuilder& b, const tSection& s, const tMessage& m,
                 const std::vector<std::string>& recipients) {
    const std::string url = b.Address("GatewayUrl");
    const std::string sid = s.Get("GatewaySid");
    const std::string token = s.Get("GatewayToken");
    const std::string from = FormEncode(s.Get("GatewayFrom"));
    if (!NeedRecipients(b, recipients)) {
        return;
    }
    for (const std::string& number : recipients) {
        tRequest request{"POST",
                         url,
                         {kForm},
                         "To=" + FormEncode(number) + "&From=" + from + "&Body=" + FormEncode(m.Text)};
        if (!sid.empty()) {
            request.Headers.push_back(Basic(sid, token));
        }
        b.Add(std::move(request));
    }
}

// The placeholders are replaced in one pass, so a "{text}" inside the number (or the other way
// round) stays as it was sent.
std::string FillForm(std::string_view pattern, std::string_view number, std::string_view text) {
    std::string out;
    std::size_t pos = 0;
    while (pos < pattern.size()) {
        if (pattern.substr(pos).starts_with("{number}")) {
            out += FormEncode(number);
            pos += 8;
        } else if (pattern.substr(pos).starts_with("{text}")) {
            out += FormEncode(text);
            pos += 6;
        } else {
            out += pattern[pos++];
        }
    }
    return out;
}

void PlanForm(tBuilder& b, const tSection& s, const tMessage& m, const std::vector<std::string>& recipients) {
    const std::string url = b.Address("FormUrl");
    const std::string pattern = b.Required("FormBody");
    if (!pattern.empty() && pattern.find("{text}") == std::string::npos) {
        b.Fail(std::string("FormBody in ") + kSettingsFileName + " has no {text}");
    }
    const std::string user = s.Get("FormUser");
    const std::string password = s.Get("FormPassword");
    if (!NeedRecipients(b, recipients)) {
        return;
    }
    for (const std::string& number : recipients) {
        tRequest request{"POST", url, {kForm}, FillForm(pattern, number, m.Text)};
        if (!user.empty()) {
            request.Headers.push_back(Basic(user, password));
        }
        b.Add(std::move(request));
    }
}

} // namespace

tArguments ParseArguments(const std::vector<std::string>& args) {
    tArguments result;
    if (args.size() >= 2 && IsDigits(args[1]) && args[1].size() <= 20) {
        result.Request = args[1];
    }
    if (args.size() != 4) {
        result.Error = "usage: SkypeMsg /MSG|/SMS <request> <recipient> <text> (" +
                       std::to_string(args.size()) + " arguments given)";
        return result;
    }
    const std::string mode = Lower(args[0]);
    if (mode != "/msg" && mode != "/sms") {
        result.Error = "unknown mode \"" + OneLine(AsUtf8(args[0]), 20) + "\" (expected /MSG or /SMS)";
        return result;
    }
    if (result.Request.empty()) {
        result.Error = "the request number \"" + OneLine(AsUtf8(args[1]), 30) + "\" is not a number";
        return result;
    }
    result.Message = tMessage{mode == "/msg" ? tMode::Chat : tMode::Sms, result.Request, AsUtf8(args[2]),
                              BarsToLineBreaks(AsUtf8(args[3]))};
    return result;
}

tPlan PlanDelivery(const tIniObject& settings, const tMessage& message) {
    const bool chat = message.Mode == tMode::Chat;
    const tSection section(settings, chat ? "Chat" : "SMS");
    const char* kind = chat ? "chat" : "SMS";
    const std::string named = section.Get("Service");
    if (named.empty()) {
        return {"", std::string("no ") + kind + " service configured in " + kSettingsFileName, {}};
    }
    const std::string service = Lower(named);
    const std::vector<std::string> recipients = SplitRecipients(message.Recipients);
    tBuilder builder(section, service);
    if (chat && service == "ntfy") {
        PlanNtfy(builder, section, message, recipients);
    } else if (chat && service == "matrix") {
        PlanMatrix(builder, message, recipients);
    } else if (chat && service == "telegram") {
        PlanTelegram(builder, message, recipients);
    } else if (chat && service == "webhook") {
        PlanWebhook(builder, section, message, recipients);
    } else if (!chat && service == "gateway") {
        PlanGateway(builder, section, message, recipients);
    } else if (!chat && service == "form") {
        PlanForm(builder, section, message, recipients);
    } else {
        return {service,
                std::string("unknown ") + kind + " service \"" + named + "\" in " + kSettingsFileName,
                {}};
    }
    return builder.Finish();
}

int DeadlineMs(const char* environmentValue) {
    if (environmentValue == nullptr) {
        return kDefaultDeadlineMs;
    }
    const std::string_view text(environmentValue);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value <= 0) {
        return kDefaultDeadlineMs;
    }
    return value;
}

std::string DurationText(int ms) {
    if (ms % 1000 != 0) {
        return std::to_string(ms) + " milliseconds";
    }
    return ms == 1000 ? "1 second" : std::to_string(ms / 1000) + " seconds";
}

std::string HttpError(std::string_view service, int status, std::string_view reason, std::string_view body) {
    std::string error = std::string(service) + ": HTTP " + std::to_string(status);
    const std::string phrase = OneLine(reason, kBodyCharsInError);
    if (!phrase.empty()) {
        error += " " + phrase;
    }
    const std::string excerpt = OneLine(body, kBodyCharsInError);
    if (!excerpt.empty()) {
        error += ": " + excerpt;
    }
    return error;
}

std::string LogFileName(std::string_view request) {
    return "SkypeMsg_" + std::string(request) + ".LOG";
}

std::string LogText(std::string_view error) {
    // A log line is never cut: only the server's part of an error is limited, where it is made.
    return Utf8ToWin1252(OneLine(error, std::string::npos)) + "\n";
}

bool WriteLog(const std::string& folder, std::string_view request, std::string_view error) {
    const std::string path = (std::filesystem::path(folder) / LogFileName(request)).string();
    return WriteFileAtomically(path, LogText(error), {}, tInPlace::Never);
}

} // namespace vc::skypemsg
