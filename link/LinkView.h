// What the transfer sequencer shows and calls on the main window. The main
// window implements it; tests implement it with a recorder.
#pragma once

#include <string>

#include "model/Bindings.h"

namespace bxl {

class LinkView {
public:
    virtual ~LinkView() = default;
    virtual void showPortOpen(bool open) = 0;                          // LabelComOpen
    virtual void showReceiveCount(int count) = 0;                      // ProgressBarRec
    virtual void showStatus(const std::string& text, Rgb colour) = 0;  // LabelInfo
    virtual void enableTransferButtons(bool enabled) = 0;              // BitBtnHaal, BitBtnZend
    virtual void refreshAllBindings() = 0;
    // After a process reply: the fields in view now; a view may leave the
    // others until they come into view. Every field by default.
    virtual void refreshBindingsInView() { refreshAllBindings(); }
    virtual void closeEditor() = 0;
    virtual void liveOverviewRefresh() = 0;
};

}  // namespace bxl
