#include <gtest/gtest.h>

#include "link/Frames.h"

using namespace bxl;

TEST(Frames, RequestsAreExactBytes) {
    EXPECT_EQ(requestFrame(kCmdReadProcess), (Frame{0x0C, 0x00, 0x47}));
    EXPECT_EQ(requestFrame(kCmdReadControls), (Frame{0x16, 0x00, 0x3D}));
}

TEST(Frames, WriteFrameOfZeros) {
    const Frame f = blockFrame(kCmdWriteControls, BlockValues{});
    ASSERT_EQ(f.size(), 403u);
    EXPECT_EQ(f[0], 0x20);
    EXPECT_EQ(f[1], 0x00);
    for (std::size_t i = 2; i < 402; ++i) ASSERT_EQ(f[i], 0) << i;
    EXPECT_EQ(f[402], 0x33);
    EXPECT_TRUE(checksumValid(f.data(), f.size()));
}

TEST(Frames, ValueEncoding) {
    struct Case {
        int32_t value;
        uint8_t high, low;
    };
    for (const Case& c :
         {Case{-1, 0xFF, 0xFF}, Case{-2, 0xFF, 0xFE}, Case{32767, 0x7F, 0xFF}, Case{-32768, 0x80, 0x00},
          Case{0, 0x00, 0x00}, Case{1439, 0x05, 0x9F}, Case{-24763, 0x9F, 0x45}}) {
        EXPECT_EQ(encodeHigh(c.value), c.high) << c.value;
        EXPECT_EQ(encodeLow(c.value), c.low) << c.value;
        EXPECT_EQ(decodeValue(c.high, c.low), c.value) << c.value;
    }
    // Outside the wire's range only the low 16 bits travel.
    EXPECT_EQ(decodeValue(encodeHigh(100000), encodeLow(100000)), 100000 - 131072);
    EXPECT_FALSE(fitsOnWire(100000));
    EXPECT_FALSE(fitsOnWire(-32769));
    EXPECT_TRUE(fitsOnWire(-32768));
}

TEST(Frames, BlockRoundTripPlacesValuesHighByteFirst) {
    BlockValues v{};
    for (int k = 0; k < kBlockValues; ++k) v[static_cast<std::size_t>(k)] = (k - 100) * 321;
    const Frame f = blockFrame(kCmdProcessReply, v);
    EXPECT_EQ(f[2 + 2 * 199], encodeHigh(v[199]));
    EXPECT_EQ(f[3 + 2 * 199], encodeLow(v[199]));
    for (int k = 0; k < kBlockValues; ++k) ASSERT_EQ(blockValue(f.data(), k), v[static_cast<std::size_t>(k)]);
    EXPECT_TRUE(checksumValid(f.data(), f.size()));
}

TEST(Frames, ChecksumRules) {
    const uint8_t live[] = {0x53, 0x00};  // 0xAD + 0x53 = 0x100
    EXPECT_TRUE(checksumValid(live, 2));
    const uint8_t one[] = {0x53};
    EXPECT_FALSE(checksumValid(one, 1));
    const uint8_t off[] = {0x0C, 0x00, 0x48};
    EXPECT_FALSE(checksumValid(off, 3));
}

TEST(Frames, ReceiveBufferCountStopsAt799) {
    ReceiveBuffer rx;
    for (int i = 0; i < 1000; ++i) rx.append(static_cast<uint8_t>(i));
    EXPECT_EQ(rx.count(), 799);
    EXPECT_EQ(rx.data()[798], static_cast<uint8_t>(798));
    EXPECT_EQ(rx.data()[799], static_cast<uint8_t>(999));  // the last place takes the overflow
    rx.clear();
    EXPECT_EQ(rx.count(), 0);
    rx.append(0x53);
    rx.append(0x00);
    EXPECT_TRUE(rx.valid());
}
