// The screen-edge dock of a desktop that offers none: the bar stays a frameless stay-on-top window at
// the edge and reserves no space.
#pragma once

#include "platform/screen_edge_dock.h"

namespace vc {

class tPlainEdgeDock : public tScreenEdgeDock {
public:
    bool ReservesSpace() const override { return false; }
    void MarkAsDock(tWindowId) override {}
    void SetStrut(tWindowId, const tDockStrut&) override {}
    void ClearStrut(tWindowId) override {}
    void SetTopmost(tWindowId, bool) override {}
    bool FullScreenActive(const tScreenRect&) override { return false; }
};

} // namespace vc
