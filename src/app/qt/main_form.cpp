#include "app/qt/main_form.h"

#include <QAction>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QMenu>
#include <QScreen>
#include <QTimer>

#include <cstdlib>
#include <filesystem>

#include "app/alert_display.h"
#include "app/close_query.h"
#include "app/qt/alert_window_presenter.h"
#include "app/save_all.h"
#include "app/yahoo_quote_downloader.h"
#include "dialogs/qt/add_ticker.h"
#include "dialogs/qt/ticker_form.h"
#include "display/qt/float_bar.h"
#include "display/qt/quick_timer.h"
#include "display/qt/skin.h"
#include "display/qt/skin_item_renderer.h"
#include "display/qt/skin_menu.h"
#include "display/qt/tape_widget.h"
#include "market/qt/http_async.h"
#include "market/yahoo_database.h"
#include "market/yahoo_xml_news.h"
#include "notify/mail_account.h"
#include "notify/qt/qt_alert_sound.h"
#include "notify/qt/skype_messenger.h"
#include "notify/qt/smtp_client.h"
#include "platform/qt/desktop_keyring.h"
#include "tape/ini_object.h"
#include "tape/refresh_cycle.h"
#include "tape/ticker_tape.h"
#include "tape/ticker_tape_refresh.h"
#include "toolkit/program_values.h"
#include "toolkit/text.h"

