// The simulated unit's controller: its controls block (the settings, from
// factory defaults) and its process block (live values computed from a
// small model of a running air-handling unit), and its answers to frames.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <random>

#include "link/Frames.h"
#include "model/ValueStore.h"

namespace bxl::sim {

// The PC clock as the unit's real-time clock sees it.
struct LocalTime {
    int minuteOfDay = 0;    // 0..1439
    int daysSince2012 = 0;  // days since 1 January 2012
    int weekday = 0;        // 0 = Monday .. 6 = Sunday
};

class UnitModel {
public:
    explicit UnitModel(uint32_t seed = 1);

    // Answer to one complete, checksum-valid frame; nothing for frames the
    // controller does not answer.
    std::optional<Frame> handle(const Frame& frame);

    // Moves the simulation on by dt seconds to the given wall-clock time.
    void advance(double dtSeconds, const LocalTime& now);

    // Index (0..199) whose echo is reported off by one; -1 for none.
    void setEchoDifference(int index) { echoDiff_ = index; }

    int32_t control(int i) const { return controls_[static_cast<std::size_t>(i)]; }
    int32_t process(int k) const { return process_[static_cast<std::size_t>(k - kProcessFirst)]; }
    const std::array<int32_t, 200>& controls() const { return controls_; }

    static std::array<int32_t, 200> factoryControls();

private:
    int32_t& p(int index) { return process_[static_cast<std::size_t>(index - kProcessFirst)]; }
    int32_t c(int index) const { return controls_[static_cast<std::size_t>(index)]; }
    void writeControls(const Frame& frame);
    void writeProcess(const Frame& frame);
    int activeSpeed(const LocalTime& now) const;
    void runCommands(double dt);

    std::array<int32_t, 200> controls_{};
    std::array<int32_t, 200> process_{};
    std::optional<std::array<int32_t, 200>> sdCard_;
    int echoDiff_ = -1;
    double time_ = 0;        // seconds simulated
    double supplyFlow_ = 0;  // m3/h, following the request
    double exhaustFlow_ = 0;
    double filterDirt_ = 1.0;  // grows slowly; filter pressure factor
    double sdBusy_ = 0;        // seconds left of an SD card job
    int sdJob_ = 0;            // kSdCardSave or kSdCardRestore while one runs
    int clockOffsetMinutes_ = 0;
    int dateOffsetDays_ = 0;
    LocalTime lastTime_{};
    std::mt19937 rng_;
};

}  // namespace bxl::sim
