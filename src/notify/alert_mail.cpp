#include "notify/alert_mail.h"

#include "tape/ticker_item.h"
#include "tape/ticker_tape.h"
#include "toolkit/dates.h"
#include "toolkit/message_boxer.h"
#include "toolkit/text.h"

#include <cstdio>
#include <cstdlib>

namespace vc {

namespace {

constexpr std::size_t kTradesInMail = 5;

const char* const kFooter[] = {
    "This alert was sent by Velocrest, the stock ticker tape with price alerts,",
    "running on your own computer. Set up its alerts from the tape's menu.",
    "https://velocrest.example",
};

bool HasHighBytes(std::string_view text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return true;
        }
    }
    return false;
}

// An encoded word (RFC 2047) for a subject with bytes above 127, so it survives servers that only
// carry seven bits in headers.
std::string EncodedSubject(const std::string& subject) {
    if (!HasHighBytes(subject)) {
        return subject;
    }
    std::string word = "=?iso-8859-1?Q?";
    for (const char c : subject) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == ' ') {
            word += '_';
        } else if (byte >= 0x80 || byte == '=' || byte == '?' || byte == '_' || byte < 0x20) {
            char hex[4];
            std::snprintf(hex, sizeof hex, "=%02X", byte);
            word += hex;
        } else {
            word += c;
        }
    }
    return word + "?=";
}

} // namespace

std::vector<std::string> SplitRecipients(std::string_view text) {
    std::vector<std::string> recipients;
    std::string rest(text);
    while (!rest.empty()) {
        const std::size_t semicolon = rest.find(';');
        recipients.push_back(rest.substr(0, semicolon));
        rest = semicolon == std::string::npos ? std::string()
                                              : Trim(std::string_view(rest).substr(semicolon + 1));
    }
    return recipients;
}

std::string ToHeader(const std::vector<std::string>& recipients) {
    std::string header;
    for (const std::string& recipient : recipients) {
        header += (header.empty() ? "" : ",\r\n\t") + HeaderText(recipient);
    }
    return header;
}

std::string AlertMailSubject(const tTickerItem& item) {
    return "Velocrest alert on " + item.DisplayName() + " (" + item.Symbol + ")...";
}

std::vector<std::string> AlertMailLines(const tTickerItem& item, std::string_view alertMessage,
                                        std::string_view shortDateFormat) {
    std::vector<std::string> lines = {"",
                                      "NAME : " + item.DisplayName(),
                                      "SYMBOL : " + item.Symbol,
                                      "",
                                      std::string(alertMessage),
                                      "",
                                      "5 last trades : ",
                                      ""};
    const std::vector<std::string>& trades = item.RecentTrades;
    const std::size_t first = trades.size() > kTradesInMail ? trades.size() - kTradesInMail : 0;
    for (std::size_t i = first; i < trades.size(); ++i) {
        const std::string date = Field(trades[i], 1);
        const double day = ParseDate(date);
        lines.push_back("  " + (day != 0 ? FormatDate(day, shortDateFormat) : date) + "  " +
                        Field(trades[i], 2).substr(0, 5) + "  " + Field(trades[i], 6) + "  " +
                        Field(trades[i], 7));
    }
    lines.insert(lines.end(), {"", "(prices are delayed)", ""});
    lines.insert(lines.end(), std::begin(kFooter), std::end(kFooter));
    lines.emplace_back();
    return lines;
}

tMailMessage AlertMail(const tTickerItem& item, const tTickerTape& tape, std::string_view alertMessage) {
    return {tape.MailAccount, SplitRecipients(tape.MailTo), AlertMailSubject(item),
            AlertMailLines(item, alertMessage, tape.Values().ShortDateFormat)};
}

tMailMessage TestMail(std::string_view sender, std::string_view recipients) {
    std::vector<std::string> lines = {"(This is a TEST, please ignore)",
                                      "",
                                      "NAME : MICROSOFT",
                                      "SYMBOL : MSFT",
                                      "",
                                      "CLOSE (56.65) raised above ALERT (56)",
                                      "",
                                      "5 last trades : ",
                                      "",
                                      "10/05/2006  16:09  55.95  201057",
                                      "10/05/2006  16:10  55.95  201237",
                                      "10/05/2006  17:09  55.65  484357",
                                      "10/05/2006  17:10  55.65  484702",
                                      "10/05/2006  17:11  56.65  485036",
                                      "",
                                      "(prices are delayed)",
                                      ""};
    lines.insert(lines.end(), std::begin(kFooter), std::end(kFooter));
    lines.emplace_back();
    return {Trim(sender), SplitRecipients(Trim(recipients)), std::string(kTestMailSubject), std::move(lines)};
}

std::string HeaderText(std::string_view text) {
    std::string clean(text);
    for (char& c : clean) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return clean;
}

std::string AddressProblem(std::string_view address) {
    if (address.find_first_of("\r\n") != std::string_view::npos) {
        return "the address \"" + HeaderText(address) + "\" holds a line break";
    }
    if (address.find_first_of(std::string_view("<>\0", 3)) != std::string_view::npos) {
        return "the address \"" + HeaderText(address) + "\" holds a character no address may hold";
    }
    return {};
}

