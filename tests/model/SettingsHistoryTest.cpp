#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "model/FileIo.h"
#include "model/SettingsHistory.h"
#include "tests/support/TempFolder.h"

using namespace bxl;

namespace {

ControlsBlock blockWith(int32_t first) {
    ControlsBlock block{};
    block[0] = first;
    block[199] = -first;
    return block;
}

std::vector<std::string> namesIn(const SettingsHistory& history) {
    std::vector<std::string> names;
    for (const HistoryFile& f : history.files()) names.push_back(f.name);
    return names;
}

std::optional<ControlsBlock> readBack(const std::string& path) {
    const auto bytes = readFilePrefix(path, kControlsFileSize + 1);
    if (!bytes || bytes->size() != kControlsFileSize) return std::nullopt;
    return decodeControlsFile(*bytes);
}

// A fixed local time: 10 December 2026, 10:15:03.
std::time_t at(int secondsLater = 0) {
    std::tm local{};
    local.tm_year = 2026 - 1900;
    local.tm_mon = 11;
    local.tm_mday = 10;
    local.tm_hour = 10;
    local.tm_min = 15;
    local.tm_sec = 3 + secondsLater;
    local.tm_isdst = -1;
    return std::mktime(&local);
}

}  // namespace

TEST(SettingsHistory, FolderFollowsTheDataHome) {
    EXPECT_EQ(historyFolder("/x/data", "/home/e"), "/x/data/brisaval-xl/history");
    EXPECT_EQ(historyFolder("", "/home/e"), "/home/e/.local/share/brisaval-xl/history");
    EXPECT_EQ(historyFolder("relative", "/home/e"), "/home/e/.local/share/brisaval-xl/history");
    EXPECT_EQ(historyFolder("", ""), "");
}

TEST(SettingsHistory, KeepsControlsFilesNamedByLocalTimeAndKind) {
    TempFolder temp;
    SettingsHistory history(temp.file("data/brisaval-xl/history"));
    ASSERT_TRUE(history.keep(blockWith(7), HistoryKind::Received, at()));
    ASSERT_TRUE(history.keep(blockWith(7), HistoryKind::BeforeSend, at(1)));
    // Same kind in the same second: a second file, listed after the first.
    ASSERT_TRUE(history.keep(blockWith(8), HistoryKind::Received, at(1)));
    ASSERT_TRUE(history.keep(blockWith(9), HistoryKind::Received, at(1)));
    EXPECT_EQ(namesIn(history), (std::vector<std::string>{
                                    "20261210-101503-received.bxl",
                                    "20261210-101504-before-send.bxl",
                                    "20261210-101504-received.bxl",
                                    "20261210-101504-received-2.bxl",
                                }));
    EXPECT_EQ(readBack(history.newest(HistoryKind::BeforeSend)->path), blockWith(7));
    EXPECT_EQ(readBack(history.newest(HistoryKind::Received)->path), blockWith(9));
    EXPECT_TRUE(history.problem().empty());
}

TEST(SettingsHistory, IdenticalReadsAreKeptOnceAlsoAcrossRuns) {
    TempFolder temp;
    {
        SettingsHistory history(temp.path);
        history.keep(blockWith(1), HistoryKind::Received, at(0));
        history.keep(blockWith(1), HistoryKind::Received, at(1));
        // A send between two equal reads does not make the second one new.
        history.keep(blockWith(1), HistoryKind::BeforeSend, at(2));
        history.keep(blockWith(1), HistoryKind::BeforeSend, at(3));
        history.keep(blockWith(1), HistoryKind::Received, at(4));
        history.keep(blockWith(2), HistoryKind::Received, at(5));
        history.keep(blockWith(1), HistoryKind::Received, at(6));
    }
    SettingsHistory nextRun(temp.path);
    nextRun.keep(blockWith(1), HistoryKind::Received, at(7));
    EXPECT_EQ(namesIn(nextRun), (std::vector<std::string>{
                                    "20261210-101503-received.bxl",
                                    "20261210-101505-before-send.bxl",
                                    "20261210-101506-before-send.bxl",
                                    "20261210-101508-received.bxl",
                                    "20261210-101509-received.bxl",
                                }));
}

TEST(SettingsHistory, KeepsTheNewestFilesAndLeavesOtherFilesAlone) {
    TempFolder temp;
    std::ofstream(temp.file("notes.txt")) << "mine";
    std::ofstream(temp.file("20200101-000000-received.bxl.bak")) << "mine";
    SettingsHistory history(temp.path, 3);
    for (int i = 0; i < 5; ++i) history.keep(blockWith(i + 1), HistoryKind::Received, at(i));
    EXPECT_EQ(namesIn(history), (std::vector<std::string>{
                                    "20261210-101505-received.bxl",
                                    "20261210-101506-received.bxl",
                                    "20261210-101507-received.bxl",
                                }));
    EXPECT_TRUE(readFilePrefix(temp.file("notes.txt"), 10));
    EXPECT_TRUE(readFilePrefix(temp.file("20200101-000000-received.bxl.bak"), 10));
}

TEST(SettingsHistory, AFolderThatCannotBeMadeIsReportedOnce) {
    TempFolder temp;
    std::ofstream(temp.file("history")) << "a file where the folder should be";
    SettingsHistory history(temp.file("history"));
    std::vector<std::string> reported;
    history.setFailureCallback([&](const std::string& problem) { reported.push_back(problem); });
    EXPECT_FALSE(history.keep(blockWith(1), HistoryKind::Received, at()));
    EXPECT_FALSE(history.keep(blockWith(2), HistoryKind::BeforeSend, at(1)));
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_NE(reported[0].find(temp.file("history")), std::string::npos);
    EXPECT_FALSE(history.problem().empty());
    EXPECT_TRUE(history.files().empty());

    SettingsHistory nowhere("");
    EXPECT_FALSE(nowhere.keep(blockWith(1), HistoryKind::Received, at()));
    EXPECT_NE(nowhere.problem().find("XDG_DATA_HOME"), std::string::npos);
}

// "As found": the first read of this run, whether its file was written, left
// out as equal to the newest file of an earlier run, or failed.
TEST(SettingsHistory, RemembersTheFirstReadOfThisRun) {
    TempFolder temp;
    {
        SettingsHistory earlierRun(temp.path);
        earlierRun.keep(blockWith(7), HistoryKind::Received, at(0));
    }
    SettingsHistory equalToTheDisk(temp.path);
    EXPECT_FALSE(equalToTheDisk.firstReceivedThisRun());
    equalToTheDisk.keep(blockWith(3), HistoryKind::BeforeSend, at(1));
    EXPECT_FALSE(equalToTheDisk.firstReceivedThisRun());
    equalToTheDisk.keep(blockWith(7), HistoryKind::Received, at(2));
    equalToTheDisk.keep(blockWith(8), HistoryKind::Received, at(3));
    EXPECT_EQ(equalToTheDisk.firstReceivedThisRun(), blockWith(7));

    SettingsHistory nowhere("");
    EXPECT_FALSE(nowhere.keep(blockWith(5), HistoryKind::Received, at()));
    nowhere.keep(blockWith(6), HistoryKind::Received, at(1));
    EXPECT_EQ(nowhere.firstReceivedThisRun(), blockWith(5));
}
