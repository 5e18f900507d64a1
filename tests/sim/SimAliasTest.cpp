// bxl-unit-sim and an alias already at its path: only a leftover of its own
// (a link to a pseudo-terminal that is gone) is replaced; an engineer's own
// link, for example to an adapter that is unplugged just now, is left as it
// is and the simulator refuses to start.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/SimulatedUnit.h"

namespace fs = std::filesystem;
using bxl::test::PrivateDataHome;
using bxl::test::SimulatedUnit;

namespace {

class SimAlias : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        alias = home.aliasPath(1);
        fs::create_directories(fs::path(alias).parent_path());
    }

    // Runs the simulator on port 1 for a moment.
    SimulatedUnit::Ending run() const {
        SimulatedUnit unit;
        unit.start(home.path(), 1, {"--close-after", "0.2"});
        return unit.waitForEnd();
    }

    PrivateDataHome home;
    std::string alias;
};

TEST_F(SimAlias, AnEngineersOwnLinkIsLeftAsItIs) {
    const char* const targets[] = {"/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10xyz-if00-port0",
                                   "adapter-not-here", "/dev/pts/x"};
    for (const std::string target : targets) {
        fs::remove(alias);
        fs::create_symlink(target, alias);
        const auto r = run();
        EXPECT_EQ(r.exitCode, 1) << target;
        EXPECT_TRUE(r.err.contains(
            QString::fromStdString(alias + " is a link to " + target + ", which the simulator did not make")))
            << r.err.toStdString();
        EXPECT_TRUE(fs::is_symlink(alias)) << target;
        EXPECT_EQ(fs::read_symlink(alias), target);
    }

    // A link that leads somewhere is someone else's too.
    fs::remove(alias);
    fs::create_symlink("/dev/null", alias);
    const auto r = run();
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QString::fromStdString(alias + " already exists"))) << r.err.toStdString();
    EXPECT_EQ(fs::read_symlink(alias), "/dev/null");
}

TEST_F(SimAlias, ItsOwnLeftoverLinkToAPseudoTerminalIsReplaced) {
    int n = 990000;
    while (fs::exists("/dev/pts/" + std::to_string(n))) ++n;
    const std::string stale = "/dev/pts/" + std::to_string(n);
    fs::create_symlink(stale, alias);

    const auto r = run();
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("serving port 1 on /dev/pts/")) << r.out.toStdString();
    EXPECT_FALSE(r.out.contains(QString::fromStdString(stale + " via"))) << r.out.toStdString();
    // It served its own link, and took that away when it stopped.
    EXPECT_FALSE(fs::exists(fs::symlink_status(alias)));
}

}  // namespace