namespace vc {
namespace {

// The first quote cycle waits this long after the first activation, so the window is up first.
constexpr double kFirstRefreshSeconds = 5;

} // namespace

tMainForm::tMainForm(tProgramValues& values, tTranslation& translation, tMessageBoxer& boxer,
                     tStartupEntry& startup, std::string executable, std::unique_ptr<tScreenEdgeDock> dock)
    : tAppBarForm(std::move(dock)), values_(values), translation_(translation), boxer_(boxer),
      startup_(startup), executable_(std::move(executable)), sessions_(values_.ProxySettings),
      layouts_(values_.SettingsFileName) {
    setWindowTitle(QString::fromStdString(values_.ProgramName));

    // The floating bar holds the tape widget; the widget draws the items through the renderer in
    // its current skin.
    auto bar = std::make_unique<tFloatBar>();
    renderer_ = std::make_unique<tSkinItemRenderer>([this]() -> const tSkin& { return tapeWidget_->Skin(); },
                                                    *values_.Clock);
    tapeWidget_ = new tTapeWidget(*renderer_, values_.ProgramDir);
    bar->SetChild(tapeWidget_);
    tapeWidget_->installEventFilter(this);

    // The tape reads its settings at once; they decide everything below.
    tTapeHooks hooks;
    hooks.Skins = tapeWidget_;
    hooks.View = tapeWidget_;
    const char* home = std::getenv("HOME");
    mailAccounts_ = std::make_unique<tThunderbirdAccounts>(home != nullptr ? home : "");
    hooks.MailAccounts = mailAccounts_.get();
    tape_ = std::make_unique<tTickerTape>(values_, hooks);
    tapeWidget_->SetTape(tape_.get());
    renderer_->SetTape(tape_.get());
    tape_->LoadSettings();

    SetFloatBar(std::move(bar), [this] { return tape_->Height; });
    DockAtStart(tape_->AutoHide, tape_->VertAlign != 0 ? tDockEdge::Bottom : tDockEdge::Top);
    tapeWidget_->OnClose = [this] { close(); };
    tapeWidget_->OnOptions = [this] { ClickDropButton(); };
    tapeWidget_->OnActivity = [this] { KeepShown(); };
    // A dock window never takes the keyboard focus, so the program is never "active" while the
    // user looks at its tape; the hover and its hints follow the mouse alone.
    tapeWidget_->IsForeground = [] { return true; };
    tapeWidget_->OnItemDblClick = [this](tTickerItem& item) { OpenProperties(item); };

    tapeRefresh_ = std::make_unique<tTickerTapeRefresh>(*tape_);
    // The quote cycle's own session, reused by its batches, which run one after the other.
    downloader_ = std::make_unique<tYahooQuoteDownloader>(sessions_.NewSession(), quoteHost_, tape_->Clock());
    auto post = [this](std::function<void()> job) {
        QMetaObject::invokeMethod(this, std::move(job), Qt::QueuedConnection);
    };
    tRefreshHooks refreshHooks;
    // The live quote service takes the changed lines and the tray icons show the new prices once
    // they exist; until then a merged batch only repaints the tape.
    refreshHooks.BatchMerged = [this] { tapeWidget_->Repaint(); };
    cycle_ = std::make_unique<tRefreshCycle>(*tapeRefresh_, *downloader_, tape_->Clock(), post, refreshHooks);
    sound_ = std::make_unique<tQtAlertSound>();
    // Alert e-mail: the login of the mail server (for 587 and 465) comes from the desktop keyring.
    keyring_ = std::make_unique<tDesktopKeyring>();
    smtp_ = std::make_unique<tSmtpClient>();
    smtp_->Login = [this](const tSmtpServer& server) {
        tSecretLogin login;
        std::string error;
        keyring_->Find(MailServerKey(server), login, error);
        return tMailLogin{login.User, login.Password};
    };
    mailChannel_ = std::make_unique<tMailChannel>(*smtp_);
    // SMS and chat go through the messenger helper in the program folder's TOOLS.
    messenger_ = std::make_unique<tSkypeMessenger>(values_.ProgramDir);
    smsChannel_ = std::make_unique<tSmsChannel>(*messenger_);
    chatChannel_ = std::make_unique<tChatChannel>(*messenger_, quoteHost_);
    channels_ = {mailChannel_.get(), smsChannel_.get(), chatChannel_.get()};
    tAlertWindowHooks alertHooks;
    alertHooks.BringIntoView = [this](const tTickerItem& item) { tapeWidget_->BringIntoView(item); };
    alertHooks.HoldBarOpen = [this] {
        if (AutoHide()) {
            SlideOut();
        }
        SuspendAutoHide();
    };
    alertHooks.ReleaseBar = [this] { ResumeAutoHide(); };
    alertHooks.OpenProperties = [this](tTickerItem& item) { OpenProperties(item); };
    presenter_ = std::make_unique<tAlertWindowPresenter>(*tape_, *sound_, channels_, alertHooks, this);

    // The timer paces real time, even under a test that holds the program's clock still.
    quickTimer_ = new TQuickTimer(systemClock_, this);
    quickTimer_->OnTimer = [this] { ClickTimer(); };
    BuildPopup();
    tapeWidget_->SetPopupMenu(popup_);
}

tMainForm::~tMainForm() {
    quickTimer_->SetEnabled(false);
    SaveOnce();
    // The bar with the tape widget goes with the base class, after the tape and the renderer.
    tapeWidget_->SetTape(nullptr);
    renderer_->SetTape(nullptr);
}

bool tMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (firstPaint_ && watched == tapeWidget_ && event->type() == QEvent::Paint) {
        firstPaint_ = false;
        // Reported once this paint has reached the screen.
        QTimer::singleShot(0, this, [this] {
            if (OnFirstPaint) {
                OnFirstPaint();
            }
        });
    }
    return tAppBarForm::eventFilter(watched, event);
}

void tMainForm::BuildPopup() {
    popup_ = new QMenu(this);
    popup_->addAction(QStringLiteral("Add Symbol..."), this, [this] { ClickAddSymbols(); });
    popup_->addSeparator();
    skinsMenu_ = popup_->addMenu(QStringLiteral("Skins"));
    popup_->addSeparator();
    popup_->addAction(QStringLiteral("Close Velocrest"), this, [this] { close(); });
}

void tMainForm::showEvent(QShowEvent* event) {
    tAppBarForm::showEvent(event);
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
        ReadNewsHosts(settings, newsHosts_);
        ReadFinanceHosts(settings, financeHosts_);
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
    if (std::filesystem::exists(SettingsFileNameFor(values_.ProgramDir, next)) && StartProgram) {
        StartProgram(executable_);
    }
}

