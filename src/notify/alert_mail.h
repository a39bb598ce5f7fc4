// The alert e-mail and the test e-mail: who they go to, their subject and lines, and the exact bytes
// the SMTP client hands over after DATA. Names and symbols come from quote pages and symbol files,
// so nothing taken from them may break a header or end the message early.
#pragma once

#include "notify/alert_channel.h"

#include <string>
#include <string_view>
#include <vector>

namespace vc {

class tMessageBoxer;
class tTickerItem;
class tTickerTape;

// Sent with HELO / EHLO.
inline constexpr std::string_view kMailSignOn = "Velocrest";
// How long one step of the conversation may wait for the server.
inline constexpr int kMailStepTimeoutMs = 15000;
inline constexpr std::string_view kTestMailSubject = "Velocrest alert on Microsoft (MSFT)...";

struct tMailMessage {
    std::string Sender;                  // MAIL FROM, From and Reply-To
    std::vector<std::string> Recipients; // RCPT TO, and the To header
    std::string Subject;
    std::vector<std::string> Lines; // the body, one entry a line
};

// "a@x; b@y" -> {"a@x", "b@y"}: the part before each ";" taken as it is, the rest trimmed.
std::vector<std::string> SplitRecipients(std::string_view text);
// The recipients joined by "," and a fold (CR LF and a tab).
std::string ToHeader(const std::vector<std::string>& recipients);

// "Velocrest alert on " + display name + " (" + symbol + ")...".
std::string AlertMailSubject(const tTickerItem& item);
// The 14 parts of the alert e-mail; the trades are the last five of the item's recent trades,
// oldest first, with their dates in the user's short date format.
std::vector<std::string> AlertMailLines(const tTickerItem& item, std::string_view alertMessage,
                                        std::string_view shortDateFormat);
tMailMessage AlertMail(const tTickerItem& item, const tTickerTape& tape, std::string_view alertMessage);
// The fixed test message from the setup dialog's boxes (each trimmed).
tMailMessage TestMail(std::string_view sender, std::string_view recipients);

// A header value with every CR and LF turned into a blank.
std::string HeaderText(std::string_view text);
// Empty when the address may go into MAIL FROM / RCPT TO; else why it may not.
std::string AddressProblem(std::string_view address);
// "Thu, 10 Dec 2026 14:30:05 +0100" of a local date-time and its offset from UTC.
std::string MailDateText(double localNow, int utcOffsetMinutes);
// Everything after DATA up to (not including) the closing ".": the headers, an empty line and the
// body, every line ended by CR LF and every line that begins with "." doubled. A CR or LF inside a
// body line starts a new line, so no text can end the message early.
std::string MailData(const tMailMessage& message, double localNow, int utcOffsetMinutes);

// Where the mail goes. "host" or "host:port" ("[v6]:port" too); port 25 when none is given. 587
// asks for STARTTLS and 465 for TLS from the start; any other port talks plain SMTP.
enum class tSmtpSecurity { None, StartTls, Tls };
struct tSmtpServer {
    std::string Host;
    int Port = 25;
    tSmtpSecurity Security = tSmtpSecurity::None;
};
// False, with server untouched, for an empty host or a port that is no number in 1..65535.
bool ParseMailServer(std::string_view text, tSmtpServer& server);
// "host:port" ("[v6]:port"), under which the server's login is kept.
std::string MailServerKey(const tSmtpServer& server);

// Whatever carries a message to a mail server ("host" or "host:port", as the settings hold it).
class tMailSender {
public:
    virtual ~tMailSender() = default;
    // Runs the whole conversation; empty on success, else the step error ("RCPT TO: 550 ...").
    virtual std::string SendMail(std::string_view mailServer, const tMailMessage& message) = 0;
};

// The alert window's e-mail channel: on when the tape sends mails.
class tMailChannel final : public tAlertChannel {
public:
    explicit tMailChannel(tMailSender& sender) : sender_(sender) {}
    bool Enabled(const tTickerTape& tape) const override;
    std::string SendingLine(const tTickerTape& tape) const override;
    std::string Send(const tTickerItem& item, const tTickerTape& tape,
                     const std::string& alertMessage) override;

private:
    tMailSender& sender_;
};

// The setup dialog's test e-mail. "MAPI" as server (any case) asks for a mail client this system
// does not have; anything else goes to the server. Returns the outcome, empty on success.
std::string SendTestMail(tMailSender& sender, std::string_view server, std::string_view account,
                         std::string_view recipients);

// What the setup dialog does after a test e-mail, once the user saw the outcome.
struct tTestMailReport {
    bool Sent = false;
    bool KeepSendingMails = false; // false turns the dialog's e-mail switch off
    bool TestButtonEnabled = false;
};
// Shows the outcome in its box, titled "Email settings".
tTestMailReport ReportTestMail(const std::string& outcome, std::string_view recipients, tMessageBoxer& boxer);

} // namespace vc
