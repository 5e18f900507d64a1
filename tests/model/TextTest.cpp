#include <gtest/gtest.h>

#include "model/Text.h"

using namespace bxl;

TEST(Text, Cp1252BecomesUtf8) {
    EXPECT_EQ(utf8FromCp1252("T1 (\xB0"
                             "C)"),
              "T1 (\xC2\xB0"
              "C)");
    EXPECT_EQ(utf8FromCp1252("plain"), "plain");
    EXPECT_EQ(utf8FromCp1252("\x80\x81\xFF"), "\xE2\x82\xAC\xEF\xBF\xBD\xC3\xBF");
    EXPECT_EQ(utf8FromCp1252(""), "");
}
