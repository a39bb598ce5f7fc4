#include "notify/qt/alert_form.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>
#include <QVBoxLayout>

#include "notify/alert_sound.h"
#include "tape/alerts.h"
#include "tape/quote_texts.h"
#include "tape/ticker_item.h"
#include "tape/ticker_tape.h"
#include "toolkit/qt/qt_color.h"
#include "toolkit/qt/win1252_codec.h"
#include "toolkit/text.h"

namespace vc {

namespace {

constexpr QColor kNavy(0, 0, 128);
constexpr int kClientWidth = 362;
constexpr int kClientHeight = 279;

QLineEdit* ValueBox(bool bold = false) {
    auto* box = new QLineEdit;
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::ClickFocus);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Text, kNavy);
    box->setPalette(palette);
    if (bold) {
        QFont font = box->font();
        font.setBold(true);
        box->setFont(font);
    }
    return box;
}

} // namespace

tScr_AlertForm::tScr_AlertForm(tTickerItem* item, tTickerTape& tape, std::vector<tAlertChannel*> channels,
                               tAlertSound& sound, std::function<void(const tTickerItem&)> bringIntoView,
                               QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::WindowContextHelpButtonHint),
      item_(item), tape_(tape), channels_(std::move(channels)), sound_(sound),
      bringIntoView_(std::move(bringIntoView)) {
    setObjectName("Scr_Alert");
    setWindowTitle("Alert on Symbol");
    setModal(true);
    setFixedSize(kClientWidth, kClientHeight);

    panel_ = new QFrame;
    panel_->setObjectName("Panel");
    panel_->setAutoFillBackground(true);
    panel_->setFrameShape(QFrame::StyledPanel);
    lblTitName_ = new QLabel;
    lblTitName_->setObjectName("Lbl_TitName");
    QFont titleFont("Arial");
    titleFont.setPixelSize(19);
    titleFont.setBold(true);
    lblTitName_->setFont(titleFont);
    lblTitTick_ = new QLabel;
    lblTitTick_->setObjectName("Lbl_TitTick");
    lblTitTick_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* band = new QHBoxLayout(panel_);
    band->setContentsMargins(8, 4, 8, 4);
    band->addWidget(lblTitName_, 1);
    band->addWidget(lblTitTick_);
    SetBand(false);

    editDate_ = ValueBox(true);
    editDate_->setObjectName("Edit_Date");
    editTime_ = ValueBox();
    editTime_->setObjectName("Edit_Time");
    editLast_ = ValueBox(true);
    editLast_->setObjectName("Edit_Last");
    editProc_ = ValueBox();
    editProc_->setObjectName("Edit_Proc");
    editPrev_ = ValueBox();
    editPrev_->setObjectName("Edit_Prev");
    editAbs_ = ValueBox();
    editAbs_->setObjectName("Edit_Abs");
    editLow_ = ValueBox();
    editLow_->setObjectName("Edit_Low");
    editHigh_ = ValueBox();
    editHigh_->setObjectName("Edit_High");

    auto* values = new QGridLayout;
    values->setVerticalSpacing(2);
    const struct {
        const char* Caption;
        QLineEdit* Left;
        QLineEdit* Right;
        const char* After;
    } rows[] = {{"Date + Time", editDate_, editTime_, ""},
                {"Last + Change%", editLast_, editProc_, "%"},
                {"Previous + Change", editPrev_, editAbs_, ""},
                {"High + Low", editLow_, editHigh_, ""}};
    for (int r = 0; r < 4; ++r) {
        values->addWidget(new QLabel(rows[r].Caption), r, 0);
        values->addWidget(rows[r].Left, r, 1);
        values->addWidget(rows[r].Right, r, 2);
        values->addWidget(new QLabel(rows[r].After), r, 3);
    }
    values->setColumnStretch(1, 1);
    values->setColumnStretch(2, 1);

    editMemo_ = new QPlainTextEdit;
    editMemo_->setObjectName("Edit_Memo");
    editMemo_->setReadOnly(true);
    editMemo_->setFocusPolicy(Qt::ClickFocus);
    QPalette memoPalette = editMemo_->palette();
    memoPalette.setColor(QPalette::Text, kNavy);
    editMemo_->setPalette(memoPalette);

    progress_ = new QProgressBar;
    progress_->setObjectName("Progress");
    progress_->setRange(0, 150);
    progress_->setValue(0);
    progress_->setTextVisible(false);
    progress_->setFixedHeight(10);
    lblCountDown_ = new QLabel;
    lblCountDown_->setObjectName("Lbl_CountDown");

    btnClose_ = new QPushButton("Close");
    btnClose_->setObjectName("btn_Close");
    btnClose_->setDefault(true);
    btnReschedule_ = new QPushButton("Reschedule...");
    btnReschedule_->setObjectName("Btn_Reschedule");
    connect(btnClose_, &QPushButton::clicked, this, [this] { done(kResultClose); });
    connect(btnReschedule_, &QPushButton::clicked, this, [this] { done(kResultReschedule); });

    // Holds the keyboard focus while the countdown runs; the user moving the focus elsewhere is
    // what stops the countdown. It sits outside the visible area and out of the tab order.
    btnFocus_ = new QPushButton(this);
    btnFocus_->setObjectName("Btn_Focus");
    btnFocus_->setFocusPolicy(Qt::ClickFocus);
    btnFocus_->setGeometry(-200, -200, 20, 20);
    btnFocus_->installEventFilter(this);
    for (QWidget* touch : std::initializer_list<QWidget*>{panel_, lblTitName_, lblTitTick_, lblCountDown_}) {
        touch->installEventFilter(this);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnReschedule_);
    buttons->addWidget(btnClose_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(panel_);
    layout->addLayout(values);
    layout->addWidget(editMemo_, 1);
    layout->addWidget(progress_);
    layout->addWidget(lblCountDown_);
    layout->addLayout(buttons);

    timer_ = new QTimer(this);
    timer_->setObjectName("Timer");
    timer_->setInterval(kCountdownTickMs);
    connect(timer_, &QTimer::timeout, this, &tScr_AlertForm::Tick);
}

tScr_AlertForm::~tScr_AlertForm() {
    if (directionTaken_) {
        tape_.Direction = oldDirection_;
    }
}

void tScr_AlertForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (activated_) {
        return;
    }
    activated_ = true;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    btnFocus_->setFocus();
    // After the window is on screen: the channels keep the event loop running while they send,
    // which must not happen inside the show itself.
    QTimer::singleShot(0, this, &tScr_AlertForm::FirstActivation);
}

