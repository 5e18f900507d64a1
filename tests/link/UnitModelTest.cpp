#include <gtest/gtest.h>

#include "link/Frames.h"
#include "model/ParamTable.h"
#include "model/ValueIndexes.h"
#include "sim/UnitModel.h"

using namespace bxl;
using bxl::sim::UnitModel;

namespace {

BlockValues decode(const Frame& f) {
    BlockValues v{};
    for (int k = 0; k < kBlockValues; ++k) v[static_cast<std::size_t>(k)] = blockValue(f.data(), k);
    return v;
}

BlockValues controlsOf(const UnitModel& unit) {
    BlockValues v{};
    for (int i = 0; i < 200; ++i) v[static_cast<std::size_t>(i)] = unit.control(i);
    return v;
}

Frame secondWrite(std::initializer_list<std::pair<int, int32_t>> changes) {
    BlockValues v;
    v.fill(static_cast<int16_t>(kNoChangeMarker));
    for (auto [index, value] : changes) v[static_cast<std::size_t>(index - 256)] = value;
    return blockFrame(kCmdSecondWrite, v);
}

const sim::LocalTime kMonday0900{540, 5000, 0};

}  // namespace

TEST(UnitModel, ControlsReplyCarriesFactoryDefaults) {
    UnitModel unit;
    const auto reply = unit.handle(requestFrame(kCmdReadControls));
    ASSERT_TRUE(reply);
    ASSERT_EQ(reply->size(), 403u);
    EXPECT_EQ((*reply)[0], kCmdControlsReply);
    EXPECT_TRUE(checksumValid(reply->data(), reply->size()));
    const BlockValues v = decode(*reply);
    for (int r = 0; kParamTable[r].menu != -1; ++r) {
        const ParamRow& row = kParamTable[r];
        if (row.menu > 0 && row.item > 0 && row.valueIndex < 200 && isEditable(row)) {
            EXPECT_EQ(v[static_cast<std::size_t>(row.valueIndex)], row.defaultValue) << row.name;
        }
    }
}

TEST(UnitModel, IgnoresBadChecksumsAndUnknownFrames) {
    UnitModel unit;
    EXPECT_FALSE(unit.handle(Frame{0x0C, 0x00, 0x48}));
    EXPECT_FALSE(unit.handle(requestFrame(0x30)));
}

TEST(UnitModel, WriteIsEchoedAsStoredRefusingBadSettingsAndKeepingHistory) {
    UnitModel unit;
    BlockValues v = controlsOf(unit);
    v[1] = 5500;  // Supply air 1, within 0..20000
    v[9] = 80;    // Minimum speed wheel, above its maximum 50
    v[83] = 0;    // failure history belongs to the unit
    const auto echo = unit.handle(blockFrame(kCmdWriteControls, v));
    ASSERT_TRUE(echo);
    EXPECT_EQ((*echo)[0], kCmdWriteEcho);
    const BlockValues e = decode(*echo);
    EXPECT_EQ(e[1], 5500);
    EXPECT_EQ(e[9], UnitModel::factoryControls()[9]);
    EXPECT_EQ(e[83], UnitModel::factoryControls()[83]);
    EXPECT_EQ(unit.control(1), 5500);

    unit.setEchoDifference(50);
    EXPECT_EQ(decode(*unit.handle(blockFrame(kCmdWriteControls, v)))[50], v[50] + 1);
}

TEST(UnitModel, SecondWriteAppliesOnlyMarkedValuesAndCommandsTakeEffect) {
    UnitModel unit;
    unit.advance(0.1, kMonday0900);
    const auto ack = unit.handle(secondWrite({{352, 1}, {366, 600}}));
    ASSERT_TRUE(ack);
    EXPECT_TRUE(checksumValid(ack->data(), ack->size()));
    EXPECT_LT(ack->size(), 403u);
    for (int i = 83; i <= 88; ++i) EXPECT_EQ(unit.control(i), 0);  // failure list reset
    EXPECT_EQ(unit.process(352), 0);                               // command reads back as "No"
    unit.advance(0.1, kMonday0900);
    EXPECT_EQ(unit.process(366), 600);  // the unit's clock now runs an hour ahead
    EXPECT_EQ(unit.process(368), 0);

    unit.handle(secondWrite({{431, 1}}));  // SD card save
    EXPECT_EQ(unit.process(431), 2);       // busy
    for (int i = 0; i < 40; ++i) unit.advance(0.1, kMonday0900);
    EXPECT_EQ(unit.process(431), 3);  // done
    EXPECT_EQ(unit.process(380), 6);  // ready again
}

// The unit runs its select clocks: M60.03 shows the speed they set now, and
// that speed drives the airflow request.
TEST(UnitModel, SelectClocksSetTheSpeed) {
    UnitModel unit;
    BlockValues v = controlsOf(unit);
    v[kSelectClock1Time] = 480;  // clock 1 at 8:00, weekdays, speed 3
    v[kSelectClock1Day] = 2;
    v[kSelectClock1Speed] = 3;
    v[kSelectClock2Time] = 1320;  // clock 2 at 22:00, every day, speed 1
    v[kSelectClock2Day] = 1;
    v[kSelectClock2Speed] = 1;
    ASSERT_TRUE(unit.handle(blockFrame(kCmdWriteControls, v)));

    unit.advance(0.1, kMonday0900);
    EXPECT_EQ(unit.process(kClockVentilationSpeed), 3);
    EXPECT_EQ(unit.process(kSupplyFlowRequest), unit.control(kSupplyFlowSpeed3));
    unit.advance(0.1, sim::LocalTime{420, 5000, 0});  // Monday 7:00: Sunday 22:00 still holds
    EXPECT_EQ(unit.process(kClockVentilationSpeed), 1);
    unit.advance(0.1, sim::LocalTime{540, 5005, 5});  // Saturday 9:00: Friday 22:00 holds
    EXPECT_EQ(unit.process(kClockVentilationSpeed), 1);
}

TEST(UnitModel, RunningUnitFollowsSettingsAndClock) {
    UnitModel unit;
    for (int i = 0; i < 600; ++i) unit.advance(0.1, kMonday0900);
    // Input 1 is closed and set to "Ventilation 1": speed 1 asks M02.01.
    EXPECT_EQ(unit.process(271), unit.control(1));
    EXPECT_EQ(unit.process(272), unit.control(5));
    EXPECT_NEAR(unit.process(273), unit.control(1), 60);
    EXPECT_EQ(unit.process(366), 540);
    EXPECT_EQ(unit.process(367), 5000);
    EXPECT_GT(unit.process(365), 0);
    EXPECT_GT(unit.process(258), 150);  // extract air near the comfort setting
    EXPECT_LT(unit.process(258), 300);

    // Forcing ventilation 3 through the overrule moves the request.
    unit.handle(secondWrite({{425, 3}}));
    unit.advance(0.1, kMonday0900);
    EXPECT_EQ(unit.process(271), unit.control(3));
}
