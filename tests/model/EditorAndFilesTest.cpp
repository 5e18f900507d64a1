#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "model/Bindings.h"
#include "model/ControlsFile.h"
#include "model/FileIo.h"
#include "model/ParamTable.h"
#include "model/ValueEditor.h"

using namespace bxl;

namespace {

int rowOf(int menu, int item) {
    for (int r = 0; r < kParamRowCount; ++r)
        if (kParamTable[r].menu == menu && kParamTable[r].item == item) return r;
    return -1;
}

}  // namespace

TEST(ValueEditor, StepsClampAndAdjust) {
    struct Case {
        int menu, item;
        int32_t start;
        int32_t steps;
        int32_t expected;
    } cases[] = {
        {70, 9, 95, 100, 100},  // step 1, max 100
        {70, 9, 3, -100, 0},    // min 0
        {2, 1, 5000, 1, 5010},  // step 10
        {2, 1, 5000, 10, 5100},
        {2, 1, 5000, 100, 6000},
        {2, 19, 0, 1, 100},  // step 100, range 0..100
        {2, 19, 100, -1, 0},
        {60, 11, 1430, 100, 1439},  // 23:50 + hour stops at 23:59
        {60, 11, 5, -100, 0},
        {60, 11, 600, 100, 660},  // one hour
        {60, 11, 600, 10, 610},
        {60, 2, 100, 1, 101},  // dates: 1, 30, 365 days
        {60, 2, 100, 10, 130},
        {60, 2, 100, 100, 465},
        {60, 2, 100, -100, 0},
        {5, 1, 1, 100, 27},  // option list 0..27
        {5, 1, 27, -100, 0},
        // Rows that allow more than 16 bits stop at what the wire carries.
        {4, 1, 32700, 100, 32767},
        {70, 1, 32760, 1, 32767},
        {10, 29, -100, -1, -100},  // negative minimum
        // A value beyond what the wire carries (loaded from a file) is not
        // pulled back by a press the other way; a press back brings it in.
        {4, 1, 40000, 1, 40000},
        {4, 1, 40000, 100, 40000},
        {4, 1, 150000, 1, 150000},
        {4, 1, 40000, -1, 32767},
        {4, 1, 500, 1, 1000},  // below the row's minimum: the row's clamp
    };
    for (const auto& c : cases) {
        const int r = rowOf(c.menu, c.item);
        ASSERT_GE(r, 0);
        EXPECT_EQ(steppedValue(kParamTable[r], c.start, c.steps), c.expected)
            << "M" << c.menu << "." << c.item << " from " << c.start << " by " << c.steps;
    }
}

TEST(ValueEditor, BelowWhatTheWireCarries) {
    const ParamRow wide{1, 1, "wide", "", 0, -100000, 100000, 0, 1, 0};
    EXPECT_EQ(steppedValue(wide, -40000, -1), -40000);
    EXPECT_EQ(steppedValue(wide, -40000, -100), -40000);
    EXPECT_EQ(steppedValue(wide, -40000, 1), -32768);
    EXPECT_EQ(steppedValue(wide, -32700, -100), -32768);
}

TEST(ValueEditor, PendingFlagFollowsProcessBlockChanges) {
    BindingTable t;
    t.build();
    ValueStore s;
    const int b = t.findByValueIndex(451);  // M20.98 reset actual failure
    ASSERT_GE(b, 0);
    applyStep(s, t.at(b), 1);
    EXPECT_EQ(s.current(451), 1);
    EXPECT_EQ(s.pending(451), 1);
    applyStep(s, t.at(b), -1);
    EXPECT_EQ(s.current(451), 0);
    EXPECT_EQ(s.pending(451), 0);

    const int c = t.findByValueIndex(1);  // controls never get a flag
    applyStep(s, t.at(c), 1);
    EXPECT_EQ(s.current(1), 10);
    EXPECT_EQ(s.pending(1), 0);
}

