#include "tests/support/FakeLinkView.h"

#include <algorithm>

namespace bxl::test {

void FakeLinkView::enableTransferButtons(bool enabled) {
    buttons = enabled;
    if (enabled) ++enables;
}

void FakeLinkView::refreshAllBindings() {
    ++refreshes;
    refreshTicks.push_back(tick);
}

int FakeLinkView::count(const std::string& text) const {
    return static_cast<int>(
        std::count_if(statuses.begin(), statuses.end(), [&](const Status& s) { return s.text == text; }));
}

const FakeLinkView::Status* FakeLinkView::lastOf(const std::string& text) const {
    for (auto it = statuses.rbegin(); it != statuses.rend(); ++it)
        if (it->text == text) return &*it;
    return nullptr;
}

const FakeLinkView::Status* FakeLinkView::firstAfter(const std::string& text, long tickNo) const {
    for (const auto& s : statuses)
        if (s.text == text && s.tick > tickNo) return &s;
    return nullptr;
}

const FakeLinkView::Status* FakeLinkView::shownAt(long tickNo) const {
    const Status* shown = nullptr;
    for (const auto& s : statuses) {
        if (s.tick > tickNo) break;
        shown = &s;
    }
    return shown;
}

}  // namespace bxl::test
