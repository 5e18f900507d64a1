// The pace of the simulated unit's line: reply delay, byte time, the pause
// of a split reply, and replies queued back to back.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <vector>

#include "sim/LinePacer.h"

using namespace std::chrono_literals;
using bxl::Frame;
using bxl::sim::LinePacer;

namespace {

// The far end of the line: a pipe read without waiting.
struct Pipe {
    int ends[2] = {-1, -1};
    Pipe() { EXPECT_EQ(::pipe2(ends, O_NONBLOCK), 0); }
    ~Pipe() {
        ::close(ends[0]);
        ::close(ends[1]);
    }
    std::size_t arrived() {
        uint8_t buf[64];
        const ssize_t n = ::read(ends[0], buf, sizeof buf);
        return n > 0 ? static_cast<std::size_t>(n) : 0;
    }
};

}  // namespace

TEST(LinePacer, BytesLeaveAtTheirTime) {
    Pipe line;
    LinePacer pacer(1.0, 5.0, 300.0);  // 1 ms a byte, 5 ms before a reply, 300 ms split pause
    const LinePacer::Clock::time_point t0{};
    pacer.queue(Frame{1, 2, 3, 4}, 2, t0);

    const struct {
        std::chrono::microseconds at;
        std::size_t bytes;
    } steps[] = {
        {4900us, 0},  // the reply delay
        {5000us, 1},  // first byte
        {6000us, 1},  // one byte time later
        {7000us, 0},  // the split pause before the third byte
        {306000us, 0}, {307000us, 1}, {308000us, 1},
    };
    for (const auto& s : steps) {
        ASSERT_TRUE(pacer.sendDue(line.ends[1], t0 + s.at));
        EXPECT_EQ(line.arrived(), s.bytes) << s.at.count() << " us";
    }
    EXPECT_TRUE(pacer.empty());

    // A reply asked for while another is still going out follows it one byte
    // time after its last byte.
    pacer.queue(Frame{1, 2}, 2, t0);
    pacer.queue(Frame{3}, 1, t0 + 1ms);
    EXPECT_EQ(pacer.nextDue(), t0 + 5ms);
    ASSERT_TRUE(pacer.sendDue(line.ends[1], t0 + 6ms));
    EXPECT_EQ(line.arrived(), 2u);
    EXPECT_EQ(pacer.nextDue(), t0 + 7ms);
}
