#include "model/log/LogSeries.h"

#include "model/ValueIndexes.h"

namespace bxl {

const std::array<LogSeriesSource, kLogSeriesCount> kLogSeries = {{
    {"T1 (\xB0"
     "C)",
     kTempT1Outdoor,
     0.1,
     {0, 0, 255}},
    {"T2 (\xB0"
     "C)",
     kTempT2Supply,
     0.1,
     {0, 255, 255}},
    {"T3 (\xB0"
     "C)",
     kTempT3Extract,
     0.1,
     {0, 255, 0}},
    {"T4 (\xB0"
     "C)",
     kTempT4Exhaust,
     0.1,
     {0, 128, 0}},
    {"T5 (\xB0"
     "C)",
     kTempT5,
     0.1,
     {255, 0, 255}},
    {"T6 (\xB0"
     "C)",
     kTempT6,
     0.1,
     {0, 0, 0}},
    {"Supply (m3/h)", kSupplyFlow, 1.0, {128, 0, 0}},
    {"Exhaust (m3/h)", kExhaustFlow, 1.0, {255, 0, 0}},
    {"Heatwheel (%)", kHeatWheelSpeed, 0.01, {0, 128, 128}},
    {"Cooling (%)", kCoolingCoilControl, 0.1, {0, 128, 255}},
    {"Heating (%)", kHeatingCoilControl, 0.1, {255, 128, 0}},
    {"Supply control (%)", kSupplyFanControl, 0.1, {128, 128, 128}},
    {"Exhaust control (%)", kExhaustFanControl, 0.1, {192, 192, 192}},
    {"T7 (\xB0"
     "C)",
     kTempT7,
     0.1,
     {255, 255, 0}},
    {"Bypass (%)", kBypassControl, 0.01, {128, 0, 128}},
}};

const std::array<LogLegendRow, kLogLegendRowCount> kLogLegendRows = {{
    {24, 1, true},
    {48, 2, true},
    {72, 3, true},
    {96, 4, true},
    {120, 5, false},
    {144, 6, false},
    {168, 14, false},
    {200, 7, true},
    {224, 8, true},
    {256, 12, false},
    {280, 13, false},
    {312, 9, false},
    {344, 10, false},
    {368, 11, false},
    {392, 15, false},
    {568, 0, false},
}};

}  // namespace bxl
