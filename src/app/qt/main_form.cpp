#include "app/qt/main_form.h"

#include <QAction>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QMenu>
#include <QProcess>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include <filesystem>

#include "app/alert_display.h"
#include "app/close_query.h"
#include "app/instance_files.h"
#include "app/qt/tape_view_stand_in.h"
#include "app/save_all.h"
#include "app/yahoo_quote_downloader.h"
#include "display/qt/quick_timer.h"
#include "display/qt/skin.h"
#include "display/qt/skin_menu.h"
#include "market/qt/http_async.h"
#include "tape/ini_object.h"
#include "tape/refresh_cycle.h"
#include "tape/ticker_tape.h"
#include "tape/ticker_tape_refresh.h"
#include "toolkit/program_values.h"

namespace vc {
namespace {

// The first quote cycle waits this long after the first activation, so the window is up first.
constexpr double kFirstRefreshSeconds = 5;

int ScreenWidth(const QWidget& widget) {
    const QScreen* screen = widget.screen();
    return screen != nullptr ? screen->geometry().width() : 1024;
}

} // namespace

tMainForm::tMainForm(tProgramValues& values, tTranslation& translation, tMessageBoxer& boxer,
                     tStartupEntry& startup, std::string executable, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), values_(values),
      translation_(translation), boxer_(boxer), startup_(startup), executable_(std::move(executable)) {
    setWindowTitle(QString::fromStdString(values_.ProgramName));

    // The tape reads its settings at once; they decide everything below.
    tTapeHooks hooks;
    hooks.Skins = this;
    hooks.View = this;
    tape_ = std::make_unique<tTickerTape>(values_, hooks);
    view_ = new tTapeViewStandIn(*tape_, this);
    view_->OnFirstPaint = [this] {
        if (OnFirstPaint) {
            OnFirstPaint();
        }
    };
    tape_->LoadSettings();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    setGeometry(0, 0, ScreenWidth(*this), tape_->Height);

    tapeRefresh_ = std::make_unique<tTickerTapeRefresh>(*tape_);
    // One session for every batch: its connection and proxy set-up are made once.
    session_ = std::make_unique<tHttpAsync>(values_.ProxySettings);
    downloader_ = std::make_unique<tYahooQuoteDownloader>(*session_, quoteHost_, tape_->Clock());
    auto post = [this](std::function<void()> job) {
        QMetaObject::invokeMethod(this, std::move(job), Qt::QueuedConnection);
    };
    tRefreshHooks refreshHooks;
    // The live quote service takes the changed lines and the tray icons show the new prices once
    // they exist; until then a merged batch only repaints the tape.
    refreshHooks.BatchMerged = [this] { Repaint(); };
    cycle_ = std::make_unique<tRefreshCycle>(*tapeRefresh_, *downloader_, tape_->Clock(), post, refreshHooks);
    // The alert window replaces this stand-in; like the window, it clears both pending texts, so
    // every alert gets its history line once.
    presenter_ = std::make_unique<tPendingAlertClearer>();

    quickTimer_ = new TQuickTimer(this);
    quickTimer_->OnTimer = [this] { ClickTimer(); };
    BuildPopup();
}

tMainForm::~tMainForm() {
    quickTimer_->SetEnabled(false);
    SaveOnce();
}

int tMainForm::SelectSkin(const std::string& skinName) {
    skin_ = vc::SelectSkin(values_.ProgramDir, skinName);
    return skin_->ItemHeight;
}

void tMainForm::Repaint() {
    view_->update();
}

void tMainForm::ShowButtons(bool) {
    // The close and options buttons belong to the tape widget; the stand-in view has none.
}

void tMainForm::BuildPopup() {
    popup_ = new QMenu(this);
    skinsMenu_ = popup_->addMenu(QStringLiteral("Skins"));
    popup_->addSeparator();
    popup_->addAction(QStringLiteral("Close Velocrest"), this, [this] { close(); });
}

void tMainForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (firstActivation_) {
        // After the window is up and painted, as an activation would come.
        QTimer::singleShot(0, this, [this] { FormActivate(); });
    }
}

void tMainForm::FormActivate() {
    if (!firstActivation_) {
        return;
    }
    firstActivation_ = false;
    {
        const tIniObject settings(values_.SettingsFileName);
        ReadQuoteHosts(settings, quoteHost_);
    }
    quoteHost_.SelectQuoteHost(tape_->Server);
    FillSkinMenu(*skinsMenu_, values_.ProgramDir, tape_->SkinName,
                 [this](QAction* action) { ClickLoadSkin(action); });
    quickTimer_->SetInterval(tape_->Speed);
    quickTimer_->SetEnabled(true);
    cycle_->ScheduleFirstRefresh(kFirstRefreshSeconds);
    // The chain that brings every tape back after a restart: each instance starts the next one
    // when that one has a settings file.
    const int next = values_.InstanceNumber + 1;
    if (std::filesystem::exists(SettingsFileFor(values_.ProgramDir, next))) {
        QProcess::startDetached(QString::fromStdString(executable_), {});
    }
}

void tMainForm::ClickLoadSkin(QAction* action) {
    if (IsSkinGallery(action)) {
        return; // the skin gallery is a page of the setup dialog
    }
    CheckSkinEntry(*skinsMenu_, action);
    tape_->SelectSkin(SkinNameOf(action));
    setFixedHeight(tape_->Height);
    Repaint();
}

void tMainForm::ClickTimer() {
    // First tick only: an auto-hidden bar slides out here once the dock window holds the tape.
    view_->TimerStep();
    cycle_->Step();
    RunAlertDisplayStep(*cycle_, *tape_, values_, *presenter_);
    if (firstTick_) {
        firstTick_ = false;
        // The final menu set-up ("Add Velocrest" shown, the Skins menu rebuilt) comes with the
        // main window's commands.
    }
    if (closing_) {
        FinishCloseWhenIdle();
    }
}

void tMainForm::contextMenuEvent(QContextMenuEvent* event) {
    popup_->popup(event->globalPos());
}

void tMainForm::closeEvent(QCloseEvent* event) {
    if (saved_) {
        event->accept();
        return;
    }
    event->ignore();
    if (closing_ || !FormCloseQuery(values_, boxer_, startup_, executable_)) {
        return;
    }
    BeginClose();
}

void tMainForm::EndSession() {
    if (!closing_) {
        BeginClose();
    }
}

void tMainForm::BeginClose() {
    closing_ = true;
    cycle_->Closing = true;
    FinishCloseWhenIdle();
}

void tMainForm::FinishCloseWhenIdle() {
    // A batch in flight is waited for: the ticks go on until its worker has finished, and the
    // cycle then discards it.
    if (cycle_->Worker && cycle_->Worker->Status != tVelocrestThread::kFinished) {
        return;
    }
    quickTimer_->SetEnabled(false);
    SaveOnce();
    hide();
    if (OnFinished) {
        OnFinished();
    }
}

void tMainForm::SaveOnce() {
    if (saved_) {
        return;
    }
    saved_ = true;
    SaveAll(*tape_, values_);
}

} // namespace vc
