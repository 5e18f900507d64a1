// What the main window would show of the link, recorded for tests: every
// status text with its colour and the tick it came in, the port label, the
// receive count, the buttons and the refresh calls.
#pragma once

#include <string>
#include <vector>

#include "link/LinkView.h"

namespace bxl::test {

class FakeLinkView : public LinkView {
public:
    struct Status {
        long tick;
        std::string text;
        Rgb colour;
    };

    void showPortOpen(bool open) override { portOpen = open; }
    void showReceiveCount(int count) override { receiveCount = count; }
    void showStatus(const std::string& text, Rgb colour) override {
        statuses.push_back({tick, text, colour});
    }
    void enableTransferButtons(bool enabled) override;
    void refreshAllBindings() override;
    void closeEditor() override { ++editorCloses; }
    void liveOverviewRefresh() override { ++processReplies; }

    // The status line as it stands now; check that there is one first.
    const Status& last() const { return statuses.back(); }
    // Its text, empty before the first status.
    std::string lastText() const { return statuses.empty() ? std::string() : statuses.back().text; }
    // How often a text was shown.
    int count(const std::string& text) const;
    // The last time a text was shown, or null.
    const Status* lastOf(const std::string& text) const;
    // The first time a text was shown in a tick after `tickNo`, or null.
    const Status* firstAfter(const std::string& text, long tickNo) const;
    // The status line as it stood at the end of tick `tickNo`, or null.
    const Status* shownAt(long tickNo) const;

    // The tick the next calls belong to; the test's tick driver counts it.
    long tick = 0;
    bool portOpen = false;
    int receiveCount = -1;
    std::vector<Status> statuses;
    bool buttons = false;
    int enables = 0;
    int refreshes = 0;
    std::vector<long> refreshTicks;
    int editorCloses = 0;
    // Live overview refreshes: one per process reply applied.
    int processReplies = 0;
};

}  // namespace bxl::test
