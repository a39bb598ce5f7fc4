#include "notify/alert_window.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "notify/alert_channel.h"
#include "tape/history.h"
#include "tape/tape_test_support.h"

namespace vc {
namespace {

TEST(AlertCountdownTest, LengthFollowsTheChannelsSwitchedOn) {
    const struct {
        bool Mails;
        bool Chat;
        bool Sms;
        int Ticks;
    } cases[] = {{false, false, false, 150}, {true, false, false, 200}, {false, true, false, 200},
                 {false, false, true, 300},  {true, true, false, 250},  {true, true, true, 400}};
    for (const auto& c : cases) {
        test::tTapeWorld world;
        world.Tape->SendMails = c.Mails;
        world.Tape->SkypeChat = c.Chat;
        world.Tape->SkypeSMS = c.Sms;
        EXPECT_EQ(CountdownLength(*world.Tape), c.Ticks) << c.Mails << c.Chat << c.Sms;
    }
}

TEST(AlertCountdownTest, LabelCountsFifteenDownToOneAndClosesAtTheEnd) {
    tAlertCountdown countdown;
    countdown.Start(150);
    std::vector<int> shown;
    std::vector<int> flashes;
    tAlertCountdown::tTick tick;
    for (int i = 0; i < 150; ++i) {
        ASSERT_FALSE(tick.Close) << i;
        tick = countdown.Tick();
        if (shown.empty() || shown.back() != tick.Seconds) {
            shown.push_back(tick.Seconds);
        }
        if (tick.Flash) {
            flashes.push_back(countdown.Position());
        }
    }
    EXPECT_EQ(shown, (std::vector<int>{15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1}));
    EXPECT_TRUE(tick.Expired);
    EXPECT_TRUE(tick.Close);
    EXPECT_FALSE(countdown.Running());
    EXPECT_EQ(flashes.size(), 30u) << "every half second";
    EXPECT_EQ(flashes.front(), 5);
}

TEST(AlertCountdownTest, NeverClosesWhileSending) {
    tAlertCountdown countdown;
    countdown.Start(3);
    countdown.Sending = tSendingState::Sending;
    countdown.Tick();
    countdown.Tick();
    const auto last = countdown.Tick();
    EXPECT_TRUE(last.Expired);
    EXPECT_FALSE(last.Close);
    EXPECT_EQ(countdown.Sending, tSendingState::ClosePending);
    EXPECT_TRUE(countdown.SendingDone()) << "closes as soon as the send is over";

    // Touched during the send: it stays open afterwards.
    countdown.Start(3);
    countdown.Sending = tSendingState::Sending;
    countdown.Tick();
    countdown.Stop();
    EXPECT_FALSE(countdown.SendingDone());
    EXPECT_EQ(countdown.Sending, tSendingState::Idle);
    EXPECT_FALSE(countdown.Tick().Close) << "a stopped countdown does nothing";
}

TEST(AlertWindowTest, BandColourAndMessage) {
    EXPECT_EQ(AlertBandColor(3), 0xA6FFA6u) << "red 166, green 255, blue 166";
    EXPECT_EQ(AlertBandColor(2), 0xA6A6FFu) << "red 255, green 166, blue 166";
    EXPECT_EQ(AlertBandColor(1), kClWhite);

    tTickerItem item;
    item.PendingAlertDown = "a|b|c|Down message|e";
    EXPECT_EQ(AlertMessage(item), "Down message");
    item.PendingAlertUp = "a|b|c|Up message";
    EXPECT_EQ(AlertMessage(item), "Up message") << "the up alert first";
}

TEST(AlertWindowTest, SoundFromTheSkinThenFromSkins) {
    test::tTempDir dir;
    const std::string programDir = dir.Path().string() + "/";
    EXPECT_EQ(AlertSoundFile(programDir, "Classic", true), "") << "no sound files: the beep";
    std::filesystem::create_directories(dir.Path() / "SKINS" / "classic");
    dir.Write("SKINS/Alert_UP.WAV", "RIFF");
    dir.Write("SKINS/Alert_DOWN.WAV", "RIFF");
    dir.Write("SKINS/classic/alert_up.wav", "RIFF");
    EXPECT_EQ(AlertSoundFile(programDir, "Classic", true),
              (dir.Path() / "SKINS/classic/alert_up.wav").string());
    EXPECT_EQ(AlertSoundFile(programDir, "Classic", false), (dir.Path() / "SKINS/Alert_DOWN.WAV").string());
    EXPECT_EQ(AlertSoundFile(programDir, "", true), (dir.Path() / "SKINS/Alert_UP.WAV").string());
}

// A channel that reports what it was given and answers with a fixed result.
class tRecordingChannel : public tAlertChannel {
public:
    tRecordingChannel(std::string name, bool enabled) : name_(std::move(name)), enabled_(enabled) {}
    bool Enabled(const tTickerTape&) const override { return enabled_; }
    std::string SendingLine(const tTickerTape&) const override { return "Sending " + name_; }
    std::string Send(const tTickerItem&, const tTickerTape&, const std::string& message) override {
        Messages.push_back(message);
        return name_ + " sent";
    }
    std::vector<std::string> Messages;

private:
    std::string name_;
    bool enabled_;
};

TEST(AlertWindowTest, ChannelsRunInOrderWithTheirMemoAndHistoryLines) {
    test::tTapeWorld world;
    tTickerItem item;
    tRecordingChannel mail("mail", true);
    tRecordingChannel sms("sms", false);
    tRecordingChannel chat("chat", true);
    std::vector<std::string> memo = {"Price rose above 50"};
    std::vector<std::string> log;
    tAlertMemo writer;
    writer.AddLine = [&](const std::string& line) {
        memo.push_back(line);
        log.push_back("+" + line);
    };
    writer.DeleteLastLine = [&] {
        log.push_back("-" + memo.back());
        memo.pop_back();
    };
    writer.FirstLine = [&] { return memo.front(); };

    RunAlertChannels({&mail, &sms, &chat}, item, *world.Tape, writer);

    EXPECT_EQ(log, (std::vector<std::string>{"+Sending mail", "-Sending mail", "+mail sent", "+Sending chat",
                                             "-Sending chat", "+chat sent"}));
    EXPECT_EQ(chat.Messages, std::vector<std::string>{"Price rose above 50"})
        << "line 0 is the alert message";
    EXPECT_TRUE(sms.Messages.empty());
    EXPECT_EQ(test::ReadFileBytes(HistoryFileName(world.Values)), "  mail sent\r\n  chat sent\r\n");
}

} // namespace
} // namespace vc
