// Chat and SMS alerts. The program does not talk to a messaging service itself: it hands each
// message to the messenger helper "SkypeMsg" in the program folder's TOOLS folder and reads the
// first line of the helper's log file. This side is fixed; the helper picks the service from its
// own settings file, TOOLS/SkypeMsg.INI.
#pragma once

#include "notify/alert_channel.h"

#include <string>
#include <string_view>

namespace vc {

class tMessageBoxer;
class tTickerItem;
class tTickerTape;
struct tQuoteHost;

enum class tMessengerMode { Chat, Sms };

// Result texts, as the alert window, the history file and the setup dialog show them ("\xA6" is
// the message boxes' line break).
inline constexpr std::string_view kMessengerNotInstalled =
    "Skype was not yet installed on your system.\xA6\xA6Please download and install Skype first.";
inline constexpr std::string_view kMessengerLibraryMissing =
    "The Skype4com.DLL was not installed on your system.\xA6\xA6Please refer to the help file to resolve "
    "this problem.";
inline constexpr std::string_view kMessengerNotFound = "The SkypeMsg.exe was not found on your system.";
inline constexpr std::string_view kMessengerStartFailed = "There was a problem starting SkypeMsg.exe.";
inline constexpr std::string_view kMessengerUnknownError = "Unknown error";
inline constexpr std::string_view kMessengerException = "Exception";

inline constexpr std::string_view kMessengerFolder = "TOOLS";
inline constexpr std::string_view kMessengerProgram = "SkypeMsg";
inline constexpr std::string_view kMessengerSettings = "SkypeMsg.INI";

// "/MSG" or "/SMS".
std::string MessengerModeArgument(tMessengerMode mode);
// The section of SkypeMsg.INI that names the mode's service ("Chat" or "SMS").
std::string MessengerSection(tMessengerMode mode);
// One line for the helper's command line: CR LF, lone CR and lone LF become "|", a double quote
// becomes "-".
std::string MessengerText(std::string_view text);

// "http://" + quote host + "/q?s=" + symbol.
std::string QuotePageUrl(std::string_view quoteHost, std::string_view symbol);
// The alert messages; now gives the date (day/month/year) and the time (hours:minutes) they name.
std::string SmsAlertText(const tTickerItem& item, std::string_view alertMessage, double now);
std::string ChatAlertText(const tTickerItem& item, std::string_view alertMessage, std::string_view quoteHost,
                          double now);
std::string TestSmsText(double now);
std::string TestChatText(std::string_view quoteHost, double now);

// Whatever delivers one message; returns the result text, empty on success.
class tMessenger {
public:
    virtual ~tMessenger() = default;
    virtual std::string Send(tMessengerMode mode, std::string_view recipient, std::string_view text) = 0;
};

// The alert window's SMS channel: on when the tape sends SMS and has a number.
class tSmsChannel final : public tAlertChannel {
public:
    explicit tSmsChannel(tMessenger& messenger) : messenger_(messenger) {}
    bool Enabled(const tTickerTape& tape) const override;
    std::string SendingLine(const tTickerTape& tape) const override;
    std::string Send(const tTickerItem& item, const tTickerTape& tape,
                     const std::string& alertMessage) override;

private:
    tMessenger& messenger_;
};

// The chat channel; its message links to the symbol's page on the current quote host.
class tChatChannel final : public tAlertChannel {
public:
    tChatChannel(tMessenger& messenger, const tQuoteHost& quoteHost)
        : messenger_(messenger), quoteHost_(quoteHost) {}
    bool Enabled(const tTickerTape& tape) const override;
    std::string SendingLine(const tTickerTape& tape) const override;
    std::string Send(const tTickerItem& item, const tTickerTape& tape,
                     const std::string& alertMessage) override;

private:
    tMessenger& messenger_;
    const tQuoteHost& quoteHost_;
};

// The setup dialog's test buttons: send the fixed test message to the trimmed recipient and show
// the outcome in its box ("Skype SMS message" / "Skype Chat message"). True when it was sent.
bool SendTestSms(tMessenger& messenger, std::string_view recipient, double now, tMessageBoxer& boxer);
bool SendTestChat(tMessenger& messenger, std::string_view recipient, std::string_view quoteHost, double now,
                  tMessageBoxer& boxer);

} // namespace vc
