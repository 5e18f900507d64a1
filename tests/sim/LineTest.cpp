// The simulated unit as the line treats it: it hears the tool only at 9600
// baud, 8 data bits, no parity, 1 stop bit and no flow control, and it takes
// a frame once the line would have carried all of it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>

#include "link/Frames.h"
#include "sim/LineCheck.h"
#include "tests/support/SimulatedUnit.h"

using namespace bxl;

namespace {

termios rightSettings() {
    termios t{};
    cfmakeraw(&t);
    cfsetispeed(&t, B9600);
    cfsetospeed(&t, B9600);
    t.c_cflag |= CLOCAL | CREAD;
    return t;
}

// The tool's side of a simulated unit's line, opened as a terminal program
// would open it.
class ToolSide {
public:
    explicit ToolSide(const std::string& path) : fd_(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK)) {}
    ~ToolSide() {
        if (fd_ >= 0) ::close(fd_);
    }
    bool isOpen() const { return fd_ >= 0; }
    void set(const termios& t) { tcsetattr(fd_, TCSANOW, &t); }
    void write(const Frame& f) {
        EXPECT_EQ(::write(fd_, f.data(), f.size()), static_cast<ssize_t>(f.size()));
    }
    // What arrives within `ms`, and when its first byte came (ms after the call).
    Frame read(int ms, double* firstAfterMs = nullptr) {
        Frame got;
        const auto start = std::chrono::steady_clock::now();
        const auto end = start + std::chrono::milliseconds(ms);
        while (std::chrono::steady_clock::now() < end) {
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, 10) <= 0) continue;
            uint8_t buf[512];
            const ssize_t n = ::read(fd_, buf, sizeof buf);
            if (n <= 0) continue;
            if (got.empty() && firstAfterMs != nullptr)
                *firstAfterMs =
                    std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                        .count();
            got.insert(got.end(), buf, buf + n);
        }
        return got;
    }

private:
    int fd_;
};

}  // namespace

TEST(LineSettings, WhatDiffersFromTheUnitsLine) {
    const struct {
        const char* change;
        void (*apply)(termios&);
        const char* problem;
    } cases[] = {
        {"none", [](termios&) {}, ""},
        {"19200 baud", [](termios& t) { cfsetospeed(&t, B19200); }, "19200 baud"},
        {"7 data bits", [](termios& t) { t.c_cflag = (t.c_cflag & ~CSIZE) | CS7; }, "7 data bits"},
        {"even parity", [](termios& t) { t.c_cflag |= PARENB; }, "parity"},
        {"2 stop bits", [](termios& t) { t.c_cflag |= CSTOPB; }, "2 stop bits"},
        {"RTS/CTS", [](termios& t) { t.c_cflag |= CRTSCTS; }, "hardware flow control"},
        {"XON/XOFF", [](termios& t) { t.c_iflag |= IXON | IXOFF; }, "software flow control"},
        {"two at once",
         [](termios& t) {
             cfsetospeed(&t, B4800);
             t.c_cflag |= PARENB;
         },
         "4800 baud, parity"},
    };
    for (const auto& c : cases) {
        termios t = rightSettings();
        c.apply(t);
        EXPECT_EQ(sim::lineSettingsProblem(t), c.problem) << c.change;
    }
}

class SimLine : public ::testing::Test {
protected:
    void start(const QStringList& options = {}) {
        ASSERT_TRUE(unit.start(home.path(), 1, options)) << unit.problem().toStdString();
        side = std::make_unique<ToolSide>(home.aliasPath(1));
        ASSERT_TRUE(side->isOpen());
    }
    test::PrivateDataHome home;
    test::SimulatedUnit unit;
    std::unique_ptr<ToolSide> side;
};

// A tool that opened the port wrongly hears nothing, or noise when asked
// for, and is answered again once it sets the line right.
TEST_F(SimLine, WrongLineSettingsAreNotAnswered) {
    for (const bool garbage : {false, true}) {
        unit.stop();
        start(garbage ? QStringList{"--wrong-line", "garbage"} : QStringList{});
        // (A pseudo-terminal keeps 8 data bits and no parity whatever is
        // asked; the speed shows.)
        termios wrong = rightSettings();
        cfsetospeed(&wrong, B19200);
        cfsetispeed(&wrong, B19200);
        side->set(wrong);
        side->write(requestFrame(kCmdReadProcess));
        const Frame heard = side->read(700);
        if (garbage) {
            EXPECT_FALSE(heard.empty());
            EXPECT_FALSE(heard.size() == kBlockLength && checksumValid(heard.data(), heard.size()));
        } else {
            EXPECT_TRUE(heard.empty()) << heard.size() << " bytes";
        }
        side->set(rightSettings());
        side->write(requestFrame(kCmdReadProcess));
        const Frame reply = side->read(900);
        ASSERT_EQ(reply.size(), static_cast<std::size_t>(kBlockLength)) << "garbage " << garbage;
        EXPECT_TRUE(checksumValid(reply.data(), reply.size()));
        EXPECT_EQ(reply[0], kCmdProcessReply);
    }
    EXPECT_TRUE(unit.stop().contains("on wrong line settings"));
}

// A 403-byte write is taken once the line would have carried it, about
// 420 ms after its first byte at 9600 baud; a 3-byte request after 3 ms.
TEST_F(SimLine, ReceivedFramesTakeTheirLineTime) {
    start();
    side->set(rightSettings());
    double requestAnswered = -1, writeAnswered = -1;
    side->write(requestFrame(kCmdReadProcess));
    ASSERT_EQ(side->read(800, &requestAnswered).size(), static_cast<std::size_t>(kBlockLength));
    side->write(requestFrame(kCmdReadControls));
    const Frame controls = side->read(800);
    ASSERT_EQ(controls.size(), static_cast<std::size_t>(kBlockLength));
    BlockValues values{};
    for (int k = 0; k < kBlockValues; ++k)
        values[static_cast<std::size_t>(k)] = blockValue(controls.data(), k);
    side->write(blockFrame(kCmdWriteControls, values));
    ASSERT_EQ(side->read(1200, &writeAnswered).size(), static_cast<std::size_t>(kBlockLength));
    EXPECT_LT(requestAnswered, 150);
    EXPECT_GE(writeAnswered, 403 * 1.04 - 5);
    EXPECT_LT(writeAnswered, 403 * 1.04 + 250);
}