TEST(ControlsFile, EncodesValuesAndChecksum) {
    ValueStore s;
    Bytes zero = encodeControlsFile(s);
    ASSERT_EQ(zero.size(), 804u);
    for (std::size_t i = 0; i < 800; ++i) ASSERT_EQ(zero[i], 0) << i;
    EXPECT_EQ((Bytes{zero.begin() + 800, zero.end()}), (Bytes{0x87, 0x56, 0xE4, 0x12}));

    s.setCurrent(0, -1);
    s.setCurrent(199, 0x01020304);
    Bytes b = encodeControlsFile(s);
    EXPECT_EQ((Bytes{b.begin(), b.begin() + 4}), (Bytes{0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ((Bytes{b.begin() + 796, b.begin() + 800}), (Bytes{0x04, 0x03, 0x02, 0x01}));
    // 0x12E45687 - 1 + 0x01020304
    EXPECT_EQ((Bytes{b.begin() + 800, b.end()}), (Bytes{0x8A, 0x59, 0xE6, 0x13}));
}

TEST(ControlsFile, DecodeAcceptsWrapAroundAndTrailingBytesRejectsDamage) {
    ValueStore s;
    s.setCurrent(3, 2147483647);
    s.setCurrent(4, 2147483647);
    s.setCurrent(5, -2147483647 - 1);
    s.setCurrent(6, -123456);
    Bytes good = encodeControlsFile(s);
    auto block = decodeControlsFile(good);
    ASSERT_TRUE(block);
    EXPECT_EQ((*block)[3], 2147483647);
    EXPECT_EQ((*block)[5], -2147483647 - 1);
    EXPECT_EQ((*block)[6], -123456);

    Bytes longer = good;
    longer.resize(1000, 0xAA);
    EXPECT_TRUE(decodeControlsFile(longer));

    Bytes damaged = good;
    damaged[17] ^= 0x01;
    EXPECT_FALSE(decodeControlsFile(damaged));
    EXPECT_FALSE(decodeControlsFile(Bytes(good.begin(), good.begin() + 803)));
    EXPECT_FALSE(decodeControlsFile({}));
}

TEST(ControlsFile, CsvOfTheDefaultTable) {
    BindingTable t;
    t.build();
    ValueStore s;
    s.setCurrent(256, 215);
    const std::string csv = exportCsv(s, t);
    int lines = 0;
    std::size_t at = 0;
    while ((at = csv.find("\r\n", at)) != std::string::npos) {
        ++lines;
        at += 2;
    }
    EXPECT_EQ(lines, 222);
    EXPECT_EQ(csv.rfind("\r\n"), csv.size() - 2);  // no trailing blank line
    EXPECT_EQ(csv.find('\n'), csv.find("\r\n") + 1);
    EXPECT_EQ(csv.substr(0, csv.find("\r\n") + 2),
              "\"M01-01\",\"Temp NTC1 (ODA)\",\"21.5 \xB0"
              "C\"\r\n");
    EXPECT_NE(csv.find("\"M60-02\",\"Real date\",\" 1-1-2012\"\r\n"), std::string::npos);
    EXPECT_NE(csv.find("\"M10-15\",\"TC(hi)  outdoortemp\",\"0.0 \xB0"
                       "C\"\r\n"),
              std::string::npos);
    EXPECT_EQ(csv.find("M30-"), std::string::npos);
    // The two shared value indexes give one line per row.
    EXPECT_NE(csv.find("\"M70-10\",\"Press supply filter\""), std::string::npos);
    EXPECT_NE(csv.find("\"M01-16\",\"Press Supply filter\""), std::string::npos);
}

TEST(FileIo, WritesReadsAndReportsFailures) {
    char dirTemplate[] = "/tmp/bxl-fileio-XXXXXX";
    ASSERT_NE(::mkdtemp(dirTemplate), nullptr);
    const std::string dir = dirTemplate;
    const std::string path = dir + "/controls.bin";

    const char data[] = "0123456789";
    ASSERT_TRUE(writeFileSafely(path, data, 10));
    auto back = readFilePrefix(path, 4);
    ASSERT_TRUE(back);
    EXPECT_EQ(std::string(back->begin(), back->end()), "0123");
    back = readFilePrefix(path, 100);
    EXPECT_EQ(back->size(), 10u);

    // Replacing keeps no temporary file behind.
    ASSERT_TRUE(writeFileSafely(path, "ab", 2));
    EXPECT_EQ(readFilePrefix(path, 100)->size(), 2u);

    EXPECT_FALSE(readFilePrefix(dir + "/missing", 10));
    EXPECT_FALSE(readFilePrefix(dir, 10));  // a folder is not a file
    EXPECT_FALSE(writeFileSafely(dir + "/no/such/folder/x", data, 10));
    // A full device fails on writing; the failure is reported.
    if (::access("/dev/full", W_OK) == 0) {
        EXPECT_FALSE(writeFileSafely("/dev/full", data, 10));
    }
    std::remove(path.c_str());
    ::rmdir(dir.c_str());
}
