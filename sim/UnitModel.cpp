#include "sim/UnitModel.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "model/ParamTable.h"
#include "model/TimeClock.h"
#include "model/ValueIndexes.h"

namespace bxl::sim {

namespace {

// What each digital input, relay and analog output does (M05, M06, M07).
constexpr int kInputFunction[9] = {kInput1Function, kInput2Function, kInput3Function,
                                   kInput4Function, kInput5Function, kInput6Function,
                                   kInput7Function, kInput8Function, kInput9Function};
constexpr int kRelayFunction[8] = {kRelay1Function, kRelay2Function, kRelay3Function, kRelay4Function,
                                   kRelay5Function, kRelay6Function, kRelay7Function, kRelay8Function};
constexpr int kAnalogFunction[5] = {kAnalogOutput1Function, kAnalogOutput2Function, kAnalogOutput3Function,
                                    kAnalogOutput4Function, kAnalogOutput5Function};
// The heating line's outdoor and supply temperatures: low, med, hi.
constexpr int kHeatOutdoor[3] = {kHeatLowOutdoor, kHeatMedOutdoor, kHeatHighOutdoor};
constexpr int kHeatSupply[3] = {kHeatLowSupply, kHeatMedSupply, kHeatHighSupply};

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
    values[kLastFailure1] = 5;
    values[kLastFailure1 + 1] = 12;
    values[kLastFailure1 + 2] = 3;
    return values;
}

UnitModel::UnitModel(uint32_t seed) : controls_(factoryControls()), rng_(seed) {
    p(kSoftwareVersion) = 307;  // 3.07
    p(kIoBoardVersion) = 112;   // 1.12
    p(kPowerOnTime) = 8760;     // hours
    p(kSdCardStatus) = 6;       // ready
    p(kInput1State) = 1;        // closed: ventilation 1 requested by the building
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
        if (i >= kLastFailure1 && i <= kLastFailure6) continue;  // the unit's own history
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
        const int index = kProcessFirst + k;
        if (index == kRealTime) {
            clockOffsetMinutes_ = std::clamp(v, 0, 1439) - lastTime_.minuteOfDay;
        } else if (index == kRealDate) {
            dateOffsetDays_ = v - lastTime_.daysSince2012;
        } else {
            p(index) = v;
        }
    }
    runCommands(0);
}

int UnitModel::activeSpeed(const LocalTime& now) const {
    const int32_t forced = process(kForceVentilation);
    if (forced >= 1 && forced <= 4) return forced;
    int speed = 0;
    const int clock =
        TimeClockSpeedAt(selectClocks(controls_), kMinutesPerDay * now.weekday + now.minuteOfDay);
    if (clock >= 1 && clock <= 4) speed = clock;
    for (int i = 0; i < 9; ++i) {
        const int32_t function = c(kInputFunction[i]);
        if (function >= 1 && function <= 4 && process(kInput1State + i) == 1)
            speed = std::max<int>(speed, function);
    }
    return speed;
}