void tMainForm::ClickLoadSkin(QAction* action) {
    if (IsSkinGallery(action)) {
        return; // the skin gallery is a page of the setup dialog
    }
    CheckSkinEntry(*skinsMenu_, action);
    tape_->SelectSkin(SkinNameOf(action));
    ApplyTapeHeight();
    tapeWidget_->Repaint();
}

tMailSender& tMainForm::MailSender() {
    return *smtp_;
}

tMessenger& tMainForm::Messenger() {
    return *messenger_;
}

void tMainForm::ClickAddSymbols() {
    SuspendAutoHide();
    const std::vector<std::string> chosen = AddSymbols(
        *tape_, translation_,
        [this](const std::string& query, const std::string& kind) {
            const std::unique_ptr<tHttpAsync> session = sessions_.NewSession();
            tYahooDatabase lookup(*session, financeHosts_);
            return lookup.Lookup(lookup.LookupUrl(query, kind, "ALL"));
        },
        &layouts_, this);
    std::vector<tTickerItem*> added;
    for (const std::string& entry : chosen) {
        if (tTickerItem* item = tape_->AddSymbol(Field(entry, 1), Field(entry, 2))) {
            added.push_back(item);
        }
    }
    ResumeAutoHide();
    // One new symbol most likely wants its alerts set at once.
    if (added.size() == 1) {
        OpenProperties(*added.front());
    }
    tapeWidget_->Repaint();
}

tNewsFetch tMainForm::NewsFetch() {
    return [this](const std::string& symbol, std::vector<std::string>& lines) {
        const std::unique_ptr<tHttpAsync> session = sessions_.NewSession();
        tYahooXmlNews news(*session, newsHosts_);
        news.Symbol = symbol;
        const int result = news.Fetch();
        lines = std::move(news.Headlines);
        return result;
    };
}

bool tMainForm::OpenProperties(tTickerItem& item) {
    SuspendAutoHide();
    const bool ok = ShowSymbolProperties(&item, *tape_, translation_, NewsFetch(), &layouts_, this);
    ResumeAutoHide();
    return ok;
}

void tMainForm::ClickDropButton() {
    const QWidget& button = tapeWidget_->OptionsButton();
    const QPoint rightEnd = button.mapToGlobal(QPoint(button.width(), 0));
    const QRect bar = FloatBar()->frameGeometry();
    if (Edge() == tDockEdge::Bottom) {
        const QScreen* shown = screen();
        const int bottom = shown != nullptr ? shown->geometry().bottom() + 1 : bar.bottom();
        popup_->popup(QPoint(rightEnd.x(), bottom - kPopupAboveBottom));
    } else {
        popup_->popup(QPoint(rightEnd.x(), FloatBar()->mapToGlobal(QPoint(0, FloatBar()->height())).y()));
    }
}

void tMainForm::ClickTimer() {
    if (firstTick_ && AutoHide()) {
        SlideOut();
    }
    tapeWidget_->TimerStep();
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
    // On the docked strip itself, which shows below a bar at the top edge only.
    if (Edge() == tDockEdge::Top) {
        popup_->popup(QPoint(event->globalPos().x(), mapToGlobal(QPoint(0, height())).y()));
    }
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
    // The session may have ended while the question was on screen.
    if (!closing_) {
        BeginClose();
    }
}

void tMainForm::EndSession() {
    closing_ = true;
    cycle_->Abandon();
    GoFromScreen();
    FinishCloseWhenIdle();
}

void tMainForm::BeginClose() {
    closing_ = true;
    cycle_->Closing = true;
    // The tape goes at once; a batch in flight finishes behind it, within its own time-outs.
    GoFromScreen();
    FinishCloseWhenIdle();
}

void tMainForm::GoFromScreen() {
    HideBar();
    hide();
}

void tMainForm::FinishCloseWhenIdle() {
    // A batch in flight is waited for: the ticks go on until its worker has finished, and the
    // cycle then discards it.
    if (cycle_->Worker && cycle_->Worker->Status != tVelocrestThread::kFinished) {
        return;
    }
    quickTimer_->SetEnabled(false);
    SaveOnce();
    GoFromScreen();
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
