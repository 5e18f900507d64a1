// The line the simulated unit serves: which file at the alias's place it
// may replace, and that it takes away only its own alias when it stops.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "sim/Endpoint.h"
#include "tests/support/SimulatedUnit.h"

namespace fs = std::filesystem;
using bxl::sim::AliasPlace;
using bxl::sim::Endpoint;

TEST(SimEndpoint, WhatStandsWhereTheAliasGoes) {
    bxl::test::PrivateDataHome home;
    ASSERT_TRUE(home.isValid());
    const std::string alias = home.path().toStdString() + "/com1";
    int gone = 990000;
    while (fs::exists("/dev/pts/" + std::to_string(gone))) ++gone;

    const struct {
        const char* what;
        std::string link;  // empty: a regular file, "-": nothing
        AliasPlace place;
    } cases[] = {
        {"nothing", "-", AliasPlace::Free},
        {"a file", "", AliasPlace::Occupied},
        {"a link to something there", "/dev/null", AliasPlace::Occupied},
        {"its own leftover", "/dev/pts/" + std::to_string(gone), AliasPlace::OwnLeftover},
        {"an adapter unplugged now", "/dev/serial/by-id/usb-FTDI-if00-port0", AliasPlace::ForeignLink},
        {"a relative link", "pts/5", AliasPlace::ForeignLink},
        {"a pts name that is no number", "/dev/pts/x", AliasPlace::ForeignLink},
    };
    for (const auto& c : cases) {
        fs::remove(alias);
        if (c.link.empty())
            std::ofstream(alias) << "x";
        else if (c.link != "-")
            fs::create_symlink(c.link, alias);
        std::string target;
        EXPECT_EQ(bxl::sim::aliasPlace(alias, target), c.place) << c.what;
    }

    EXPECT_TRUE(bxl::sim::isPseudoTerminalPath("/dev/pts/12"));
    EXPECT_TRUE(bxl::sim::isPseudoTerminalPath("/dev/ttys003"));
    EXPECT_FALSE(bxl::sim::isPseudoTerminalPath("/dev/pts/"));
    EXPECT_FALSE(bxl::sim::isPseudoTerminalPath("/dev/ttyS0"));
}

TEST(SimEndpoint, ClosingTakesAwayOnlyItsOwnAlias) {
    bxl::test::PrivateDataHome home;
    ASSERT_TRUE(home.isValid());
    const std::string alias = home.aliasPath(2);
    {
        Endpoint line;
        ASSERT_TRUE(line.openPseudoTerminal(2)) << line.error();
        EXPECT_EQ(line.alias(), alias);
        EXPECT_EQ(fs::read_symlink(alias), line.served());
        EXPECT_TRUE(line.holdsLine());
    }
    EXPECT_FALSE(fs::exists(fs::symlink_status(alias))) << "its own alias is taken away";

    // Someone put another link in its place while it served: that one stays.
    {
        Endpoint line;
        ASSERT_TRUE(line.openPseudoTerminal(2)) << line.error();
        fs::remove(alias);
        fs::create_symlink("/dev/null", alias);
    }
    EXPECT_EQ(fs::read_symlink(alias), "/dev/null");

    // And that link keeps the next simulator out.
    Endpoint refused;
    EXPECT_FALSE(refused.openPseudoTerminal(2));
    EXPECT_NE(refused.error().find(alias + " already exists"), std::string::npos) << refused.error();
}
