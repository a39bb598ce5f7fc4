#include "notify/messenger.h"

#include "market/quote_host.h"
#include "tape/ticker_item.h"
#include "tape/ticker_tape.h"
#include "toolkit/dates.h"
#include "toolkit/message_boxer.h"
#include "toolkit/text.h"

namespace vc {

namespace {

std::string SentOn(double now) {
    return DateOf(now) + " " + ShortTimeOf(now);
}

} // namespace

std::string MessengerModeArgument(tMessengerMode mode) {
    return mode == tMessengerMode::Chat ? "/MSG" : "/SMS";
}

std::string MessengerSection(tMessengerMode mode) {
    return mode == tMessengerMode::Chat ? "Chat" : "SMS";
}

std::string MessengerText(std::string_view text) {
    std::string line;
    line.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            line += '|';
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else if (c == '\n') {
            line += '|';
        } else if (c == '"') {
            line += '-';
        } else {
            line += c;
        }
    }
    return line;
}

std::string QuotePageUrl(std::string_view quoteHost, std::string_view symbol) {
    return "http://" + std::string(quoteHost) + "/q?s=" + std::string(symbol);
}

std::string SmsAlertText(const tTickerItem& item, std::string_view alertMessage, double now) {
    std::string text = Trim(item.DisplayName()) + " (" + item.Symbol + ") ";
    if (!alertMessage.empty()) {
        text += std::string(alertMessage) + ". ";
    }
    return text + "Sent by Velocrest on " + SentOn(now) + " (prices are delayed)";
}

std::string ChatAlertText(const tTickerItem& item, std::string_view alertMessage, std::string_view quoteHost,
                          double now) {
    return "Velocrest Message :||" + item.DisplayName() + " (" + item.Symbol + ") |" +
           std::string(alertMessage) + "|" + QuotePageUrl(quoteHost, item.Symbol) + "||Message sent on " +
           SentOn(now) + "|(prices are delayed)";
}

std::string TestSmsText(double now) {
    return "MICROSOFT (TEST) 56.6$ raised above your ALERT (56$). Sent by Velocrest on " + SentOn(now) +
           " (prices are delayed)";
}

std::string TestChatText(std::string_view quoteHost, double now) {
    return "Velocrest Message :||MICROSOFT (TEST) 56.6$|raised above your ALERT (56$)|" +
           QuotePageUrl(quoteHost, "MSFT") + "||Message sent on " + SentOn(now) + "|(prices are delayed)";
}

bool tSmsChannel::Enabled(const tTickerTape& tape) const {
    return tape.SkypeSMS && !tape.SkypeSmsTo.empty();
}

std::string tSmsChannel::SendingLine(const tTickerTape& tape) const {
    return "Sending Skype SMS to : " + tape.SkypeSmsTo + "...";
}

std::string tSmsChannel::Send(const tTickerItem& item, const tTickerTape& tape,
                              const std::string& alertMessage) {
    const std::string result = messenger_.Send(tMessengerMode::Sms, tape.SkypeSmsTo,
                                               SmsAlertText(item, alertMessage, tape.Clock().Now()));
    return result.empty() ? "Skype SMS message was sent to : " + tape.SkypeSmsTo
                          : "Skype SMS Error : " + result;
}

bool tChatChannel::Enabled(const tTickerTape& tape) const {
    return tape.SkypeChat && !tape.SkypeChatTo.empty();
}

std::string tChatChannel::SendingLine(const tTickerTape& tape) const {
    return "Sending Skype CHAT message to : " + tape.SkypeChatTo + "...";
}

std::string tChatChannel::Send(const tTickerItem& item, const tTickerTape& tape,
                               const std::string& alertMessage) {
    const std::string result =
        messenger_.Send(tMessengerMode::Chat, tape.SkypeChatTo,
                        ChatAlertText(item, alertMessage, quoteHost_.Host, tape.Clock().Now()));
    return result.empty() ? "Skype Chat message was sent to : " + tape.SkypeChatTo
                          : "Skype Error : " + result;
}

bool SendTestSms(tMessenger& messenger, std::string_view recipient, double now, tMessageBoxer& boxer) {
    const std::string result = messenger.Send(tMessengerMode::Sms, Trim(recipient), TestSmsText(now));
    if (!result.empty()) {
        boxer.Ask(result, "Skype SMS message", tMsgKind::Error, kMbOK);
        return false;
    }
    boxer.Ask("The SMS message was sent successfully.", "Skype SMS message", tMsgKind::Information, kMbOK);
    return true;
}

bool SendTestChat(tMessenger& messenger, std::string_view recipient, std::string_view quoteHost, double now,
                  tMessageBoxer& boxer) {
    const std::string result =
        messenger.Send(tMessengerMode::Chat, Trim(recipient), TestChatText(quoteHost, now));
    if (!result.empty()) {
        boxer.Ask(result, "Skype Chat message", tMsgKind::Error, kMbOK);
        return false;
    }
    boxer.Ask("The message was sent successfully.", "Skype Chat message", tMsgKind::Information, kMbOK);
    return true;
}

} // namespace vc
