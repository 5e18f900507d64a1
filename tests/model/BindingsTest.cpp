#include <gtest/gtest.h>

#include "model/Bindings.h"
#include "model/ParamTable.h"

using namespace bxl;

TEST(Bindings, BuildPlacesEveryDisplayableRowInTableOrder) {
    BindingTable t;
    ASSERT_EQ(t.build(), 222);
    EXPECT_EQ(t.at(0).row, 2);
    EXPECT_EQ(t.at(0).valueIndex, 256);
    EXPECT_EQ(t.at(0).page, 0);
    EXPECT_EQ(t.at(0).top, 10);
    EXPECT_EQ(t.at(25).top, 510);  // the 26th row of M01
    EXPECT_EQ(t.at(26).page, 1);   // first row of M02 starts again at 10
    EXPECT_EQ(t.at(26).top, 10);
    EXPECT_EQ(t.at(222).valueIndex, -1);
    EXPECT_EQ(t.at(999).valueIndex, -1);

    int prevRow = -1;
    for (int i = 0; i < t.used(); ++i) {
        const ParamRow& r = kParamTable[t.at(i).row];
        EXPECT_GT(t.at(i).row, prevRow);
        prevRow = t.at(i).row;
        EXPECT_NE(r.item, 0);
        EXPECT_NE(r.menu, 30);
        EXPECT_NE(r.menu, 0);
    }
}

TEST(Bindings, FormatByValueIndexUsesTheFirstBinding) {
    BindingTable t;
    t.build();
    ValueStore s;
    s.setCurrent(365, 42);
    EXPECT_EQ(t.formatByValueIndex(s, 365), "42 Pa");
    EXPECT_EQ(kParamTable[t.at(t.findByValueIndex(365)).row].menu, 1);
    EXPECT_EQ(t.formatByValueIndex(s, 297), "?");  // heating coil: no menu row
    EXPECT_EQ(t.formatByValueIndex(s, 418), "?");  // menu 30 has no page
    s.setCurrent(256, -15);
    EXPECT_EQ(t.formatByValueIndex(s, 256),
              "-1.5 \xB0"
              "C");
}

TEST(Bindings, ColourCases) {
    Binding control{10, 29, 1, 10};    // M02.01, controls block
    Binding process{451, 183, 13, 0};  // M20.98, process block
    struct Case {
        int offline;
        bool differ;
        const Binding* b;
        Rgb colour;
    } cases[] = {
        {1, false, &control, {128, 128, 128}}, {1, true, &control, {192, 112, 112}},
        {0, false, &control, {0, 0, 0}},       {0, true, &control, {255, 0, 0}},
        {1, true, &process, {192, 112, 112}},  {0, true, &process, {255, 0, 255}},
        {0, false, &process, {0, 0, 0}},
    };
    for (const auto& c : cases) {
        ValueStore s;
        s.setOffline(c.offline);
        s.setReceived(c.b->valueIndex, 7);
        s.setCurrent(c.b->valueIndex, c.differ ? 8 : 7);
        EXPECT_EQ(bindingColour(s, *c.b), c.colour) << c.offline << c.differ << c.b->valueIndex;
    }
}

TEST(Bindings, Captions) {
    EXPECT_EQ(rowCaption(2), "M01.01   Temp NTC1 (ODA)");
    EXPECT_EQ(rowCaption(152), "M10.99   Comfort Temperature");
}
