#include "toolkit/qt/dialog_message_boxer.h"

#include "toolkit/qt/message_box_dialog.h"

namespace vc {

int tDialogMessageBoxer::Ask(std::string_view text, std::string_view caption, tMsgKind kind,
                             tMsgButtons buttons) {
    return MessageBox(translation_, text, caption, kind, buttons, parent_);
}

} // namespace vc
