// The program's message box without its window: kinds, button sets and result codes, and the
// layout every question and notice is shown with (translated texts, "\xA6" as line break, the
// buttons in their order). The dialog in toolkit/qt/ only draws what is worked out here.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vc {

class tTranslation;

enum class tMsgKind { Warning, Error, Information, Confirmation, Custom };

// In the order the buttons are laid out before any reordering.
enum class tMsgButton : std::uint16_t {
    Yes = 1u << 0,
    No = 1u << 1,
    OK = 1u << 2,
    Cancel = 1u << 3,
    Abort = 1u << 4,
    Retry = 1u << 5,
    Ignore = 1u << 6,
    All = 1u << 7,
    NoToAll = 1u << 8,
    YesToAll = 1u << 9,
    Help = 1u << 10,
};

// A set of buttons: tMsgButton::Yes | tMsgButton::No | tMsgButton::Cancel.
struct tMsgButtons {
    std::uint16_t Bits = 0;

    constexpr bool Has(tMsgButton button) const { return (Bits & static_cast<std::uint16_t>(button)) != 0; }
    constexpr bool operator==(const tMsgButtons&) const = default;
};

constexpr tMsgButtons operator|(tMsgButtons set, tMsgButton button) {
    return tMsgButtons{static_cast<std::uint16_t>(set.Bits | static_cast<std::uint16_t>(button))};
}
constexpr tMsgButtons operator|(tMsgButton a, tMsgButton b) {
    return tMsgButtons{static_cast<std::uint16_t>(a)} | b;
}

constexpr tMsgButtons kMbOK = tMsgButtons{} | tMsgButton::OK;
constexpr tMsgButtons kMbOKCancel = tMsgButton::OK | tMsgButton::Cancel;
constexpr tMsgButtons kMbYesNo = tMsgButton::Yes | tMsgButton::No;
constexpr tMsgButtons kMbYesNoCancel = tMsgButton::Yes | tMsgButton::No | tMsgButton::Cancel;

// Results of a message box. The Help button has none: it does not close the box.
constexpr int kMrNone = 0;
constexpr int kMrOK = 1;
constexpr int kMrCancel = 2;
constexpr int kMrAbort = 3;
constexpr int kMrRetry = 4;
constexpr int kMrIgnore = 5;
constexpr int kMrYes = 6;
constexpr int kMrNo = 7;
constexpr int kMrAll = 8;
constexpr int kMrNoToAll = 9;
constexpr int kMrYesToAll = 10;

int ButtonResult(tMsgButton button);
// The Dutch source text of a button's caption ("&Ja", "Alles", ...), chosen by its result.
std::string_view ButtonCaptionKey(tMsgButton button);

// The buttons of a set in the order they are shown. With Yes and Yes to all both present, the
// All-type button nearest the right end moves forward to stand right after Yes.
std::vector<tMsgButton> OrderButtons(tMsgButtons buttons);

// A caption as shown when accelerators are off: each single "&" dropped, "&&" read as "&".
std::string StripAccelerators(std::string_view caption);

// Translate(text) with each "\xA6" turned into a line break ("\n").
std::string MessageText(const tTranslation& translation, std::string_view text);

struct tMessageBoxButton {
    tMsgButton Button;
    int Result;          // kMrNone for Help
    std::string Caption; // translated, without accelerator marks
};

struct tMessageBoxLayout {
    tMsgKind Kind = tMsgKind::Information;
    std::string Caption;                    // translated
    std::string Text;                       // translated, lines separated by "\n"
    std::vector<tMessageBoxButton> Buttons; // in the order shown, left to right = tab order
    int DefaultIndex = -1;        // the button that has the focus: OK, else Yes, else Retry; -1 when none
    int EscapeResult = kMrCancel; // Escape answers as Cancel, else No, else OK would
};

tMessageBoxLayout BuildMessageBoxLayout(const tTranslation& translation, std::string_view text,
                                        std::string_view caption, tMsgKind kind, tMsgButtons buttons);

} // namespace vc
