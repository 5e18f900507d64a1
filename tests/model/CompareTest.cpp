#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/Compare.h"

using namespace bxl;

namespace {

struct Change {
    int index;
    int32_t before, after;
};

struct Line {
    std::string csvCode, screenCode, before, after, page;
};

std::vector<Line> linesOf(const std::vector<Change>& changes) {
    BindingTable bindings;
    bindings.build();
    ValueArray a{}, b{};
    for (const Change& c : changes) {
        a[static_cast<std::size_t>(c.index)] = c.before;
        b[static_cast<std::size_t>(c.index)] = c.after;
    }
    std::vector<Line> out;
    for (const LineDifference& d : compareValues(a, b, bindings))
        out.push_back({d.csvCode, d.screenCode, d.before, d.after, d.pageCaption});
    return out;
}

}  // namespace

TEST(Compare, ListsEveryDifferingLineInTableOrder) {
    struct Case {
        const char* what;
        std::vector<Change> changes;
        std::vector<Line> expected;
    } cases[] = {
        {"equal values", {{1, 5000, 5000}, {300, 7, 7}}, {}},
        {"a number with its unit",
         {{1, 5000, 5100}},
         {{"M02-01", "M02.01", "5000 m3/h", "5100 m3/h", "M02 Ventilation"}}},
        {"tenths keep the sign of values between -1 and 0",
         {{67, -5, 5}},
         {{"M10-02", "M10.02",
           "-0.5 \xB0"
           "C",
           "0.5 \xB0"
           "C",
           "M10 Temp Control"}}},
        {"option list entries",
         {{92, 0, 5}},
         {{"M02-10", "M02.10", "0.Constant Flow (internal)", "5.Direct Fan Control", "M02 Ventilation"}}},
        {"an option past the list's end and its empty last entry",
         {{20, 28, 29}},
         {{"M05-01", "M05.01", "", "[29]", "M05 Digital Input"}}},
        {"times of day", {{117, 0, 1439}}, {{"M60-11", "M60.11", "0:00", "23:59", "M60 Time clock"}}},
        {"dates", {{367, 0, 59}}, {{"M60-02", "M60.02", " 1-1-2012", "29-2-2012", "M60 Time clock"}}},
        {"a value index shown on two pages gives both lines",
         {{365, 80, 120}},
         {{"M01-16", "M01.16", "80 Pa", "120 Pa", "M01 Actual Controls"},
          {"M70-10", "M70.10", "80 Pa", "120 Pa", "M70 Filters"}}},
        {"table order, not value index order",
         {{14, 15, 16}, {13, 6000, 6001}},
         {{"M04-02", "M04.02", "15 sec", "16 sec", "M04 Ventilation setting"},
          {"M04-03", "M04.03", "6000 m3/h", "6001 m3/h", "M04 Ventilation setting"}}},
        {"values no line shows: unused indexes, overrules without a page, the coil outputs",
         {{0, 1, 2}, {170, 1, 2}, {230, 1, 2}, {418, 0, 1}, {297, 10, 20}},
         {}},
    };
    for (const Case& c : cases) {
        const std::vector<Line> got = linesOf(c.changes);
        ASSERT_EQ(got.size(), c.expected.size()) << c.what;
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].csvCode, c.expected[i].csvCode) << c.what;
            EXPECT_EQ(got[i].screenCode, c.expected[i].screenCode) << c.what;
            EXPECT_EQ(got[i].before, c.expected[i].before) << c.what;
            EXPECT_EQ(got[i].after, c.expected[i].after) << c.what;
            EXPECT_EQ(got[i].page, c.expected[i].page) << c.what;
        }
    }
}

TEST(Compare, LineCarriesRowAndName) {
    BindingTable bindings;
    bindings.build();
    ValueArray a{}, b{};
    b[1] = 5100;
    const auto d = compareValues(a, b, bindings);
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d[0].name, "Supply air 1");
    EXPECT_EQ(d[0].valueIndex, 1);
    EXPECT_EQ(bindings.at(d[0].binding).row, d[0].row);
    EXPECT_EQ(d[0].page, 1);
}

TEST(Compare, DifferencesAsCsvFollowTheExportRules) {
    BindingTable bindings;
    bindings.build();
    ControlsBlock fileA{}, fileB{};
    fileA[1] = 5000;
    fileB[1] = 5100;
    fileB[67] = 215;
    const std::string csv =
        differencesCsv(compareValues(valuesOfControls(fileA), valuesOfControls(fileB), bindings));
    EXPECT_EQ(csv,
              "\"M02-01\",\"Supply air 1\",\"5000 m3/h\",\"5100 m3/h\"\r\n"
              "\"M10-02\",\"TH(low) outdoortemp\",\"0.0 \xB0"
              "C\",\"21.5 \xB0"
              "C\"\r\n");
    EXPECT_EQ(differencesCsv({}), "");
}

TEST(Compare, StoreSidesAreCurrentAndReceived) {
    ValueStore store;
    store.setCurrent(1, 5100);
    store.setReceived(1, 5000);
    store.setCurrent(511, 9);
    EXPECT_EQ(currentValues(store)[1], 5100);
    EXPECT_EQ(receivedValues(store)[1], 5000);
    EXPECT_EQ(currentValues(store)[511], 9);
}
