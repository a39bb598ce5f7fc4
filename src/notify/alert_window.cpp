#include "notify/alert_window.h"

#include <filesystem>

#include "notify/alert_channel.h"
#include "tape/alerts.h"
#include "tape/history.h"
#include "tape/ticker_item.h"
#include "tape/ticker_tape.h"
#include "toolkit/file_names.h"
#include "toolkit/text.h"

namespace vc {

int CountdownLength(const tTickerTape& tape) {
    int ticks = tape.SendMails ? 200 : 150;
    if (tape.SkypeChat) {
        ticks += 50;
    }
    if (tape.SkypeSMS) {
        ticks += 150;
    }
    return ticks;
}

std::string CountdownText(int seconds) {
    return "This window will automatically close in " + std::to_string(seconds) + " seconds.";
}

void tAlertCountdown::Start(int maximum) {
    maximum_ = maximum;
    position_ = 0;
    running_ = true;
}

tAlertCountdown::tTick tAlertCountdown::Tick() {
    tTick tick;
    if (!running_) {
        return tick;
    }
    // The seconds left once this step is taken, rounded up: a 15-second countdown shows 15 for its
    // first second and 1 for its last, never 16.
    tick.Seconds = (maximum_ * kCountdownTickMs - (position_ + 1) * kCountdownTickMs) / 1000 + 1;
    ++position_;
    if (position_ >= maximum_) {
        running_ = false;
        tick.Expired = true;
        if (Sending == tSendingState::Idle) {
            tick.Close = true;
        } else {
            Sending = tSendingState::ClosePending;
        }
    }
    tick.Flash = position_ % 5 == 0;
    return tick;
}

void tAlertCountdown::Stop() {
    running_ = false;
    position_ = 0;
}

bool tAlertCountdown::SendingDone() {
    if (running_) {
        Sending = tSendingState::Idle;
        return false;
    }
    const bool close = Sending == tSendingState::ClosePending;
    Sending = tSendingState::Idle;
    return close;
}

tColor AlertBandColor(int alertState) {
    switch (alertState) {
    case 3:
        return 0xA6FFA6; // red 166, green 255, blue 166
    case 2:
        return 0xA6A6FF; // red 255, green 166, blue 166
    default:
        return kClWhite;
    }
}

std::string AlertMessage(const tTickerItem& item) {
    return Field(item.PendingAlertUp.empty() ? item.PendingAlertDown : item.PendingAlertUp, 4);
}

std::string AlertSoundFile(const std::string& programDir, const std::string& skinName, bool up) {
    const std::string file = up ? "Alert_UP.WAV" : "Alert_DOWN.WAV";
    for (const std::string& stored : {"SKINS\\" + skinName + "\\" + file, "SKINS\\" + file}) {
        const std::filesystem::path path = ResolveCaseless(programDir, stored);
        std::error_code error;
        if (std::filesystem::is_regular_file(path, error)) {
            return path.string();
        }
    }
    return {};
}

void RunAlertChannels(const std::vector<tAlertChannel*>& channels, const tTickerItem& item, tTickerTape& tape,
                      const tAlertMemo& memo) {
    for (tAlertChannel* channel : channels) {
        if (channel == nullptr || !channel->Enabled(tape)) {
            continue;
        }
        memo.AddLine(channel->SendingLine(tape));
        const std::string result = channel->Send(item, tape, memo.FirstLine());
        memo.DeleteLastLine();
        memo.AddLine(result);
        AppendHistory(tape.Values(), "  " + result);
    }
}

} // namespace vc