void tScr_AlertForm::FirstActivation() {
    if (item_ == nullptr) {
        timer_->start();
        return;
    }
    oldDirection_ = tape_.Direction;
    directionTaken_ = true;
    tape_.Direction = kDirectionHold;
    if (bringIntoView_) {
        bringIntoView_(*item_);
    }
    lblTitName_->setText(FromWin1252(UpperText(item_->DisplayName())));
    lblTitTick_->setText(FromWin1252(item_->Symbol));

    alertState_ = AlertState(*item_);
    SetBand(true);

    const bool up = alertState_ == 3;
    const std::string sound = AlertSoundFile(tape_.Values().ProgramDir, tape_.SkinName, up);
    if (sound.empty()) {
        sound_.Beep();
    } else {
        sound_.Play(sound);
    }

    editMemo_->setPlainText(FromWin1252(AlertMessage(*item_)));
    const tQuoteTexts texts = QuoteTexts(*item_);
    editDate_->setText(FromWin1252(texts.Date));
    editTime_->setText(FromWin1252(texts.Time));
    editLast_->setText(FromWin1252(texts.Last));
    editPrev_->setText(FromWin1252(texts.Prev));
    editProc_->setText(FromWin1252(texts.Percent));
    editAbs_->setText(FromWin1252(texts.Points));
    editLow_->setText(FromWin1252(texts.Low));
    editHigh_->setText(FromWin1252(texts.High));
    item_->PendingAlertUp.clear();
    item_->PendingAlertDown.clear();

    countdown_.Start(CountdownLength(tape_));
    progress_->setRange(0, countdown_.Maximum());
    progress_->setValue(0);
    timer_->start();

    countdown_.Sending = tSendingState::Sending;
    QPointer<tScr_AlertForm> alive(this);
    tAlertMemo memo;
    memo.AddLine = [this](const std::string& line) { editMemo_->appendPlainText(FromWin1252(line)); };
    memo.DeleteLastLine = [this] {
        QTextCursor cursor(editMemo_->document()->lastBlock());
        cursor.select(QTextCursor::BlockUnderCursor);
        cursor.removeSelectedText();
    };
    memo.FirstLine = [this] { return ToWin1252(editMemo_->document()->firstBlock().text()); };
    RunAlertChannels(channels_, *item_, tape_, memo);
    if (alive.isNull()) {
        return;
    }
    if (countdown_.SendingDone()) {
        done(kResultTimedOut);
    }
}

void tScr_AlertForm::Tick() {
    if (!countdown_.Running()) {
        return;
    }
    const tAlertCountdown::tTick tick = countdown_.Tick();
    progress_->setValue(countdown_.Position());
    lblCountDown_->setText(FromWin1252(CountdownText(tick.Seconds)));
    if (tick.Expired) {
        timer_->stop();
    }
    if (tick.Flash && (alertState_ == 2 || alertState_ == 3)) {
        SetBand(!bandInColour_);
    }
    if (tick.Close) {
        done(kResultTimedOut);
    }
}

void tScr_AlertForm::StopCountdown() {
    timer_->stop();
    countdown_.Stop();
    progress_->setValue(0);
    lblCountDown_->hide();
    SetBand(false);
}

void tScr_AlertForm::SetBand(bool alertColour) {
    bandInColour_ = alertColour;
    QPalette palette = panel_->palette();
    palette.setColor(QPalette::Window, ToQColor(alertColour ? AlertBandColor(alertState_) : kClWhite));
    panel_->setPalette(palette);
}

bool tScr_AlertForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == btnFocus_ && event->type() == QEvent::FocusOut) {
        // Only the user moving the focus inside the window counts, not another window coming up.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && countdown_.Running()) {
            StopCountdown();
        }
    } else if (event->type() == QEvent::MouseButtonPress && watched != btnFocus_ && countdown_.Running()) {
        StopCountdown();
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace vc
