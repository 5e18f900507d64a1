#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>

#include "model/Bindings.h"
#include "model/ParamTable.h"

using namespace bxl;

TEST(ParamTable, WalkStopsAtEndMarkerAfterRow257) {
    int visited = 0;
    while (kParamTable[visited].menu != -1) ++visited;
    EXPECT_EQ(visited, 258);
    EXPECT_EQ(visited, kEndMarkerRow);
}

TEST(ParamTable, DerivedCounts) {
    int displayable = 0, readOnlyMenuLines = 0, menu30 = 0, titles = 0;
    std::map<int, int> useCount;
    for (int r = 1; r <= 256; ++r) {
        const ParamRow& row = kParamTable[r];
        if (row.item == 0) {
            ++titles;
            continue;
        }
        ++useCount[row.valueIndex];
        if (!isEditable(row)) {
            ++readOnlyMenuLines;
            EXPECT_EQ(row.minimum, 0) << r;
            EXPECT_EQ(row.maximum, 0) << r;
            EXPECT_EQ(row.step, 0) << r;
        }
        if (row.menu == 30) ++menu30;
        if (pageOfMenu(row.menu) >= 0) ++displayable;
    }
    EXPECT_EQ(titles, 21);
    EXPECT_EQ(displayable, 222);
    EXPECT_EQ(menu30, 13);
    EXPECT_EQ(readOnlyMenuLines, 65);

    std::set<int> shared;
    for (auto [index, count] : useCount)
        if (count > 1) shared.insert(index);
    EXPECT_EQ(shared, (std::set<int>{364, 365}));
}

TEST(ParamTable, RowsOfNote) {
    // Spot checks across the table: exact texts, the degree sign as byte 0xB0,
    // the double blank in M10.15 and the default above its maximum in M10.28.
    EXPECT_STREQ(kParamTable[2].name, "Temp NTC1 (ODA)");
    EXPECT_STREQ(kParamTable[2].unit,
                 "\xB0"
                 "C");
    EXPECT_EQ(std::strlen(kParamTable[2].unit), 2u);
    EXPECT_STREQ(kParamTable[140].name, "TC(hi)  outdoortemp");
    EXPECT_EQ(kParamTable[150].defaultValue, 25);
    EXPECT_EQ(kParamTable[150].maximum, 10);
    EXPECT_EQ(kParamTable[47].step, 100);
    EXPECT_EQ(kParamTable[56].maximum, 100000);
    EXPECT_EQ(kParamTable[231].maximum, 200000);
    EXPECT_EQ(kParamTable[256].valueIndex, 452);
    EXPECT_EQ(kParamTable[257].menu, 0);
    EXPECT_EQ(kParamTable[0].item, 1);
    // Rows sharing an option list share the same text.
    EXPECT_EQ(kParamTable[69].unit, kParamTable[77].unit);
}

TEST(ParamTable, ValueIndexesStayInTheirBlocks) {
    for (int r = 1; r <= 256; ++r) {
        const ParamRow& row = kParamTable[r];
        if (row.item == 0) continue;
        const int vi = row.valueIndex;
        EXPECT_TRUE((vi >= 1 && vi <= 168) || (vi >= 256 && vi <= 452)) << r;
    }
}
