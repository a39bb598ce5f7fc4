// A tHttpSession that answers from a script instead of the network and remembers every fetch it
// was asked for, so downloaders are tested on exact bytes (and on failures) without sockets.
#pragma once

#include "market/http_session.h"

#include <deque>
#include <string>
#include <vector>

namespace vc::test {

class tScriptedHttpSession final : public tHttpSession {
public:
    struct tCall {
        std::string Url;
        tHttpSettings Settings;
    };

    // Queues the next answer: the result code Fetch returns and the document it hands back.
    void Answer(int result, std::string document) { answers_.push_back({result, std::move(document)}); }

    // Pops the next queued answer; with none left the request "could not be started" (10069).
    int Fetch(const std::string& url, const tHttpSettings& settings, std::string& document) override {
        calls_.push_back({url, settings});
        if (answers_.empty()) {
            document.clear();
            return 10069;
        }
        const tAnswer answer = std::move(answers_.front());
        answers_.pop_front();
        document = answer.Document;
        return answer.Result;
    }

    // Every fetch here answers at once, so there is never one to give up; the calls are counted.
    void Abandon() override { ++abandons_; }

    const std::vector<tCall>& Calls() const { return calls_; }
    int Abandons() const { return abandons_; }
    std::size_t Pending() const { return answers_.size(); }

private:
    struct tAnswer {
        int Result;
        std::string Document;
    };
    std::deque<tAnswer> answers_;
    std::vector<tCall> calls_;
    int abandons_ = 0;
};

} // namespace vc::test
