// The small interfaces through which the tape model reaches what lives above it: the skin, the mail
// account discovery, the desktop's browser and file opener, and the tape's view. The layers above
// implement them and hand them to the tape; a hook left empty does nothing.
#pragma once

#include <string>

namespace vc {

// The height of the tape while no skin has measured it: what the default skin gives.
inline constexpr int kDefaultTapeHeight = 20;

class tSkinSelector {
public:
    virtual ~tSkinSelector() = default;
    // Loads the named skin (a folder below "SKINS/", stored with "\") and returns the tape height it
    // gives.
    virtual int SelectSkin(const std::string& skinName) = 0;
};

class tMailAccountSource {
public:
    virtual ~tMailAccountSource() = default;
    // The user's default mail account as "server|account"; empty when none is found.
    virtual std::string DefaultMailAccount() = 0;
};

class tShellOpener {
public:
    virtual ~tShellOpener() = default;
    virtual void OpenUrl(const std::string& url) = 0;
    virtual void OpenFile(const std::string& path) = 0;
    virtual void Beep() = 0;
};

class tTapeView {
public:
    virtual ~tTapeView() = default;
    // What the tape shows changed; draw it again.
    virtual void Repaint() = 0;
    // Shows or hides the tape's close and options buttons.
    virtual void ShowButtons(bool visible) = 0;
};

// None of these is owned by the tape; each must outlive it or be left empty.
struct tTapeHooks {
    tSkinSelector* Skins = nullptr;
    tMailAccountSource* MailAccounts = nullptr;
    tShellOpener* Shell = nullptr;
    tTapeView* View = nullptr;
};

} // namespace vc
