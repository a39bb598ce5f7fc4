// Who asks the user a question or shows a notice. Modules take a tMessageBoxer so that their
// questions can be answered by a script in tests and by the real dialog in the program.
#pragma once

#include "toolkit/message_box.h"

#include <string_view>

namespace vc {

class tMessageBoxer {
public:
    virtual ~tMessageBoxer() = default;
    // Shows text (a Dutch source text or inline multilingual text, "\xA6" for line breaks) under
    // caption with the given buttons and returns the result code of the button chosen (kMrOK ...).
    virtual int Ask(std::string_view text, std::string_view caption, tMsgKind kind, tMsgButtons buttons) = 0;
};

} // namespace vc
