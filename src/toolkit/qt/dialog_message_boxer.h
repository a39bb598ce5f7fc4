// The tMessageBoxer of the running program: every question goes to the message box dialog.
#pragma once

#include "toolkit/message_boxer.h"

#include <QPointer>
#include <QWidget>

namespace vc {

class tTranslation;

class tDialogMessageBoxer final : public tMessageBoxer {
public:
    // The table must outlive the boxer. The parent may be null or go away first; the box is then
    // centred on the screen.
    explicit tDialogMessageBoxer(const tTranslation& translation, QWidget* parent = nullptr)
        : translation_(translation), parent_(parent) {}

    int Ask(std::string_view text, std::string_view caption, tMsgKind kind, tMsgButtons buttons) override;

private:
    const tTranslation& translation_;
    QPointer<QWidget> parent_;
};

} // namespace vc
