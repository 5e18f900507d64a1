#include "sim/UnitModel.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "model/ParamTable.h"
#include "model/TimeClock.h"

namespace bxl::sim {

namespace {

// Controls indexes the model reads.
constexpr int kSupplyAir1 = 1;  // M02.01..04, exhaust M02.05..08 at 5..8
constexpr int kKSupply = 16;    // M04.05 k-value of the supply nozzle
constexpr int kKExhaust = 17;
constexpr int kMaxSupply = 18;
constexpr int kMaxExhaust = 19;
constexpr int kInputFunction[9] = {20, 21, 22, 23, 24, 48, 49, 50, 51};
constexpr int kRelayFunction[8] = {25, 26, 27, 28, 53, 54, 55, 56};
constexpr int kAnalogFunction[5] = {29, 30, 31, 32, 33};
constexpr int kComfort = 43;
constexpr int kFrostT1 = 46;
constexpr int kHeatOutdoor[3] = {67, 68, 69};  // low, med, hi
constexpr int kHeatSupply[3] = {77, 78, 79};
constexpr int kCoolOutdoorLow = 70;
constexpr int kHeatPZone = 73;
constexpr int kFailureFirst = 83;  // M20.01..06, kept by the unit itself
constexpr int kFailureLast = 88;
constexpr int kMinWheel = 9;
constexpr int kMaxWheel = 10;
constexpr int kAirflowFactor = 103;
constexpr int kHeatExchanger = 105;
constexpr int kFilterF1 = 136, kFilterP1 = 137, kFilterF2 = 138, kFilterP2 = 139;
constexpr int kFilterEF1 = 146, kFilterEP1 = 147, kFilterEF2 = 148, kFilterEP2 = 149;
constexpr int kMinAirflow = 167;

constexpr int kMarker = static_cast<int16_t>(kNoChangeMarker);
constexpr double kSdJobSeconds = 3.0;

double clampd(double v, double lo, double hi) {
    return std::max(lo, std::min(hi, v));
}

int32_t roundi(double v) {
    return static_cast<int32_t>(std::lround(v));
}

// First parameter row of a value index, or nullptr.
const ParamRow* rowOf(int index) {
    for (int r = 0; r < kParamRowCount && kParamTable[r].menu != -1; ++r)
        if (kParamTable[r].menu > 0 && kParamTable[r].item > 0 && kParamTable[r].valueIndex == index)
            return &kParamTable[r];
    return nullptr;
}

}  // namespace

std::array<int32_t, 200> UnitModel::factoryControls() {
    std::array<int32_t, 200> values{};
    for (int r = kParamRowCount - 1; r >= 0; --r) {
        const ParamRow& row = kParamTable[r];
        if (row.menu > 0 && row.item > 0 && row.valueIndex >= 0 && row.valueIndex < 200)
            values[static_cast<std::size_t>(row.valueIndex)] = row.defaultValue;
    }
    // A short failure history, as a unit that has been in service has.
    values[kFailureFirst] = 5;
    values[kFailureFirst + 1] = 12;
    values[kFailureFirst + 2] = 3;
    return values;
}

UnitModel::UnitModel(uint32_t seed) : controls_(factoryControls()), rng_(seed) {
    p(280) = 307;   // software version 3.07
    p(452) = 112;   // I/O board version 1.12
    p(381) = 8760;  // power-on hours
    p(380) = 6;     // SD card ready
    p(337) = 1;     // input 1 closed: ventilation 1 requested by the building
    advance(0, LocalTime{});
}

std::optional<Frame> UnitModel::handle(const Frame& frame) {
    if (frame.size() < 2 || !checksumValid(frame.data(), frame.size())) return std::nullopt;
    const uint8_t cmd = frame[0];
    if (frame.size() == kRequestLength && cmd == kCmdReadProcess) {
        BlockValues v{};
        std::copy(process_.begin(), process_.end(), v.begin());
        return blockFrame(kCmdProcessReply, v);
    }
    if (frame.size() == kRequestLength && cmd == kCmdReadControls) {
        BlockValues v{};
        std::copy(controls_.begin(), controls_.end(), v.begin());
        return blockFrame(kCmdControlsReply, v);
    }
    if (frame.size() == kBlockLength && cmd == kCmdWriteControls) {
        writeControls(frame);
        BlockValues v{};
        std::copy(controls_.begin(), controls_.end(), v.begin());
        if (echoDiff_ >= 0 && echoDiff_ < 200) v[static_cast<std::size_t>(echoDiff_)] += 1;
        return blockFrame(kCmdWriteEcho, v);
    }
    if (frame.size() == kBlockLength && cmd == kCmdSecondWrite) {
        writeProcess(frame);
        return requestFrame(kCmdSecondWrite + 1);
    }
    return std::nullopt;
}

void UnitModel::writeControls(const Frame& frame) {
    for (int i = 0; i < 200; ++i) {
        if (i >= kFailureFirst && i <= kFailureLast) continue;  // the unit's own history
        const int32_t v = blockValue(frame.data(), i);
        // A new setting outside its menu line's limits is refused: the unit
        // keeps what it had (and the echo shows it).
        const ParamRow* row = rowOf(i);
        if (row && isEditable(*row) && v != c(i) && (v < row->minimum || v > row->maximum)) continue;
        controls_[static_cast<std::size_t>(i)] = v;
    }
}

void UnitModel::writeProcess(const Frame& frame) {
    for (int k = 0; k < 200; ++k) {
        const int32_t v = blockValue(frame.data(), k);
        if (v == kMarker) continue;
        const int index = 256 + k;
        if (index == 366) {
            clockOffsetMinutes_ = std::clamp(v, 0, 1439) - lastTime_.minuteOfDay;
        } else if (index == 367) {
            dateOffsetDays_ = v - lastTime_.daysSince2012;
        } else {
            p(index) = v;
        }
    }
    runCommands(0);
}

int UnitModel::activeSpeed(const LocalTime& now) const {
    if (process_[425 - 256] >= 1 && process_[425 - 256] <= 4) return process_[425 - 256];  // M30.10 overrule
    int speed = 0;
    const int clock =
        TimeClockSpeedAt(selectClocks(controls_), kMinutesPerDay * now.weekday + now.minuteOfDay);
    if (clock >= 1 && clock <= 4) speed = clock;
    for (int i = 0; i < 9; ++i) {
        const int32_t function = c(kInputFunction[i]);
        if (function >= 1 && function <= 4 && process_[static_cast<std::size_t>(337 + i - 256)] == 1)
            speed = std::max<int>(speed, function);
    }
    return speed;
}

void UnitModel::runCommands(double dt) {
    // Failure resets take effect at once and read back as "No".
    if (p(352) == 1) {
        for (int i = kFailureFirst; i <= kFailureLast; ++i) controls_[static_cast<std::size_t>(i)] = 0;
        p(352) = 0;
    }
    if (p(451) == 1) p(451) = 0;
    // SD card save (431) and restore (432): Busy while writing or reading,
    // then Done (or Fail when there is nothing to restore).
    if (sdJob_ == 0) {
        if (p(431) == 1) {
            sdJob_ = 431;
            p(431) = 2;
            p(380) = 7;
            sdBusy_ = kSdJobSeconds;
        } else if (p(432) == 1) {
            sdJob_ = 432;
            p(432) = 2;
            p(380) = 12;
            sdBusy_ = kSdJobSeconds;
        }
    } else if ((sdBusy_ -= dt) <= 0) {
        if (sdJob_ == 431) {
            sdCard_ = controls_;
            p(431) = 3;
        } else if (sdCard_) {
            controls_ = *sdCard_;
            p(432) = 3;
        } else {
            p(432) = 4;
        }
        p(380) = 6;
        sdJob_ = 0;
    }
}

void UnitModel::advance(double dt, const LocalTime& wall) {
    time_ += dt;
    lastTime_ = wall;
    runCommands(dt);
    std::normal_distribution<double> noise(0.0, 1.0);

    LocalTime now = wall;
    const int minutes = ((wall.minuteOfDay + clockOffsetMinutes_) % 1440 + 1440) % 1440;
    const int dayShift = ((wall.minuteOfDay + clockOffsetMinutes_) - minutes) / 1440 + dateOffsetDays_;
    now.minuteOfDay = minutes;
    now.daysSince2012 = wall.daysSince2012 + dayShift;
    now.weekday = ((wall.weekday + dayShift) % 7 + 7) % 7;
    p(366) = now.minuteOfDay;
    p(367) = std::clamp(now.daysSince2012, 0, 18263);
    p(368) = now.weekday;
    p(381) = 8760 + static_cast<int32_t>(time_ / 3600);

    // Temperatures in tenths of a degree: outdoor follows the time of day
    // and drifts slowly; the extract air stays near the comfort setting.
    const double hour = now.minuteOfDay / 60.0;
    const double t1 = 70 + 45 * std::sin((hour - 9) / 24 * 2 * std::numbers::pi) +
                      8 * std::sin(time_ / 600 * 2 * std::numbers::pi) + 0.5 * noise(rng_);
    const double t3 = c(kComfort) + 10 + 5 * std::sin(time_ / 900 * 2 * std::numbers::pi) + 0.3 * noise(rng_);

    // Heating line: supply temperature asked at this outdoor temperature.
    double request = c(kHeatSupply[0]);
    if (t1 <= c(kHeatOutdoor[2])) {
        request = c(kHeatSupply[2]);
    } else if (t1 <= c(kHeatOutdoor[1])) {
        const double span = std::max(1, c(kHeatOutdoor[1]) - c(kHeatOutdoor[2]));
        request =
            c(kHeatSupply[2]) + (c(kHeatSupply[1]) - c(kHeatSupply[2])) * (t1 - c(kHeatOutdoor[2])) / span;
    } else if (t1 <= c(kHeatOutdoor[0])) {
        const double span = std::max(1, c(kHeatOutdoor[0]) - c(kHeatOutdoor[1]));
        request =
            c(kHeatSupply[1]) + (c(kHeatSupply[0]) - c(kHeatSupply[1])) * (t1 - c(kHeatOutdoor[1])) / span;
    }

    const int speed = activeSpeed(now);
    const bool running = speed > 0;
    const bool cooling = t1 > c(kCoolOutdoorLow);
    const double wheel = !running ? 0 : cooling ? c(kMinWheel) : c(kMaxWheel);  // percent
    const double efficiency = running ? 0.80 * wheel / 100 : 0;
    const double recovered = t1 + efficiency * (t3 - t1);
    const double deficit = request - recovered;
    const double heating =
        running && deficit > 0 ? clampd(deficit * 1000 / std::max(1, c(kHeatPZone)), 0, 1000) : 0;
    const double t2 = running ? recovered + std::max(0.0, deficit) * heating / 1000 : t1 + 20;
    const double coolingOut = running && cooling ? clampd((t1 - c(kCoolOutdoorLow)) * 20, 0, 1000) : 0;

    p(256) = roundi(t1);
    p(257) = roundi(t2 + 0.3 * noise(rng_));
    p(258) = roundi(t3);
    p(259) = roundi(t3 - efficiency * (t3 - t1));
    p(260) = roundi(t1 + 1.5);
    p(261) = roundi(450 + 20 * std::sin(time_ / 1200 * 2 * std::numbers::pi));
    p(323) = roundi(t3 - 5);
    p(336) = roundi(request);
    p(276) = roundi(wheel * 100);
    p(316) = roundi(efficiency * 1000);
    p(296) = cooling && running ? 10000 : 0;
    p(297) = roundi(heating);
    p(298) = roundi(coolingOut);
    p(318) = roundi(heating);
    p(319) = roundi(coolingOut);
    p(320) = roundi(std::max(heating, coolingOut));
    p(350) = heating > 0 ? 1 : 0;
    p(351) = coolingOut > 0 ? 1 : 0;
    p(293) = t1 < c(kFrostT1) ? 1 : 0;
    p(355) = c(kHeatExchanger) != 0 && t1 < c(kFrostT1) ? 1 : 0;

    // Air flows in m3/h: the request follows the active speed's M02 setting;
    // the fans follow the request with a lag of some seconds.
    const auto requestOf = [&](int first, int maxIndex) {
        if (!running) return 0.0;
        double q = c(first + speed - 1) * c(kAirflowFactor) / 100.0;
        q = std::max<double>(q, c(kMinAirflow));
        return std::min<double>(q, c(maxIndex));
    };
    const double supplyRequest = requestOf(kSupplyAir1, kMaxSupply);
    const double exhaustRequest = requestOf(kSupplyAir1 + 4, kMaxExhaust);
    const double follow = dt <= 0 ? 0 : std::min(1.0, dt / 8);
    supplyFlow_ += (supplyRequest - supplyFlow_) * follow;
    exhaustFlow_ += (exhaustRequest - exhaustFlow_) * follow;
    const double supply = std::max(0.0, supplyFlow_ + (running ? 8 * noise(rng_) : 0));
    const double exhaust = std::max(0.0, exhaustFlow_ + (running ? 8 * noise(rng_) : 0));
    p(271) = roundi(supplyRequest);
    p(272) = roundi(exhaustRequest);
    p(273) = roundi(supply);
    p(274) = roundi(exhaust);
    p(275) = speed * 25;
    p(369) = TimeClockSpeedAt(selectClocks(controls_), kMinutesPerDay * now.weekday + now.minuteOfDay);
    const double supplyControl = p(322) > 0 ? p(322) * 10.0 : supply * 1000 / std::max(1, c(kMaxSupply));
    const double exhaustControl = p(324) > 0 ? p(324) * 10.0 : exhaust * 1000 / std::max(1, c(kMaxExhaust));
    p(300) = roundi(clampd(supplyControl, 0, 1000));
    p(301) = roundi(clampd(exhaustControl, 0, 1000));
    p(294) = running ? 1 : 0;
    p(295) = running ? 1 : 0;

    // Pressures in Pa: nozzles from their k-values, filters rising with the
    // square of the flow and, slowly, with dirt.
    const auto nozzle = [](double q, int k) { return k > 0 ? (q / k) * (q / k) : 0.0; };
    p(363) = roundi(nozzle(supply, c(kKSupply)));
    p(362) = roundi(nozzle(exhaust, c(kKExhaust)));
    filterDirt_ += dt / 86400.0 * 0.05;
    const double fs = 150 * filterDirt_ * (supply / 6000) * (supply / 6000);
    const double fe = 130 * filterDirt_ * (exhaust / 6000) * (exhaust / 6000);
    p(365) = roundi(fs);
    p(364) = roundi(fe);
    const auto limitAt = [](double q, int f1, int p1, int f2, int p2) {
        if (f2 == f1) return static_cast<double>(p2);
        return p1 + (p2 - p1) * (q - f1) / static_cast<double>(f2 - f1);
    };
    p(371) = fs > limitAt(supply, c(kFilterF1), c(kFilterP1), c(kFilterF2), c(kFilterP2)) ? 1 : 0;
    p(370) = fe > limitAt(exhaust, c(kFilterEF1), c(kFilterEP1), c(kFilterEF2), c(kFilterEP2)) ? 1 : 0;

    // Outputs by their configured function.
    for (int r = 0; r < 8; ++r) {
        const int32_t f = c(kRelayFunction[r]);
        const bool on = (f == 1 && (p(371) || p(370))) || ((f == 2 || f == 3) && running) ||
                        (f == 5 && heating > 0) || (f == 6 && coolingOut > 0) || f == 8 ||
                        (f == 9 && (heating > 0 || coolingOut > 0)) || (f == 12 && (p(371) || p(370)));
        p(307 + r) = on ? 1 : 0;
    }
    for (int a = 0; a < 5; ++a) {
        const int32_t f = c(kAnalogFunction[a]);
        const int32_t v = f == 1   ? p(300)
                          : f == 2 ? p(301)
                          : f == 3 ? p(276) / 10
                          : f == 4 ? p(297)
                          : f == 5 ? p(298)
                          : f == 6 ? std::max(p(297), p(298))
                          : f == 7 ? p(296) / 10
                                   : 0;
        p(302 + a) = v;
    }
}

}  // namespace bxl::sim
