// tTickerTape, the model half: the ordered list of ticker items with the tape's settings, how both
// are read from and written to the instance's settings file, the list operations the rest of the
// program uses, symbol list imports, the merge of downloaded quotes and the product web links.
// Drawing, scrolling and the mouse belong to the display, which reads the fields kept here for it.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "tape/ini_object.h"
#include "tape/tape_hooks.h"
#include "tape/ticker_item.h"
#include "toolkit/clock.h"
#include "toolkit/program_values.h"

namespace vc {

// The tape's section in the settings file; one tape per instance, so always this one.
inline constexpr const char* kTapeSection = "Tape_000";
// The product web site the links lead to, and the logon used when no mail account is known.
inline constexpr const char* kProductSite = "https://velocrest.example";
inline constexpr const char* kPlaceholderLogon = "guest@velocrest.example";
// A gainers or losers list puts at most this many new symbols on the tape at a time.
inline constexpr int kMaxGainerItems = 10;

// Direction codes as stored. Any value but the first two holds the strip still while it is still
// repainted, so blinking alerts go on blinking; the alert window uses kDirectionHold for that.
inline constexpr int kDirectionLeft = 1;
inline constexpr int kDirectionRight = 2;
inline constexpr int kDirectionHold = 3;
// VertAlign codes as stored: the screen edge the bar docks at.
inline constexpr int kVertAlignTop = 0;
inline constexpr int kVertAlignBottom = 1;

class tTickerTape {
public:
    // values, with its Clock set, must outlive the tape; the proxy setting is read into it. Hooks left
    // empty do nothing.
    explicit tTickerTape(tProgramValues& values, tTapeHooks hooks = {});
    ~tTickerTape();
    tTickerTape(const tTickerTape&) = delete;
    tTickerTape& operator=(const tTickerTape&) = delete;

    // ---- Stored settings (section "Tape_000") --------------------------------------------------
    // Their keys and defaults are in one table in ticker_tape.cpp, which the constructor, reading
    // and writing all walk.
    std::string SkinName;
    int Speed = 0;
    int Direction = 0;
    bool AutoHide = false;
    bool MarkOldItems = false;
    std::string MailServer;
    std::string MailAccount;
    std::string MailTo;
    bool ShowLogos = false; // off from the second instance on, whatever the table says
    bool ShowButtons = false;
    int VertAlign = 0;
    bool TrayIcon = false;
    bool SendMails = false;
    int Server = 0;
    bool SkypeChat = false;
    std::string SkypeChatTo;
    bool SkypeSMS = false;
    std::string SkypeSmsTo;
    // Ids of the gainers and losers lists the user subscribed to, as texts.
    std::vector<std::string> GainerLists;

    // ---- State kept for the display ------------------------------------------------------------
    // Tape height in pixels as the selected skin gives it.
    int Height = kDefaultTapeHeight;
    // While set the scroll step leaves the item list alone; set around every insertion and removal.
    bool Paused = false;
    // The first item shown at the tape's start and how far it has scrolled; no item means the tape
    // shows from its first item. Never points at an item that is gone.
    const tTickerItem* HeadItem = nullptr;
    int HeadOffset = 0;

    // ---- Reading and writing -------------------------------------------------------------------
    // Reads the tape from the settings file, then imports the set-up folder and, when no mail
    // settings are known, asks the mail-account discovery.
    void LoadSettings();
    // Writes "Aantal", every item, the settings and the gainers lists into a fresh object.
    void SaveSettings(tIniObject& ini) const;
    // Sets SkinName and the height the skin gives.
    void SelectSkin(const std::string& skinName);

    // ---- Item list -----------------------------------------------------------------------------
    // Position of the item with the upper-cased symbol, from the front; -1 when absent.
    int IndexOfSymbol(std::string_view symbol) const;
    tTickerItem& ItemAt(int position) { return *items_.at(static_cast<std::size_t>(position)); }
    const tTickerItem& ItemAt(int position) const { return *items_.at(static_cast<std::size_t>(position)); }
    int ItemCount() const { return static_cast<int>(items_.size()); }
    // The item with that Id; none when it has left the tape (or for kNoItemId).
    tTickerItem* ItemWithId(tItemId id);
    tTickerItem& AppendItem(std::unique_ptr<tTickerItem> item);
    // Nothing when the symbol is empty or already on the tape; otherwise the new item.
    tTickerItem* AddSymbol(std::string_view symbol, std::string_view name);
    // Removes the item with the same symbol as item, if there is one.
    void RemoveItem(const tTickerItem& item);
    void ClearItems();
    // Removes every item the gainers list put on the tape; true when any was removed.
    bool RemoveGainerItems(int listId);
    // Lines "name|symbol|close|previous close"; at most 10 new items. True when any was created.
    bool AddGainerItems(int listId, const std::vector<std::string>& lines);
    // "YAHTICK|" + symbol per item, in tape order.
    std::vector<std::string> BuildRequestList() const;

    // ---- Imports -------------------------------------------------------------------------------
    // Adds every symbol of a symbol list file; true when at least one item was created.
    bool ImportFile(const std::string& fileName);
    // Imports and then deletes every "*.CSV" directly in the program folder's "SETUP" folder.
    void ImportSetupFolder();

    // ---- Quotes --------------------------------------------------------------------------------
    // Merges one batch of quote lines: alerts are evaluated on the delivered prices first, then
    // the quote is applied. Lines for symbols not on the tape and lines that changed nothing are
    // removed, so the lines left are those that changed an item.
    void MergeQuotes(std::vector<std::string>& lines);

    // ---- Web links -----------------------------------------------------------------------------
    std::string ProfileAddress(std::string_view symbol) const;
    std::string NewsAddress(std::string_view url) const;
    std::string GainersAddress(std::string_view url) const;
    void OpenProfile(std::string_view symbol) const;
    void OpenNewsLink(std::string_view url) const;
    void OpenGainersLink(std::string_view url) const;

    tProgramValues& Values() const { return values_; }
    const tTapeHooks& Hooks() const { return hooks_; }
    const tClock& Clock() const { return *values_.Clock; }
    // Asks the view to draw the tape again.
    void Repaint() const;

private:
    void Renumber();
    void ForgetHeadItem();
    std::string Logon() const;

    tProgramValues& values_;
    tTapeHooks hooks_;
    std::vector<std::unique_ptr<tTickerItem>> items_;
    tItemId lastItemId_ = kNoItemId;
};

} // namespace vc
