#include <gtest/gtest.h>

#include <QWidget>
#include <string>
#include <vector>

#include "ui/overview/Form2.h"

using namespace bxl::overview;

namespace {

enum class Act { Overview, Flip, CloseBox };

struct Step {
    Act act;
    int heatExchanger = 0;
    int bypassPosition = 0;
};
Step overview(int hx, int bp = 0) {
    return {Act::Overview, hx, bp};
}
constexpr Step kFlip{Act::Flip};
constexpr Step kCloseBox{Act::CloseBox};

constexpr int kHidden = -1;  // the window itself is hidden

struct Case {
    const char* name;
    std::vector<Step> steps;
    std::vector<int> shownAfterEachStep;  // panel id, or kHidden
};

const char* panelName(int p) {
    static const char* names[] = {"WWLi", "WWRe", "Recup1", "Recup2", "Marvek1", "Marvek2"};
    return p == kHidden ? "hidden" : names[p];
}

}  // namespace

TEST(OverviewSelection, SequencesOfOverviewFlipAndClose) {
    const std::vector<Case> cases = {
        {"wheel: first opening, flip, reopen keeps orientation",
         {overview(0), kFlip, overview(0), overview(0)},
         {kWWRe, kWWLi, kHidden, kWWLi}},
        {"bypass on supply side: mirrored panel first, one flip",
         {overview(1, 3), kFlip},
         {kMarvek2, kMarvek1}},
        {"each bypass position picks its pair",
         {overview(1, 0), overview(1, 0), overview(1, 1), overview(1, 1), overview(1, 2), overview(1, 2),
          overview(1, 4)},
         // the first opening hid the supply-side pair, so its first panel shows
         {kRecup2, kHidden, kRecup2, kHidden, kMarvek1, kHidden, kMarvek1}},
        {"variant change between openings shows the first panel of the new pair",
         {overview(0), overview(0), overview(1, 0)},
         {kWWRe, kHidden, kRecup1}},
        {"and back again to the wheel",
         {overview(1, 0), overview(1, 0), overview(0), kFlip},
         {kRecup2, kHidden, kWWRe, kWWLi}},
        {"supply bypass after exhaust bypass",
         {overview(1, 1), kFlip, overview(1, 1), overview(1, 2)},
         {kRecup2, kRecup1, kHidden, kMarvek1}},
        {"Overview hides a visible window whatever the settings",
         {overview(0), overview(1, 4)},
         {kWWRe, kHidden}},
        {"close box then Overview shows the same panel",
         {overview(1, 4), kFlip, kCloseBox, overview(1, 4)},
         {kMarvek2, kMarvek1, kHidden, kMarvek1}},
        {"any non-zero heat exchanger value counts as Yes, unknown bypass as exhaust side",
         {overview(2, 9)},
         {kRecup2}},
        {"flip twice returns", {overview(0), kFlip, kFlip}, {kWWRe, kWWLi, kWWRe}},
    };

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TForm2 form;
        bxl::ValueStore store;
        for (std::size_t s = 0; s < c.steps.size(); ++s) {
            const Step& st = c.steps[s];
            switch (st.act) {
                case Act::Overview:
                    store.setCurrent(bxl::kHeatExchanger, st.heatExchanger);
                    store.setCurrent(bxl::kBypassPosition, st.bypassPosition);
                    form.toggleAndSelect(store);
                    break;
                case Act::Flip:
                    form.BitBtnLiReClick();
                    break;
                case Act::CloseBox:
                    form.close();
                    break;
            }
            const int want = c.shownAfterEachStep[s];
            ASSERT_EQ(form.isVisible(), want != kHidden) << "after step " << s;
            if (want == kHidden) continue;
            std::string shown;
            for (int p = 0; p < kPanelCount; ++p)
                if (form.panel(p).panel->isVisible())
                    shown += std::string(shown.empty() ? "" : ",") + panelName(p);
            EXPECT_EQ(shown, panelName(want)) << "after step " << s;
        }
    }
}

TEST(OverviewSelection, FlipLeavesPairsWithoutAVisiblePanelAlone) {
    // Two pairs showing at once cannot come from the buttons, but flip must
    // treat each pair on its own.
    PanelVisibility v{true, false, false, false, false, true};
    flip(v);
    EXPECT_EQ(v, (PanelVisibility{false, true, false, false, true, false}));
    PanelVisibility none{};
    flip(none);
    EXPECT_EQ(none, PanelVisibility{});
}
