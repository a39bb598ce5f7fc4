// tMainForm, the window of one tape: docked at the screen edge, it holds the floating bar with the
// tape, loads the tape, starts the fast timer at its first activation, runs the scroll, refresh and
// alert steps on every tick, and saves the settings file when it closes or the session ends.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "display/qt/app_bar_form.h"
#include "market/qt/http_sessions.h"
#include "market/quote_host.h"
#include "tape/profile_layout_store.h"
#include "toolkit/clock.h"

class QAction;
class QMenu;

namespace vc {

class tAlertChannel;
class tDesktopKeyring;
class tMailChannel;
class tMailSender;
class tMessenger;
class tSkypeMessenger;
class tSmsChannel;
class tChatChannel;
class tSmtpClient;
class tAlertPresenter;
class tQtAlertSound;
class tTickerItem;
class tMessageBoxer;
class tRefreshCycle;
class tSkinItemRenderer;
class tStartupEntry;
class tTapeWidget;
class tThunderbirdAccounts;
class tTickerTape;
class tTickerTapeRefresh;
class tTranslation;
class tYahooQuoteDownloader;
class TQuickTimer;
struct tProgramValues;

class tMainForm : public tAppBarForm {
    Q_OBJECT
public:
    // Everything handed in must outlive the window. executable is started for the next instance
    // and named in the automatic-start entry. dock is the desktop platform's.
    tMainForm(tProgramValues& values, tTranslation& translation, tMessageBoxer& boxer, tStartupEntry& startup,
              std::string executable, std::unique_ptr<tScreenEdgeDock> dock);
    ~tMainForm() override;

    // The end of the session (or a termination signal): the tape goes from the screen, a batch in
    // flight is given up without merging it, the settings are saved and the program finishes, all
    // before this returns. Nothing is asked: there is no time left for questions.
    void EndSession();

    tTickerTape& Tape() { return *tape_; }
    tTapeWidget& TapeWidget() { return *tapeWidget_; }
    tRefreshCycle& Cycle() { return *cycle_; }
    const tQuoteHost& QuoteHost() const { return quoteHost_; }
    QMenu& Popup() { return *popup_; }
    // Each downloader takes its session here, so no download waits for or blocks another.
    const tHttpSessions& Sessions() const { return sessions_; }
    // What sends the alert e-mails, for the setup dialog's test e-mail.
    tMailSender& MailSender();
    // What sends SMS and chat alerts, for the setup dialog's test buttons.
    tMessenger& Messenger();
    // The symbol properties dialog for an item, with the bar held open; true when closed with OK.
    bool OpenProperties(tTickerItem& item);

    // Runs once, right after the tape's first frame was painted.
    std::function<void()> OnFirstPaint;
    // Runs once the settings are saved after a close or the end of the session; the program ends
    // its event loop here.
    std::function<void()> OnFinished;
    // Starts the program again as a further instance, not waited for; left empty, nothing starts.
    std::function<void(const std::string& executable)> StartProgram;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void FormActivate();
    void BuildPopup();
    void ClickTimer();
    void ClickLoadSkin(QAction* action);
    void ClickDropButton();
    // "Add Symbol...": the add-symbol dialog, then the chosen symbols on the tape.
    void ClickAddSymbols();
    void BeginClose();
    void FinishCloseWhenIdle();
    void GoFromScreen();
    void SaveOnce();
    // Downloads a symbol's headlines for the properties dialog, on a session of its own.
    std::function<int(const std::string&, std::vector<std::string>&)> NewsFetch();

    tProgramValues& values_;
    tTranslation& translation_;
    tMessageBoxer& boxer_;
    tStartupEntry& startup_;
    std::string executable_;

    // Only the quick timer's; everything else takes values_.Clock.
    tSystemClock systemClock_;
    std::unique_ptr<tSkinItemRenderer> renderer_;
    tTapeWidget* tapeWidget_ = nullptr;
    // The tape keeps it among its hooks: declared before the tape, it is destroyed after it.
    std::unique_ptr<tThunderbirdAccounts> mailAccounts_;
    std::unique_ptr<tTickerTape> tape_;
    std::unique_ptr<tTickerTapeRefresh> tapeRefresh_;
    tQuoteHost quoteHost_;
    tNewsHosts newsHosts_;
    tFinanceHosts financeHosts_;
    tHttpSessions sessions_;
    std::unique_ptr<tYahooQuoteDownloader> downloader_;
    std::unique_ptr<tRefreshCycle> cycle_;
    std::unique_ptr<tQtAlertSound> sound_;
    std::unique_ptr<tDesktopKeyring> keyring_;
    std::unique_ptr<tSmtpClient> smtp_;
    std::unique_ptr<tMailChannel> mailChannel_;
    std::unique_ptr<tSkypeMessenger> messenger_;
    std::unique_ptr<tSmsChannel> smsChannel_;
    std::unique_ptr<tChatChannel> chatChannel_;
    // The alert window's remote channels in the order they run (e-mail, SMS, chat).
    std::vector<tAlertChannel*> channels_;
    std::unique_ptr<tAlertPresenter> presenter_;
    // Where dialogs keep their grids' layouts: this instance's settings file.
    tProfileLayoutStore layouts_;
    TQuickTimer* quickTimer_ = nullptr;
    QMenu* popup_ = nullptr;
    QMenu* skinsMenu_ = nullptr;

    bool firstActivation_ = true;
    bool firstTick_ = true;
    bool firstPaint_ = true;
    bool closing_ = false;
    bool saved_ = false;
};

} // namespace vc