void UnitModel::runCommands(double dt) {
    // Failure resets take effect at once and read back as "No".
    if (p(kResetFailureList) == 1) {
        for (int i = kLastFailure1; i <= kLastFailure6; ++i) controls_[static_cast<std::size_t>(i)] = 0;
        p(kResetFailureList) = 0;
    }
    if (p(kResetActualFailure) == 1) p(kResetActualFailure) = 0;
    // SD card save and restore: Busy while writing or reading, then Done (or
    // Fail when there is nothing to restore). Status 7 writing, 12 reading,
    // 6 ready.
    if (sdJob_ == 0) {
        if (p(kSdCardSave) == 1) {
            sdJob_ = kSdCardSave;
            p(kSdCardSave) = 2;
            p(kSdCardStatus) = 7;
            sdBusy_ = kSdJobSeconds;
        } else if (p(kSdCardRestore) == 1) {
            sdJob_ = kSdCardRestore;
            p(kSdCardRestore) = 2;
            p(kSdCardStatus) = 12;
            sdBusy_ = kSdJobSeconds;
        }
    } else if ((sdBusy_ -= dt) <= 0) {
        if (sdJob_ == kSdCardSave) {
            sdCard_ = controls_;
            p(kSdCardSave) = 3;
        } else if (sdCard_) {
            controls_ = *sdCard_;
            p(kSdCardRestore) = 3;
        } else {
            p(kSdCardRestore) = 4;
        }
        p(kSdCardStatus) = 6;
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
    p(kRealTime) = now.minuteOfDay;
    p(kRealDate) = std::clamp(now.daysSince2012, 0, 18263);
    p(kWeekday) = now.weekday;
    p(kPowerOnTime) = 8760 + static_cast<int32_t>(time_ / 3600);

    // Temperatures in tenths of a degree: outdoor follows the time of day
    // and drifts slowly; the extract air stays near the comfort setting.
    const double hour = now.minuteOfDay / 60.0;
    const double t1 = 70 + 45 * std::sin((hour - 9) / 24 * 2 * std::numbers::pi) +
                      8 * std::sin(time_ / 600 * 2 * std::numbers::pi) + 0.5 * noise(rng_);
    const double t3 =
        c(kComfortTemperature) + 10 + 5 * std::sin(time_ / 900 * 2 * std::numbers::pi) + 0.3 * noise(rng_);

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
    const bool cooling = t1 > c(kCoolLowOutdoor);
    const double wheel = !running ? 0 : cooling ? c(kWheelMinimumSpeed) : c(kWheelMaximumSpeed);  // percent
    const double efficiency = running ? 0.80 * wheel / 100 : 0;
    const double recovered = t1 + efficiency * (t3 - t1);
    const double deficit = request - recovered;
    const double heating =
        running && deficit > 0 ? clampd(deficit * 1000 / std::max(1, c(kHeatingPZone)), 0, 1000) : 0;
    const double t2 = running ? recovered + std::max(0.0, deficit) * heating / 1000 : t1 + 20;
    const double coolingOut = running && cooling ? clampd((t1 - c(kCoolLowOutdoor)) * 20, 0, 1000) : 0;

    p(kTempT1Outdoor) = roundi(t1);
    p(kTempT2Supply) = roundi(t2 + 0.3 * noise(rng_));
    p(kTempT3Extract) = roundi(t3);
    p(kTempT4Exhaust) = roundi(t3 - efficiency * (t3 - t1));
    p(kTempT5) = roundi(t1 + 1.5);
    p(kTempT6) = roundi(450 + 20 * std::sin(time_ / 1200 * 2 * std::numbers::pi));
    p(kTempT7) = roundi(t3 - 5);
    p(kSupplyTempRequest) = roundi(request);
    p(kHeatWheelSpeed) = roundi(wheel * 100);
    p(kHeatExchangeEfficiency) = roundi(efficiency * 1000);
    p(kBypassControl) = cooling && running ? 10000 : 0;
    p(kHeatingCoilControl) = roundi(heating);
    p(kCoolingCoilControl) = roundi(coolingOut);
    p(kPostHeaterControl) = roundi(heating);
    p(kPostCoolerControl) = roundi(coolingOut);
    p(kPostHeaterCoolerControl) = roundi(std::max(heating, coolingOut));
    p(kHeatingActive) = heating > 0 ? 1 : 0;
    p(kCoolingActive) = coolingOut > 0 ? 1 : 0;
    p(kFrostState) = t1 < c(kFrostSetpointT1) ? 1 : 0;
    p(kExchangerFrostState) = c(kHeatExchanger) != 0 && t1 < c(kFrostSetpointT1) ? 1 : 0;

    // Air flows in m3/h: the request follows the active speed's M02 setting;
    // the fans follow the request with a lag of some seconds.
    const auto requestOf = [&](int first, int maxIndex) {
        if (!running) return 0.0;
        double q = c(first + speed - 1) * c(kAirflowFactor) / 100.0;
        q = std::max<double>(q, c(kAirflowMinimum));
        return std::min<double>(q, c(maxIndex));
    };
    const double supplyRequest = requestOf(kSupplyFlowSpeed1, kSupplyFlowMaximum);
    const double exhaustRequest = requestOf(kExhaustFlowSpeed1, kExhaustFlowMaximum);
    const double follow = dt <= 0 ? 0 : std::min(1.0, dt / 8);
    supplyFlow_ += (supplyRequest - supplyFlow_) * follow;
    exhaustFlow_ += (exhaustRequest - exhaustFlow_) * follow;
    const double supply = std::max(0.0, supplyFlow_ + (running ? 8 * noise(rng_) : 0));
    const double exhaust = std::max(0.0, exhaustFlow_ + (running ? 8 * noise(rng_) : 0));
    p(kSupplyFlowRequest) = roundi(supplyRequest);
    p(kExhaustFlowRequest) = roundi(exhaustRequest);
    p(kSupplyFlow) = roundi(supply);
    p(kExhaustFlow) = roundi(exhaust);
    p(kVentilationRequest) = speed * 25;
    p(kClockVentilationSpeed) =
        TimeClockSpeedAt(selectClocks(controls_), kMinutesPerDay * now.weekday + now.minuteOfDay);
    const double supplyControl = p(kForceSupplyFan) > 0 ? p(kForceSupplyFan) * 10.0
                                                        : supply * 1000 / std::max(1, c(kSupplyFlowMaximum));
    const double exhaustControl = p(kForceExhaustFan) > 0
                                      ? p(kForceExhaustFan) * 10.0
                                      : exhaust * 1000 / std::max(1, c(kExhaustFlowMaximum));
    p(kSupplyFanControl) = roundi(clampd(supplyControl, 0, 1000));
    p(kExhaustFanControl) = roundi(clampd(exhaustControl, 0, 1000));
    p(kSupplyDamperState) = running ? 1 : 0;
    p(kExhaustDamperState) = running ? 1 : 0;

    // Pressures in Pa: nozzles from their k-values, filters rising with the
    // square of the flow and, slowly, with dirt.
    const auto nozzle = [](double q, int k) { return k > 0 ? (q / k) * (q / k) : 0.0; };
    p(kSupplyNozzlePressure) = roundi(nozzle(supply, c(kSupplyNozzleK)));
    p(kExhaustNozzlePressure) = roundi(nozzle(exhaust, c(kExhaustNozzleK)));
    filterDirt_ += dt / 86400.0 * 0.05;
    const double fs = 150 * filterDirt_ * (supply / 6000) * (supply / 6000);
    const double fe = 130 * filterDirt_ * (exhaust / 6000) * (exhaust / 6000);
    p(kSupplyFilterPressure) = roundi(fs);
    p(kExhaustFilterPressure) = roundi(fe);
    const auto limitAt = [](double q, int f1, int p1, int f2, int p2) {
        if (f2 == f1) return static_cast<double>(p2);
        return p1 + (p2 - p1) * (q - f1) / static_cast<double>(f2 - f1);
    };
    const double supplyLimit = limitAt(supply, c(kSupplyFilterFlow1), c(kSupplyFilterLimit1),
                                       c(kSupplyFilterFlow2), c(kSupplyFilterLimit2));
    const double exhaustLimit = limitAt(exhaust, c(kExhaustFilterFlow1), c(kExhaustFilterLimit1),
                                        c(kExhaustFilterFlow2), c(kExhaustFilterLimit2));
    p(kSupplyFilterAlarm) = fs > supplyLimit ? 1 : 0;
    p(kExhaustFilterAlarm) = fe > exhaustLimit ? 1 : 0;

    // Outputs by their configured function.
    for (int r = 0; r < 8; ++r) {
        const int32_t f = c(kRelayFunction[r]);
        const bool filterAlarm = p(kSupplyFilterAlarm) || p(kExhaustFilterAlarm);
        const bool on = (f == 1 && filterAlarm) || ((f == 2 || f == 3) && running) ||
                        (f == 5 && heating > 0) || (f == 6 && coolingOut > 0) || f == 8 ||
                        (f == 9 && (heating > 0 || coolingOut > 0)) || (f == 12 && filterAlarm);
        p(kRelay1Control + r) = on ? 1 : 0;  // M06.11 .. M06.18
    }
    for (int a = 0; a < 5; ++a) {
        const int32_t f = c(kAnalogFunction[a]);
        const int32_t v = f == 1   ? p(kSupplyFanControl)
                          : f == 2 ? p(kExhaustFanControl)
                          : f == 3 ? p(kHeatWheelSpeed) / 10
                          : f == 4 ? p(kHeatingCoilControl)
                          : f == 5 ? p(kCoolingCoilControl)
                          : f == 6 ? std::max(p(kHeatingCoilControl), p(kCoolingCoilControl))
                          : f == 7 ? p(kBypassControl) / 10
                                   : 0;
        p(kAnalogOutput1Control + a) = v;  // M07.11 .. M07.15
    }
}

}  // namespace bxl::sim
