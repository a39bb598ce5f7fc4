// tScr_AlertForm, the alert window: one fired alert with its latest prices, the alert sound, the
// e-mail, SMS and chat channels run one after another, and a countdown that closes the window
// unless the user touches it. Modal and on top; it holds the item and the tape without owning them.
#pragma once

#include <QDialog>

#include <functional>
#include <vector>

#include "notify/alert_window.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTimer;

namespace vc {

class tAlertChannel;
class tAlertSound;
class tTickerItem;
class tTickerTape;

class tScr_AlertForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kResultClose = 1;
    static constexpr int kResultTimedOut = 2;
    static constexpr int kResultReschedule = 99;

    // channels run in the order given (e-mail, SMS, chat); bringIntoView scrolls the tape so the
    // item shows at its left part. The window restores the tape's direction when it goes.
    tScr_AlertForm(tTickerItem* item, tTickerTape& tape, std::vector<tAlertChannel*> channels,
                   tAlertSound& sound, std::function<void(const tTickerItem&)> bringIntoView,
                   QWidget* parent = nullptr);
    ~tScr_AlertForm() override;

    // One countdown step, as the window's timer runs it every 100 ms.
    void Tick();

    QTimer* Timer() const { return timer_; }
    const tAlertCountdown& Countdown() const { return countdown_; }
    QFrame* Panel() const { return panel_; }
    QLabel* LblCountDown() const { return lblCountDown_; }
    QPlainTextEdit* EditMemo() const { return editMemo_; }
    QLineEdit* EditProc() const { return editProc_; }
    QPushButton* BtnReschedule() const { return btnReschedule_; }
    QPushButton* BtnClose() const { return btnClose_; }
    QPushButton* BtnFocus() const { return btnFocus_; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FirstActivation();
    void StopCountdown();
    void SetBand(bool alertColour);

    tTickerItem* item_;
    tTickerTape& tape_;
    std::vector<tAlertChannel*> channels_;
    tAlertSound& sound_;
    std::function<void(const tTickerItem&)> bringIntoView_;
    bool activated_ = false;
    int oldDirection_ = 0;
    bool directionTaken_ = false;
    int alertState_ = 0;
    bool bandInColour_ = false;
    tAlertCountdown countdown_;

    QFrame* panel_ = nullptr;
    QLabel* lblTitName_ = nullptr;
    QLabel* lblTitTick_ = nullptr;
    QLineEdit* editDate_ = nullptr;
    QLineEdit* editTime_ = nullptr;
    QLineEdit* editLast_ = nullptr;
    QLineEdit* editProc_ = nullptr;
    QLineEdit* editPrev_ = nullptr;
    QLineEdit* editAbs_ = nullptr;
    QLineEdit* editLow_ = nullptr;
    QLineEdit* editHigh_ = nullptr;
    QPlainTextEdit* editMemo_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* lblCountDown_ = nullptr;
    QPushButton* btnClose_ = nullptr;
    QPushButton* btnReschedule_ = nullptr;
    QPushButton* btnFocus_ = nullptr;
    QTimer* timer_ = nullptr;
};

} // namespace vc
