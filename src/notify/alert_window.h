// What the alert window decides without a window: its countdown, the band's colour, the alert
// message, which sound file plays, and the channels run one after another with their memo and
// history lines.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "toolkit/colors.h"

namespace vc {

class tAlertChannel;
class tTickerItem;
class tTickerTape;

inline constexpr int kCountdownTickMs = 100;

// Ticks of the countdown: 150, 200 with e-mail, 50 more with chat, 150 more with SMS.
int CountdownLength(const tTickerTape& tape);
// "This window will automatically close in 12 seconds."
std::string CountdownText(int seconds);

enum class tSendingState { Idle, Sending, ClosePending };

// The countdown of one window: a bar that steps once per tick up to its maximum.
class tAlertCountdown {
public:
    struct tTick {
        int Seconds = 0;      // what the label shows, counted before the step
        bool Flash = false;   // the band changes colour on this tick
        bool Expired = false; // the bar is full: the timer stops
        bool Close = false;   // ... and the window closes now (nothing is being sent)
    };

    void Start(int maximum);
    // One tick of a running countdown.
    tTick Tick();
    // The user touched the window: the countdown stops for good.
    void Stop();
    // The channels finished; true when the countdown ran out meanwhile and the window closes now.
    bool SendingDone();

    bool Running() const { return running_; }
    int Maximum() const { return maximum_; }
    int Position() const { return position_; }
    tSendingState Sending = tSendingState::Idle;

private:
    int maximum_ = 150;
    int position_ = 0;
    bool running_ = false;
};

// The band's colour for an item's alert state: white blended with green or red at 0.35 for a
// fired up or down alert, white otherwise.
tColor AlertBandColor(int alertState);

// The memo's first line: the message of the pending up alert, else of the pending down alert.
std::string AlertMessage(const tTickerItem& item);

// The sound file for the alert, in the tape's skin folder first and then in "SKINS"; empty when
// neither has it.
std::string AlertSoundFile(const std::string& programDir, const std::string& skinName, bool up);

// Where the channels write while they run.
struct tAlertMemo {
    std::function<void(const std::string&)> AddLine;
    std::function<void()> DeleteLastLine;
    std::function<std::string()> FirstLine;
};

// Runs the channels in order, each with the convention of the window: nothing when switched off;
// else its sending line, the send, the sending line removed, the result line in the memo and,
// after two blanks, in the history file.
void RunAlertChannels(const std::vector<tAlertChannel*>& channels, const tTickerItem& item, tTickerTape& tape,
                      const tAlertMemo& memo);

} // namespace vc
