// What the messenger helper sends: its command line read into a message, and the settings file
// turned into one HTTP request per recipient for the chosen service. No sockets here; the Qt
// executable only sends these requests and reads the answers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vc {
class tIniObject;
}

namespace vc::skypemsg {

inline constexpr char kSettingsFileName[] = "SkypeMsg.INI";
inline constexpr int kDefaultDeadlineMs = 20000;

enum class tMode { Chat, Sms };

struct tMessage {
    tMode Mode = tMode::Chat;
    std::string Request;    // the program's request number, digits only
    std::string Recipients; // UTF-8, as given ("a; b, c")
    std::string Text;       // UTF-8 with real line breaks
    // Milliseconds since the epoch when the run started. The request number is a tick count that
    // starts again with every boot, so alone it would repeat a Matrix transaction id, and the server
    // drops a message whose id it has seen.
    std::int64_t Stamp = 0;
};

struct tArguments {
    std::optional<tMessage> Message;
    // Usable for the log's name even when the rest is wrong; empty when not digits.
    std::string Request;
    std::string Error;
};

// The arguments after the program name: "/MSG" or "/SMS" (any case), the request number, the
// recipients and the text with "|" for line breaks.
tArguments ParseArguments(const std::vector<std::string>& args);

struct tHeader {
    std::string Name;
    std::string Value;
    bool operator==(const tHeader&) const = default;
};

struct tRequest {
    std::string Method;
    std::string Url;
    std::vector<tHeader> Headers;
    std::string Body;
    bool operator==(const tRequest&) const = default;
};

struct tPlan {
    // The service as named in the settings, lower case; every error of a request starts with it.
    std::string Service;
    // Why nothing can be sent (no or unknown service, a key missing); empty when Requests are ready.
    std::string Error;
    std::vector<tRequest> Requests;
};

// The requests for the message under the settings' section of its mode ("Chat" or "SMS").
tPlan PlanDelivery(const tIniObject& settings, const tMessage& message);

// The time the whole run may take: the environment's value in milliseconds when it is a positive
// whole number, else 20 seconds. Tests shorten it.
int DeadlineMs(const char* environmentValue);
// "20 seconds", "1 second", "1500 milliseconds".
std::string DurationText(int ms);

// The error for an HTTP answer that is not 2xx: "ntfy: HTTP 403 Forbidden", followed by ": " and
// the first 100 characters of the body on one line when there is a body.
std::string HttpError(std::string_view service, int status, std::string_view reason, std::string_view body);

// "SkypeMsg_" + request + ".LOG".
std::string LogFileName(std::string_view request);
// The log's bytes: the error on one line in Windows-1252 (nothing on success), then a line break.
std::string LogText(std::string_view error);
// Writes the log into folder under a temporary name and renames it into place, so the program
// never reads half a file. False when it could not be written.
bool WriteLog(const std::string& folder, std::string_view request, std::string_view error);

} // namespace vc::skypemsg