std::string MailDateText(double localNow, int utcOffsetMinutes) {
    static constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const tDateParts date = DecodeDate(localNow);
    const tTimeParts time = DecodeTime(localNow);
    const int offset = std::abs(utcOffsetMinutes) % (24 * 60);
    char text[48];
    std::snprintf(text, sizeof text, "%s, %d %s %04d %02d:%02d:%02d %c%02d%02d",
                  kDays[(DayOfWeek(localNow) + 6) % 7], date.Day, kMonths[(date.Month + 11) % 12],
                  date.Year % 10000, time.Hour, time.Minute, time.Second, utcOffsetMinutes < 0 ? '-' : '+',
                  offset / 60, offset % 60);
    return text;
}

std::string MailData(const tMailMessage& message, double localNow, int utcOffsetMinutes) {
    const std::string sender = HeaderText(message.Sender);
    std::string data = "From: " + sender + "\r\nReply-To: " + sender +
                       "\r\nTo: " + ToHeader(message.Recipients) +
                       "\r\nSubject: " + EncodedSubject(HeaderText(message.Subject)) +
                       "\r\nDate: " + MailDateText(localNow, utcOffsetMinutes) +
                       "\r\nX-Priority: 1\r\nMIME-Version: 1.0\r\n"
                       "Content-Type: text/plain; charset=iso-8859-1\r\n"
                       "Content-Transfer-Encoding: 8bit\r\n\r\n";
    for (const std::string& entry : message.Lines) {
        // A line of its own for every CR, LF or CR LF inside the entry.
        std::size_t start = 0;
        while (true) {
            const std::size_t end = entry.find_first_of("\r\n", start);
            const std::string_view line = std::string_view(entry).substr(start, end - start);
            data += (line.starts_with('.') ? "." : "") + std::string(line) + "\r\n";
            if (end == std::string::npos) {
                break;
            }
            start = end + (entry.compare(end, 2, "\r\n") == 0 ? 2 : 1);
        }
    }
    return data;
}

bool ParseMailServer(std::string_view text, tSmtpServer& server) {
    const std::string trimmed = Trim(text);
    std::string host = trimmed;
    std::string port;
    if (trimmed.starts_with('[')) {
        const std::size_t close = trimmed.find(']');
        if (close == std::string::npos) {
            return false;
        }
        host = trimmed.substr(1, close - 1);
        if (close + 1 < trimmed.size()) {
            if (trimmed[close + 1] != ':') {
                return false;
            }
            port = trimmed.substr(close + 2);
        }
    } else if (CountChar(trimmed, ':') == 1) {
        host = trimmed.substr(0, trimmed.find(':'));
        port = trimmed.substr(trimmed.find(':') + 1);
    }
    host = Trim(host);
    if (host.empty() || host.find_first_of(" \t\r\n/") != std::string::npos) {
        return false;
    }
    int number = 25;
    if (!port.empty() || trimmed.ends_with(':')) {
        if (port.empty() || port.size() > 5 || port.find_first_not_of("0123456789") != std::string::npos) {
            return false;
        }
        number = std::atoi(port.c_str());
        if (number < 1 || number > 65535) {
            return false;
        }
    }
    server.Host = host;
    server.Port = number;
    server.Security = number == 587   ? tSmtpSecurity::StartTls
                      : number == 465 ? tSmtpSecurity::Tls
                                      : tSmtpSecurity::None;
    return true;
}

std::string MailServerKey(const tSmtpServer& server) {
    const bool v6 = server.Host.find(':') != std::string::npos;
    return (v6 ? "[" + server.Host + "]" : server.Host) + ":" + std::to_string(server.Port);
}

bool tMailChannel::Enabled(const tTickerTape& tape) const {
    return tape.SendMails;
}

std::string tMailChannel::SendingLine(const tTickerTape& tape) const {
    return "Sending email to : " + tape.MailTo;
}

std::string tMailChannel::Send(const tTickerItem& item, const tTickerTape& tape,
                               const std::string& alertMessage) {
    const std::string error = sender_.SendMail(tape.MailServer, AlertMail(item, tape, alertMessage));
    return error.empty() ? "E-mail was sent to : " + tape.MailTo : "The alert e-mail was NOT sent : " + error;
}

std::string SendTestMail(tMailSender& sender, std::string_view server, std::string_view account,
                         std::string_view recipients) {
    if (UpperText(Trim(server)) == "MAPI") {
        return "MAPI function not installed on this system.";
    }
    return sender.SendMail(Trim(server), TestMail(account, recipients));
}

tTestMailReport ReportTestMail(const std::string& outcome, std::string_view recipients,
                               tMessageBoxer& boxer) {
    if (!outcome.empty()) {
        boxer.Ask(
            ReplaceAll(
                "An error occurred while sending the e-mail :\xA6\xA6%s.\xA6\xA6Please check your e-mail "
                "settings again and try again.",
                "%s", outcome),
            "Email settings", tMsgKind::Error, kMbOK);
        return {false, false, false};
    }
    boxer.Ask(
        ReplaceAll(
            "The test e-mail was succesfully sent to :\xA6\xA6%s.\xA6\xA6Please check this mailbox to see "
            "if the e-mail has arrived.",
            "%s", Trim(recipients)),
        "Email settings", tMsgKind::Warning, kMbOK);
    return {true, true, true};
}

} // namespace vc
