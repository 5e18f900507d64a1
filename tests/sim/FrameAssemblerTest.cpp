// The simulated unit reading the tool's frames from reads of any size.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/FrameAssembler.h"

using namespace bxl;
using sim::FrameAssembler;
using namespace std::chrono_literals;

namespace {

struct Reader {
    std::vector<Frame> frames;
    std::vector<std::string> discarded;  // "why:length"
    FrameAssembler assembler{[this](const Frame& f) { frames.push_back(f); },
                             [this](const Frame& b, const char* why) {
                                 discarded.push_back(std::string(why) + ":" + std::to_string(b.size()));
                             }};
    FrameAssembler::Clock::time_point now{};

    // One read of the given bytes, `after` the previous one.
    void read(const Frame& bytes, FrameAssembler::Clock::duration after = 1ms) {
        now += after;
        assembler.take(bytes.data(), bytes.size(), now);
    }
};

Frame part(const Frame& f, std::size_t from, std::size_t to) {
    return Frame(f.begin() + static_cast<long>(from), f.begin() + static_cast<long>(to));
}

}  // namespace

TEST(FrameAssembler, FramesAcrossReadsOfAnySize) {
    Reader r;
    const Frame request = requestFrame(kCmdReadProcess);
    r.read(part(request, 0, 1));
    EXPECT_TRUE(r.frames.empty());
    r.read(part(request, 1, 3));
    ASSERT_EQ(r.frames.size(), 1u);
    EXPECT_EQ(r.frames[0], request);

    // A block in reads of 7 bytes, and the next request in the same read as
    // its last piece.
    BlockValues values{};
    values[5] = -2;
    const Frame block = blockFrame(kCmdWriteControls, values);
    for (std::size_t at = 0; at + 7 < block.size(); at += 7) r.read(part(block, at, at + 7));
    const std::size_t tail = block.size() / 7 * 7;
    Frame last = part(block, tail, block.size());
    const Frame next = requestFrame(kCmdReadControls);
    last.insert(last.end(), next.begin(), next.end());
    r.read(last);
    ASSERT_EQ(r.frames.size(), 3u);
    EXPECT_EQ(r.frames[1], block);
    EXPECT_EQ(r.frames[2], next);
    EXPECT_TRUE(r.discarded.empty());
    EXPECT_EQ(r.assembler.pending(), 0u);
}

TEST(FrameAssembler, StrayBytesAndPausesInsideAFrame) {
    Reader r;
    // Bytes that start no frame the tool sends are dropped one by one, up to
    // the first that does.
    Frame noisy{0x00, 0x0D, 0xFF};
    const Frame request = requestFrame(kCmdReadProcess);
    noisy.insert(noisy.end(), request.begin(), request.end());
    r.read(noisy);
    EXPECT_EQ(r.discarded, (std::vector<std::string>{"stray:1", "stray:1", "stray:1"}));
    ASSERT_EQ(r.frames.size(), 1u);

    // A pause of 200 ms keeps the frame; a longer one abandons what came.
    r.discarded.clear();
    r.read(part(request, 0, 2));
    r.read(part(request, 2, 3), 200ms);
    EXPECT_EQ(r.frames.size(), 2u);
    r.read(part(request, 0, 2));
    r.read(part(request, 2, 3), 201ms);
    EXPECT_EQ(r.frames.size(), 2u);
    // The late byte (0x47) starts no frame either.
    EXPECT_EQ(r.discarded, (std::vector<std::string>{"incomplete:2", "stray:1"}));
    r.read(request, 500ms);
    EXPECT_EQ(r.frames.size(), 3u);
}
