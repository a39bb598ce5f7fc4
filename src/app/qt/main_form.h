// tMainForm, the window of one tape: it loads the tape, starts the fast timer at its first
// activation, runs the scroll, refresh and alert steps on every tick, and saves the settings file
// when it closes or the session ends.
#pragma once

#include <QWidget>

#include <functional>
#include <memory>
#include <string>

#include "market/quote_host.h"
#include "tape/tape_hooks.h"

class QMenu;

namespace vc {

class tAlertPresenter;
class tHttpAsync;
class tMessageBoxer;
class tRefreshCycle;
class tSkin;
class tStartupEntry;
class tTapeViewStandIn;
class tTickerTape;
class tTickerTapeRefresh;
class tTranslation;
class tYahooQuoteDownloader;
class TQuickTimer;
struct tProgramValues;

class tMainForm : public QWidget, private tSkinSelector, private tTapeView {
    Q_OBJECT
public:
    // Everything handed in must outlive the window. executable is started for the next instance
    // and named in the automatic-start entry.
    tMainForm(tProgramValues& values, tTranslation& translation, tMessageBoxer& boxer, tStartupEntry& startup,
              std::string executable, QWidget* parent = nullptr);
    ~tMainForm() override;

    // The end of the session: saves like a close, without asking anything, then finishes.
    void EndSession();

    tTickerTape& Tape() { return *tape_; }
    tRefreshCycle& Cycle() { return *cycle_; }
    const tQuoteHost& QuoteHost() const { return quoteHost_; }

    // Runs once, when the tape's first frame is on screen.
    std::function<void()> OnFirstPaint;
    // Runs once the settings are saved after a close or the end of the session; the program ends
    // its event loop here.
    std::function<void()> OnFinished;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    int SelectSkin(const std::string& skinName) override;
    void Repaint() override;
    void ShowButtons(bool visible) override;
    void FormActivate();
    void BuildPopup();
    void ClickTimer();
    void ClickLoadSkin(QAction* action);
    void BeginClose();
    void FinishCloseWhenIdle();
    void SaveOnce();

    tProgramValues& values_;
    tTranslation& translation_;
    tMessageBoxer& boxer_;
    tStartupEntry& startup_;
    std::string executable_;

    std::unique_ptr<tSkin> skin_;
    std::unique_ptr<tTickerTape> tape_;
    std::unique_ptr<tTickerTapeRefresh> tapeRefresh_;
    tQuoteHost quoteHost_;
    std::unique_ptr<tHttpAsync> session_;
    std::unique_ptr<tYahooQuoteDownloader> downloader_;
    std::unique_ptr<tRefreshCycle> cycle_;
    std::unique_ptr<tAlertPresenter> presenter_;
    TQuickTimer* quickTimer_ = nullptr;
    tTapeViewStandIn* view_ = nullptr;
    QMenu* popup_ = nullptr;
    QMenu* skinsMenu_ = nullptr;

    bool firstActivation_ = true;
    bool firstTick_ = true;
    bool closing_ = false;
    bool saved_ = false;
};

} // namespace vc
