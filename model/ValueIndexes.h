// Named value indexes: every value-store index the tool's logic, windows and
// the simulated unit read or write by itself, each with the menu line that
// shows it. The parameter table stays the source of truth: a test looks up
// every line named here by menu and item number and checks that its value
// index and name are the ones written here, and that an index marked
// "no menu line" is shown by no line at all.
//
// Form of each entry (the test reads it): the constant, its index and either
// `// Mmm.ii "Name of the line"` or `// no menu line: what it holds`.
#pragma once

namespace bxl {

// ---- Controls block (settings), 0..199 ----

// M02 Ventilation: airflow (m3/h) of speeds 1 to 4, and the control mode.
inline constexpr int kSupplyFlowSpeed1 = 1;   // M02.01 "Supply air 1"
inline constexpr int kSupplyFlowSpeed2 = 2;   // M02.02 "Supply air 2"
inline constexpr int kSupplyFlowSpeed3 = 3;   // M02.03 "Supply air 3"
inline constexpr int kSupplyFlowSpeed4 = 4;   // M02.04 "Supply air 4"
inline constexpr int kExhaustFlowSpeed1 = 5;  // M02.05 "Exhaust air 1"
inline constexpr int kExhaustFlowSpeed2 = 6;  // M02.06 "Exhaust air 2"
inline constexpr int kExhaustFlowSpeed3 = 7;  // M02.07 "Exhaust air 3"
inline constexpr int kExhaustFlowSpeed4 = 8;  // M02.08 "Exhaust air 4"
inline constexpr int kFlowControlMode = 92;   // M02.10 "Flow control mode"

// M03 Heat recovery wheel, M04 fans.
inline constexpr int kWheelMinimumSpeed = 9;    // M03.01 "Minimum speed wheel"
inline constexpr int kWheelMaximumSpeed = 10;   // M03.02 "Maximum speed wheel"
inline constexpr int kSupplyNozzleK = 16;       // M04.05 "Supply Air k-value pressure nozzle"
inline constexpr int kExhaustNozzleK = 17;      // M04.06 "Exhaust Air k-value pressure nozzle"
inline constexpr int kSupplyFlowMaximum = 18;   // M04.07 "Maximum Supply air"
inline constexpr int kExhaustFlowMaximum = 19;  // M04.08 "Maximum Exhaust air"
inline constexpr int kAirflowFactor = 103;      // M04.11 "Airflow factor."
inline constexpr int kAirflowMinimum = 167;     // M04.12 "Minimum Airflow"

// M05 to M07: what each digital input, relay and analog output does.
inline constexpr int kInput1Function = 20;         // M05.01 "Input 1"
inline constexpr int kInput2Function = 21;         // M05.02 "Input 2"
inline constexpr int kInput3Function = 22;         // M05.03 "Input 3"
inline constexpr int kInput4Function = 23;         // M05.04 "Input 4"
inline constexpr int kInput5Function = 24;         // M05.05 "Input 5"
inline constexpr int kInput6Function = 48;         // M05.06 "Input 6"
inline constexpr int kInput7Function = 49;         // M05.07 "Input 7"
inline constexpr int kInput8Function = 50;         // M05.08 "Input 8"
inline constexpr int kInput9Function = 51;         // M05.09 "Input 9"
inline constexpr int kRelay1Function = 25;         // M06.01 "Relay 1"
inline constexpr int kRelay2Function = 26;         // M06.02 "Relay 2"
inline constexpr int kRelay3Function = 27;         // M06.03 "Relay 3 (io board)"
inline constexpr int kRelay4Function = 28;         // M06.04 "Relay 4 (io board)"
inline constexpr int kRelay5Function = 53;         // M06.05 "Relay 5 (io board)"
inline constexpr int kRelay6Function = 54;         // M06.06 "Relay 6 (io board)"
inline constexpr int kRelay7Function = 55;         // M06.07 "Relay 7 (io board)"
inline constexpr int kRelay8Function = 56;         // M06.08 "Relay 8 (io board)"
inline constexpr int kAnalogOutput1Function = 29;  // M07.01 "Analog output 1"
inline constexpr int kAnalogOutput2Function = 30;  // M07.02 "Analog output 2"
inline constexpr int kAnalogOutput3Function = 31;  // M07.03 "Analog output 3 (io board)"
inline constexpr int kAnalogOutput4Function = 32;  // M07.04 "Analog output 4 (io board)"
inline constexpr int kAnalogOutput5Function = 33;  // M07.05 "Analog output 5 (io board)"

// M10 Temperature control: the heating and cooling lines, tenths of a degree.
inline constexpr int kHeatLowOutdoor = 67;      // M10.02 "TH(low) outdoortemp"
inline constexpr int kHeatLowSupply = 77;       // M10.03 "TH(low) supplytemp."
inline constexpr int kHeatMedOutdoor = 68;      // M10.04 "TH(med) outdoortemp"
inline constexpr int kHeatMedSupply = 78;       // M10.05 "TH(med) supplytemp."
inline constexpr int kHeatHighOutdoor = 69;     // M10.06 "TH(hi) outdoortemp"
inline constexpr int kHeatHighSupply = 79;      // M10.07 "TH(hi) supplytemp."
inline constexpr int kCoolLowOutdoor = 70;      // M10.11 "TC(low) outdoortemp"
inline constexpr int kCoolLowSupply = 80;       // M10.12 "TC(low) supplytemp."
inline constexpr int kCoolMedOutdoor = 71;      // M10.13 "TC(med) outdoortemp"
inline constexpr int kCoolMedSupply = 81;       // M10.14 "TC(med) supplytemp."
inline constexpr int kCoolHighOutdoor = 72;     // M10.15 "TC(hi)  outdoortemp"
inline constexpr int kCoolHighSupply = 82;      // M10.16 "TC(hi)  supplytemp."
inline constexpr int kHeatingPZone = 73;        // M10.20 "Heating P-Zone"
inline constexpr int kSupplyTempMaximum = 65;   // M10.25 "Max supply temp T2"
inline constexpr int kComfortTemperature = 43;  // M10.99 "Comfort Temperature"

// M11, M12: the unit variant the overview shows.
inline constexpr int kBypassPosition = 104;  // M11.01 "Bypass position"
inline constexpr int kHeatExchanger = 105;   // M12.01 "Heat Exchanger"

// M20 Failures: the unit's own history of its last six failure codes.
inline constexpr int kLastFailure1 = 83;  // M20.01 "Last1 failure"
inline constexpr int kLastFailure6 = 88;  // M20.06 "Last6 failure"

// M50 Miscellaneous.
inline constexpr int kFunctionT6 = 42;       // M50.01 "Function T6"
inline constexpr int kFunctionT7 = 145;      // M50.02 "Function T7"
inline constexpr int kFrostSetpointT1 = 46;  // M50.04 "Frost setpoint T1"

// M60 Realtime clock: the six select clocks, start time (minutes since
// midnight), day option and ventilation speed of each.
inline constexpr int kSelectClock1Time = 117;   // M60.11 "Selectclock 1-Time"
inline constexpr int kSelectClock2Time = 118;   // M60.21 "Selectclock 2-Time"
inline constexpr int kSelectClock3Time = 119;   // M60.31 "Selectclock 3-Time"
inline constexpr int kSelectClock4Time = 120;   // M60.41 "Selectclock 4-Time"
inline constexpr int kSelectClock5Time = 121;   // M60.51 "Selectclock 5-Time"
inline constexpr int kSelectClock6Time = 122;   // M60.61 "Selectclock 6-Time"
inline constexpr int kSelectClock1Day = 123;    // M60.12 "Selectclock 1-Day"
inline constexpr int kSelectClock2Day = 124;    // M60.22 "Selectclock 2-Day"
inline constexpr int kSelectClock3Day = 125;    // M60.32 "Selectclock 3-Day"
inline constexpr int kSelectClock4Day = 126;    // M60.42 "Selectclock 4-Day"
inline constexpr int kSelectClock5Day = 127;    // M60.52 "Selectclock 5-Day"
inline constexpr int kSelectClock6Day = 128;    // M60.62 "Selectclock 6-Day"
inline constexpr int kSelectClock1Speed = 129;  // M60.13 "Selectclock 1-Ventspeed"
inline constexpr int kSelectClock2Speed = 130;  // M60.23 "Selectclock 2-Ventspeed"
inline constexpr int kSelectClock3Speed = 131;  // M60.33 "Selectclock 3-Ventspeed"
inline constexpr int kSelectClock4Speed = 132;  // M60.43 "Selectclock 4-Ventspeed"
inline constexpr int kSelectClock5Speed = 133;  // M60.53 "Selectclock 5-Ventspeed"
inline constexpr int kSelectClock6Speed = 134;  // M60.63 "Selectclock 6-Ventspeed"

// M70 Filters: the pressure limit (Pa) at two airflows (m3/h) per filter.
inline constexpr int kSupplyFilterFlow1 = 136;      // M70.01 "Supply m3/h set1"
inline constexpr int kSupplyFilterLimit1 = 137;     // M70.02 "Supply max Pa set1"
inline constexpr int kSupplyFilterFlow2 = 138;      // M70.03 "Supply m3/h set2"
inline constexpr int kSupplyFilterLimit2 = 139;     // M70.04 "Supply max Pa set2"
inline constexpr int kExhaustFilterFlow1 = 146;     // M70.05 "Exhaust m3/h set1"
inline constexpr int kExhaustFilterLimit1 = 147;    // M70.06 "Exhaust max Pa set1"
inline constexpr int kExhaustFilterFlow2 = 148;     // M70.07 "Exhaust m3/h set2"
inline constexpr int kExhaustFilterLimit2 = 149;    // M70.08 "Exhaust max Pa set2"
inline constexpr int kFilterHysteresis = 140;       // M70.09 "Hysterese detection"
inline constexpr int kFilterPressureMaximum = 164;  // M70.13 "Max filter press"

// ---- Process block (live values and commands), 256..455 ----

// M01 Actual controls. Temperatures in tenths of a degree.
inline constexpr int kTempT1Outdoor = 256;            // M01.01 "Temp NTC1 (ODA)"
inline constexpr int kTempT2Supply = 257;             // M01.02 "Temp NTC2 (SUP)"
inline constexpr int kTempT3Extract = 258;            // M01.03 "Temp NTC3 (ETA)"
inline constexpr int kTempT4Exhaust = 259;            // M01.04 "Temp NTC4 (EHA)"
inline constexpr int kTempT5 = 260;                   // M01.05 "Temp NTC5"
inline constexpr int kTempT6 = 261;                   // M01.06 "Temp NTC6"
inline constexpr int kTempT7 = 323;                   // M01.07 "Temp NTC7"
inline constexpr int kSupplyFlowRequest = 271;        // M01.08 "Request Supply air"
inline constexpr int kExhaustFlowRequest = 272;       // M01.09 "Request Exhaust air"
inline constexpr int kSupplyFlow = 273;               // M01.10 "Actual Supply air"
inline constexpr int kExhaustFlow = 274;              // M01.11 "Actual Exhaust air"
inline constexpr int kSupplyFanControl = 300;         // M01.12 "Control Supply fan"
inline constexpr int kExhaustFanControl = 301;        // M01.13 "Control Exhaust fan"
inline constexpr int kSupplyNozzlePressure = 363;     // M01.14 "Press Supply nozzle"
inline constexpr int kExhaustNozzlePressure = 362;    // M01.15 "Press Exhaust nozzle"
inline constexpr int kSupplyFilterPressure = 365;     // M01.16 "Press Supply filter"
inline constexpr int kExhaustFilterPressure = 364;    // M01.17 "Press Exhaust filter"
inline constexpr int kVentilationRequest = 275;       // M01.18 "Request ventilation"
inline constexpr int kHeatWheelSpeed = 276;           // M01.19 "Actual heatwheel speed"
inline constexpr int kHeatExchangeEfficiency = 316;   // M01.20 "Actual heatexchange efficiency"
inline constexpr int kBypassControl = 296;            // M01.21 "Bypass control"
inline constexpr int kPostHeaterControl = 318;        // M01.24 "Actual Post-Heater control"
inline constexpr int kPostCoolerControl = 319;        // M01.25 "Actual Post-Cooler control"
inline constexpr int kPostHeaterCoolerControl = 320;  // M01.26 "Actual Post-Heater/Cooler control"

// M05 to M07: the state of each digital input, relay and analog output.
inline constexpr int kInput1State = 337;           // M05.11 "Actual input 1"
inline constexpr int kRelay1Control = 307;         // M06.11 "Relay 1 control (Off/On)"
inline constexpr int kAnalogOutput1Control = 302;  // M07.11 "Analog output 1 control"

// M10, M20, M30: the requested supply temperature, commands and overrules.
inline constexpr int kSupplyTempRequest = 336;   // M10.26 "Tsupply req.heatline"
inline constexpr int kResetActualFailure = 451;  // M20.98 "Reset Actual Failure"
inline constexpr int kResetFailureList = 352;    // M20.99 "Reset failure list"
inline constexpr int kForceVentilation = 425;    // M30.10 "Force ventilation"
inline constexpr int kForceSupplyFan = 322;      // M30.12 "Force Supply Fan"
inline constexpr int kForceExhaustFan = 324;     // M30.13 "Force Exhaust Fan"

// M60 Realtime clock: the unit's own clock.
inline constexpr int kRealTime = 366;               // M60.01 "Real time"
inline constexpr int kRealDate = 367;               // M60.02 "Real date"
inline constexpr int kClockVentilationSpeed = 369;  // M60.03 "Ventspeed selectclock"

// M90 SD card, M99 Service.
inline constexpr int kSdCardStatus = 380;     // M90.01 "Status"
inline constexpr int kSdCardSave = 431;       // M90.02 "Save parameters on SD card"
inline constexpr int kSdCardRestore = 432;    // M90.03 "Restore parameters from SD card"
inline constexpr int kSoftwareVersion = 280;  // M99.01 "Version number software"
inline constexpr int kPowerOnTime = 381;      // M99.03 "Poweron time"
inline constexpr int kIoBoardVersion = 452;   // M99.04 "Version number I/O board"

// Live values the unit reports without a menu line of their own.
inline constexpr int kHeatingCoilControl = 297;   // no menu line: heating coil control, tenths of a percent
inline constexpr int kCoolingCoilControl = 298;   // no menu line: cooling coil control, tenths of a percent
inline constexpr int kFrostState = 293;           // no menu line: frost (non-zero)
inline constexpr int kSupplyDamperState = 294;    // no menu line: supply-side damper open (non-zero)
inline constexpr int kExhaustDamperState = 295;   // no menu line: exhaust-side damper open (non-zero)
inline constexpr int kFireState = 347;            // no menu line: fire (non-zero)
inline constexpr int kHeatingActive = 350;        // no menu line: heating (non-zero)
inline constexpr int kCoolingActive = 351;        // no menu line: cooling (non-zero)
inline constexpr int kExchangerFrostState = 355;  // no menu line: exchanger frost (non-zero)
inline constexpr int kWeekday = 368;              // no menu line: weekday of the clock, 0 = Monday
inline constexpr int kExhaustFilterAlarm = 370;   // no menu line: exhaust filter alarm (non-zero)
inline constexpr int kSupplyFilterAlarm = 371;    // no menu line: supply filter alarm (non-zero)

}  // namespace bxl
