// Every named value index agrees with the parameter table: the menu line its
// comment names is looked up by menu and item number and must carry that
// value index and that name; an index said to have no menu line must be
// shown by none. The header itself is read, so a constant can never drift
// from the table, nor be added without saying which line it is.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "model/ParamTable.h"
#include "model/ValueIndexes.h"

using namespace bxl;

namespace {

struct Entry {
    int line;
    std::string name;
    int index;
    std::string comment;
};

std::vector<std::string> headerLines() {
    std::ifstream in(BXL_VALUE_INDEXES_HEADER);
    std::vector<std::string> lines;
    for (std::string l; std::getline(in, l);) lines.push_back(l);
    return lines;
}

const ParamRow* menuLine(int menu, int item) {
    for (int r = 0; kParamTable[r].menu != -1; ++r)
        if (kParamTable[r].menu == menu && kParamTable[r].item == item) return &kParamTable[r];
    return nullptr;
}

bool shownByAnyLine(int index) {
    for (int r = 0; kParamTable[r].menu != -1; ++r)
        if (kParamTable[r].menu > 0 && kParamTable[r].item > 0 && kParamTable[r].valueIndex == index)
            return true;
    return false;
}

}  // namespace

TEST(ValueIndexes, EachNamedIndexIsTheOneItsMenuLineCarries) {
    const std::vector<std::string> lines = headerLines();
    ASSERT_FALSE(lines.empty()) << "cannot read " << BXL_VALUE_INDEXES_HEADER;

    static const std::regex kEntry(R"(^inline constexpr int (k\w+) = (\d+);\s+// (.*)$)");
    static const std::regex kMenuLine(R"re(^M(\d\d)\.(\d\d) "(.*)"$)re");
    std::vector<Entry> entries;
    int constants = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        constants += lines[i].find("constexpr") != std::string::npos ? 1 : 0;
        std::smatch m;
        if (std::regex_match(lines[i], m, kEntry))
            entries.push_back({static_cast<int>(i + 1), m[1], std::stoi(m[2]), m[3]});
    }
    // A constant written in another form would escape the checks below.
    EXPECT_EQ(static_cast<int>(entries.size()), constants);
    EXPECT_GT(entries.size(), 100u);

    std::set<std::string> names;
    for (const Entry& e : entries) {
        SCOPED_TRACE("line " + std::to_string(e.line) + ": " + e.name);
        EXPECT_TRUE(names.insert(e.name).second) << "named twice";
        std::smatch m;
        if (std::regex_match(e.comment, m, kMenuLine)) {
            const ParamRow* row = menuLine(std::stoi(m[1]), std::stoi(m[2]));
            ASSERT_NE(row, nullptr) << "no such menu line: " << e.comment;
            EXPECT_EQ(row->valueIndex, e.index) << e.comment;
            EXPECT_EQ(std::string(row->name), m[3].str()) << e.comment;
        } else if (e.comment.rfind("no menu line: ", 0) == 0) {
            EXPECT_FALSE(shownByAnyLine(e.index)) << "a menu line shows " << e.index << ": name it";
        } else {
            ADD_FAILURE() << "the comment names neither a menu line nor \"no menu line\": " << e.comment;
        }
    }
}

// The file read above is the one compiled in.
TEST(ValueIndexes, HeaderReadIsTheOneCompiled) {
    const std::vector<std::string> lines = headerLines();
    const auto has = [&](const std::string& text) {
        for (const auto& l : lines)
            if (l.rfind(text, 0) == 0) return true;
        return false;
    };
    EXPECT_TRUE(has("inline constexpr int kHeatExchanger = " + std::to_string(kHeatExchanger) + ";"));
    EXPECT_TRUE(has("inline constexpr int kWeekday = " + std::to_string(kWeekday) + ";"));
}
