#include "toolkit/message_box.h"

#include "toolkit/translation.h"

#include <utility>

namespace vc {
namespace {

constexpr tMsgButton kLayoutOrder[] = {
    tMsgButton::Yes,     tMsgButton::No,       tMsgButton::OK,     tMsgButton::Cancel,
    tMsgButton::Abort,   tMsgButton::Retry,    tMsgButton::Ignore, tMsgButton::All,
    tMsgButton::NoToAll, tMsgButton::YesToAll, tMsgButton::Help,
};

int IndexOf(const std::vector<tMessageBoxButton>& buttons, tMsgButton button) {
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (buttons[i].Button == button) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace

int ButtonResult(tMsgButton button) {
    switch (button) {
    case tMsgButton::OK:
        return kMrOK;
    case tMsgButton::Cancel:
        return kMrCancel;
    case tMsgButton::Abort:
        return kMrAbort;
    case tMsgButton::Retry:
        return kMrRetry;
    case tMsgButton::Ignore:
        return kMrIgnore;
    case tMsgButton::Yes:
        return kMrYes;
    case tMsgButton::No:
        return kMrNo;
    case tMsgButton::All:
        return kMrAll;
    case tMsgButton::NoToAll:
        return kMrNoToAll;
    case tMsgButton::YesToAll:
        return kMrYesToAll;
    case tMsgButton::Help:
        break;
    }
    return kMrNone;
}

std::string_view ButtonCaptionKey(tMsgButton button) {
    switch (ButtonResult(button)) {
    case kMrOK:
        return "&OK";
    case kMrCancel:
        return "&Annuleren";
    case kMrAbort:
        return "A&fbreken";
    case kMrRetry:
        return "&Retry";
    case kMrIgnore:
        return "&Ignore";
    case kMrYes:
        return "&Ja";
    case kMrNo:
        return "&Nee";
    case kMrAll:
        return "Alles";
    case kMrNoToAll:
        return "Nee op alles";
    case kMrYesToAll:
        return "Ja op alles";
    default:
        return "&Help";
    }
}

std::vector<tMsgButton> OrderButtons(tMsgButtons buttons) {
    std::vector<tMsgButton> order;
    for (tMsgButton button : kLayoutOrder) {
        if (buttons.Has(button)) {
            order.push_back(button);
        }
    }
    if (!buttons.Has(tMsgButton::Yes) || !buttons.Has(tMsgButton::YesToAll)) {
        return order;
    }
    for (std::size_t i = order.size(); i-- > 0;) {
        const int result = ButtonResult(order[i]);
        if (result == kMrAll || result == kMrYesToAll) {
            // Walk it forward one exchange at a time until Yes stands before it.
            for (std::size_t j = i; j > 0 && order[j - 1] != tMsgButton::Yes; --j) {
                std::swap(order[j - 1], order[j]);
            }
            break;
        }
    }
    return order;
}

std::string StripAccelerators(std::string_view caption) {
    std::string result;
    result.reserve(caption.size());
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&') {
                result += '&';
                ++i;
            }
            continue;
        }
        result += caption[i];
    }
    return result;
}

std::string MessageText(const tTranslation& translation, std::string_view text) {
    // Translated first: the keys themselves carry the marks.
    std::string result = translation.Translate(text);
    for (char& c : result) {
        if (c == '\xA6') {
            c = '\n';
        }
    }
    return result;
}

tMessageBoxLayout BuildMessageBoxLayout(const tTranslation& translation, std::string_view text,
                                        std::string_view caption, tMsgKind kind, tMsgButtons buttons) {
    tMessageBoxLayout layout;
    layout.Kind = kind;
    layout.Caption = translation.Translate(caption);
    layout.Text = MessageText(translation, text);
    for (tMsgButton button : OrderButtons(buttons)) {
        layout.Buttons.push_back({button, ButtonResult(button),
                                  StripAccelerators(translation.Translate(ButtonCaptionKey(button)))});
    }
    for (tMsgButton candidate : {tMsgButton::OK, tMsgButton::Yes, tMsgButton::Retry}) {
        if (const int at = IndexOf(layout.Buttons, candidate); at >= 0) {
            layout.DefaultIndex = at;
            break;
        }
    }
    layout.EscapeResult = buttons.Has(tMsgButton::Cancel) ? kMrCancel
                          : buttons.Has(tMsgButton::No)   ? kMrNo
                          : buttons.Has(tMsgButton::OK)   ? kMrOK
                                                          : kMrCancel;
    return layout;
}

} // namespace vc
