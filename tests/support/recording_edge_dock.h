// A screen-edge dock that only writes down what it is asked to do, into a log the test owns (the dock
// itself belongs to the window under test), and reports a full-screen state the test sets.
#pragma once

#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "platform/screen_edge_dock.h"

namespace vc::test {

struct tDockLog {
    std::vector<tScreenEdgeDock::tWindowId> Docks;
    // The strut each window has now; absent once cleared.
    std::map<tScreenEdgeDock::tWindowId, std::optional<tDockStrut>> Struts;
    int StrutCalls = 0;
    std::vector<std::pair<tScreenEdgeDock::tWindowId, bool>> TopmostCalls;
    bool FullScreen = false;
    tScreenRect AskedScreen;
};

class tRecordingEdgeDock : public tScreenEdgeDock {
public:
    explicit tRecordingEdgeDock(tDockLog& log) : log_(log) {}
    bool ReservesSpace() const override { return true; }
    void MarkAsDock(tWindowId window) override { log_.Docks.push_back(window); }
    void SetStrut(tWindowId window, const tDockStrut& strut) override {
        log_.Struts[window] = strut;
        ++log_.StrutCalls;
    }
    void ClearStrut(tWindowId window) override {
        log_.Struts[window] = std::nullopt;
        ++log_.StrutCalls;
    }
    void SetTopmost(tWindowId window, bool topmost) override {
        log_.TopmostCalls.emplace_back(window, topmost);
    }
    bool FullScreenActive(const tScreenRect& screen) override {
        log_.AskedScreen = screen;
        return log_.FullScreen;
    }

private:
    tDockLog& log_;
};

} // namespace vc::test
