// tTickerTapeRefresh lets the refresh cycle reach a tTickerTape through its narrow interface.
#pragma once

#include "tape/refresh_hooks.h"
#include "tape/ticker_tape.h"

namespace vc {

class tTickerTapeRefresh final : public tRefreshTape {
public:
    // tape must outlive this object.
    explicit tTickerTapeRefresh(tTickerTape& tape) : tape_(tape) {}
    std::vector<std::string> BuildRequestList() override { return tape_.BuildRequestList(); }
    void MergeQuotes(std::vector<std::string>& lines) override { tape_.MergeQuotes(lines); }

private:
    tTickerTape& tape_;
};

} // namespace vc
