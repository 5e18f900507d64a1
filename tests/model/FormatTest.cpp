#include <gtest/gtest.h>

#include <climits>

#include "model/Format.h"
#include "model/ParamTable.h"

using namespace bxl;

namespace {

struct FormatCase {
    int32_t format;
    const char* unit;
    int32_t value;
    const char* expected;
};

constexpr const char* kDeg =
    "\xB0"
    "C";

}  // namespace

TEST(Format, Table) {
    const char* o2 = kParamTable[69].unit;
    const char* o12 = kParamTable[177].unit;
    const FormatCase cases[] = {
        {0, "", 5, "5 "},
        {0, "m3/h", -20, "-20 m3/h"},
        {1, kDeg, 215,
         "21.5 \xB0"
         "C"},
        {1, kDeg, -5,
         "-0.5 \xB0"
         "C"},
        {1, kDeg, -15,
         "-1.5 \xB0"
         "C"},
        {1, "", 0, "0.0 "},
        {2, "", 307, "3.07 "},
        {2, "%", -7, "-0.07 %"},
        {2, "%", 10000, "100.00 %"},
        {-2, "", 0, "0:00"},
        {-2, "", 1439, "23:59"},
        {-2, "", 485, "8:05"},
        {-2, "", -1, "0:-1"},
        {-3, "", 0, " 1-1-2012"},
        {-3, "", 59, "29-2-2012"},
        {-3, "", 60, " 1-3-2012"},
        {-3, "", 365, "31-12-2012"},
        {-3, "", 366, " 1-1-2013"},
        {-3, "", 18263, " 1-1-2062"},
        {-1, "Open#Closed", 0, "Open"},
        {-1, "Open#Closed", 1, "Closed"},
        {-1, "Open#Closed", 2, "[2]"},
        {-1, "Open#Closed", -1, "[-1]"},
        {-1, o2, 27, "27.Fire Damper Open"},
        {-1, o2, 28, ""},
        {-1, o2, 29, "[29]"},
        {-1, o12, 0, "Empty"},
        {-1, o12, 50, "E50"},
        {-1, o12, 51, "[51]"},
        {-1, "", 0, ""},
        // Scale digit of the format code: 11 is tenths scaled by 10.
        {11, "", 25, "25.0 "},
        {21, "", 3, "30.0 "},
        {30, "x", 2, "2000 x"},
        // The most negative values keep their digits.
        {1, "", INT32_MIN, "-214748364.8 "},
        {2, "", INT32_MIN, "-21474836.48 "},
        {0, "", INT32_MIN, "-2147483648 "},
        {0, "", INT32_MAX, "2147483647 "},
        // Option lists, times and dates at the ends of the 32-bit range.
        {-1, "Open#Closed", INT32_MIN, "[-2147483648]"},
        {-1, o2, INT32_MIN + 1, "[-2147483647]"},
        {-1, o2, INT32_MAX, "[2147483647]"},
        {-2, "", INT32_MIN, "-35791394:-8"},
        {-2, "", INT32_MAX, "35791394:07"},
        {-3, "", -1, " 0-1-2012"},
        {-3, "", INT32_MIN, "-2147483647-1-2012"},
        {-3, "", 40000, " 7-7-20121"},
        {-3, "", 1460999, "31-12-204011"},
        {-3, "", 1461000, " 1-1-204012"},
        {-3, "", INT32_MAX, "17-10-205879501"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatWith(c.format, c.unit, c.value), c.expected)
            << "format " << c.format << " value " << c.value;
    }
}

TEST(Format, ByRowIgnoresTheRowsValueIndex) {
    EXPECT_EQ(formatValue(2, 215),
              "21.5 \xB0"
              "C");                               // M01.01
    EXPECT_EQ(formatValue(209, 0), " 1-1-2012");  // M60.02
    EXPECT_EQ(formatValue(254, 307), "3.07 ");    // M99.01
}

TEST(Format, LongTextsAreCutAt199Characters) {
    std::string unit(400, 'u');
    EXPECT_EQ(formatWith(0, unit.c_str(), 1).size(), kFormatTextMax);
    EXPECT_EQ(formatWith(-1, unit.c_str(), 0).size(), kFormatTextMax);
}

TEST(Format, DateFarBeyondTheTableEndsInAFiveDigitYear) {
    // 36525 days past 2012 runs the year counter above 99.
    const std::string s = formatWith(-3, "", 40000);
    EXPECT_NE(s.find("-20"), std::string::npos);
    EXPECT_GE(s.size(), 9u);
}
