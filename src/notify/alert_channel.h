// One way of telling the user about a fired alert beyond the alert window itself: e-mail, SMS or a
// chat message. The alert window runs the channels in turn with one convention (a "sending" line in
// its memo while the channel works, then the channel's result line in the memo and in the history
// file); the channel only knows whether it is switched on, what it is doing and how it went.
#pragma once

#include <string>

namespace vc {

class tTickerItem;
class tTickerTape;

class tAlertChannel {
public:
    virtual ~tAlertChannel() = default;
    // Whether this tape's settings ask for the channel (its switch, and its address where it needs
    // one).
    virtual bool Enabled(const tTickerTape& tape) const = 0;
    // The memo line shown while the channel sends ("Sending email to : ...").
    virtual std::string SendingLine(const tTickerTape& tape) const = 0;
    // Sends for the item synchronously; the event loop keeps running meanwhile, so the window's
    // countdown goes on. alertMessage is the first line of the window's memo. Returns the result
    // line, whether the send worked or not.
    virtual std::string Send(const tTickerItem& item, const tTickerTape& tape,
                             const std::string& alertMessage) = 0;
};

} // namespace vc
