// A tMessageBoxer that answers from a script and remembers every question, for testing code that
// asks the user without showing a dialog.
#pragma once

#include "toolkit/message_boxer.h"

#include <deque>
#include <string>
#include <vector>

namespace vc::test {

class tScriptedMessageBoxer final : public tMessageBoxer {
public:
    struct tQuestion {
        std::string Text;
        std::string Caption;
        tMsgKind Kind;
        tMsgButtons Buttons;
    };

    // Answers given in order; when the script runs out, every further question gets fallback.
    explicit tScriptedMessageBoxer(std::vector<int> answers = {}, int fallback = kMrCancel)
        : answers_(answers.begin(), answers.end()), fallback_(fallback) {}

    int Ask(std::string_view text, std::string_view caption, tMsgKind kind, tMsgButtons buttons) override {
        Questions.push_back({std::string(text), std::string(caption), kind, buttons});
        if (answers_.empty()) {
            return fallback_;
        }
        const int answer = answers_.front();
        answers_.pop_front();
        return answer;
    }

    std::vector<tQuestion> Questions;

private:
    std::deque<int> answers_;
    int fallback_;
};

} // namespace vc::test
