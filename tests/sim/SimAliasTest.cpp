// bxl-unit-sim and an alias already at its path: only a leftover of its own
// (a link to a pseudo-terminal that is gone) is replaced; an engineer's own
// link, for example to an adapter that is unplugged just now, is left as it
// is and the simulator refuses to start.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace fs = std::filesystem;

namespace {

struct SimRun {
    int status = -1;
    std::string out, err;
};

class SimAlias : public ::testing::Test {
protected:
    void SetUp() override {
        char name[] = "/tmp/bxl-sim-alias-XXXXXX";
        ASSERT_NE(::mkdtemp(name), nullptr);
        dataHome = name;
        ports = dataHome + "/brisaval-xl/ports";
        fs::create_directories(ports);
    }
    void TearDown() override { fs::remove_all(dataHome); }

    // Runs the simulator on port 1 for a moment.
    SimRun run() const {
        const std::string command = "XDG_DATA_HOME='" + dataHome +
                                    "' '" BXL_UNIT_SIM "' --close-after 0.2 >'" + dataHome + "/out' 2>'" +
                                    dataHome + "/err'";
        SimRun r;
        const int raw = std::system(command.c_str());
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        r.out = slurp(dataHome + "/out");
        r.err = slurp(dataHome + "/err");
        return r;
    }
    static std::string slurp(const std::string& path) {
        std::ifstream in(path);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    std::string dataHome, ports;
};

TEST_F(SimAlias, AnEngineersOwnLinkIsLeftAsItIs) {
    const std::string alias = ports + "/com1";
    const char* const targets[] = {"/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10xyz-if00-port0",
                                   "adapter-not-here", "/dev/pts/x"};
    for (const std::string target : targets) {
        fs::remove(alias);
        fs::create_symlink(target, alias);
        const SimRun r = run();
        EXPECT_EQ(r.status, 1) << target;
        EXPECT_NE(r.err.find(alias + " is a link to " + target + ", which the simulator did not make"),
                  std::string::npos)
            << r.err;
        EXPECT_TRUE(fs::is_symlink(alias)) << target;
        EXPECT_EQ(fs::read_symlink(alias), target);
    }

    // A link that leads somewhere is someone else's too.
    fs::remove(alias);
    fs::create_symlink("/dev/null", alias);
    const SimRun r = run();
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(alias + " already exists"), std::string::npos) << r.err;
    EXPECT_EQ(fs::read_symlink(alias), "/dev/null");
}

TEST_F(SimAlias, ItsOwnLeftoverLinkToAPseudoTerminalIsReplaced) {
    int n = 990000;
    while (fs::exists("/dev/pts/" + std::to_string(n))) ++n;
    const std::string stale = "/dev/pts/" + std::to_string(n);
    const std::string alias = ports + "/com1";
    fs::create_symlink(stale, alias);

    const SimRun r = run();
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("serving port 1 on /dev/pts/"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find(stale + " via"), std::string::npos) << r.out;
    // It served its own link, and took that away when it stopped.
    EXPECT_FALSE(fs::exists(fs::symlink_status(alias)));
}

}  // namespace
