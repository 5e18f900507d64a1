#include "model/ParamTable.h"

namespace bxl {
namespace {

// Option lists; entry k is the text shown for value k. Rows that share a
// list point at the same text.
constexpr const char* kOptions1 =
    "0.Constant Flow (internal)#1.Constant Pressure (positive)#2.Constant Pressure (negative)#3.0..10V "
    "(positive)#4.0..10V (negative)#5.Direct Fan Control";
constexpr const char* kOptions2 =
    "0.No function#1.Ventilation 1#2.Ventilation 2#3.Ventilation 3#4.Ventilation 4#5.Failure supplyfan "
    "(normal closed)#6.Failure supplyfan (normal open)#7.Failure exhaustfan (normal closed)#8.Failure "
    "exhaustfan (normal open)#9.Failure heatwheel (normal closed)#10.Failure heatwheel (normal "
    "open)#11.Frost protection (normal closed)#12.Frost protection (normal open)#13.Enable "
    "heatwheel#14.Enable supplyfan#15.Enable exhaustfan#16.Enable post-heater#17.Enable "
    "post-cooler#18.Failure (normal closed)#19.Enable Brisaval XL#20.Fire Contact (normal closed)#21.Enable "
    "Summernight Ventilation#22.Heat/Cool mode valve#23.Reset all alarms#24.Enable Fire Overrule#25.Second "
    "setpoint select#26.Enable time clock#27.Fire Damper Open#";
constexpr const char* kOptions3 = "Open#Closed";
constexpr const char* kOptions4 =
    "0.No function#1.Alarm (normally open)#2.Supply Dampers (valve)#3.Exhaust Dampers (valve)#4.Bypass "
    "(valve)#5.Post-Heater (pump)#6.Post-Cooler (pump)#7.Siphon heating#8.Brisaval XL "
    "active#9.Post-Cooler/Heater pump#10.Summernight vent. active#11.PreHeat ODA (pump)#12.Filter Alarm "
    "active#13.PreHeat ETA (pump)#14.Fire Damper";
constexpr const char* kOptions5 = "Off#On";
constexpr const char* kOptions6 =
    "0.No function#1.Supply fan#2.Exhaust fan#3.Heat wheel#4.Post-Heater (valve)#5.Post-Cooler "
    "(valve)#6.Post Cooler/Heater (valve)#7.Modulated bypass valve#8.PreHeat ODA valve#9.PreHeat ETA valve";
constexpr const char* kOptions7 =
    "0.No function#1.Supply fan (EBM bus)#2.Exhaust fan (EBM bus)#3.Supply fan (EBM Modbus)#4.Exhaust fan "
    "(EBM Modbus)#5.Heat wheel (FUJI bus)";
constexpr const char* kOptions8 =
    "0.No function#1.No function#2.No function#3.Proportional ventilation#4.Supply air press. "
    "0..500Pa#5.Exhaust air press. 0..500Pa#6.Supply air press. 0..300Pa#7.Exhaust air press. "
    "0..300Pa#8.Supply air 0..10V#9.Exhaust air 0..10V#";
constexpr const char* kOptions9 = "0.Tcomfort/T3#1.Outdoor heatline";
constexpr const char* kOptions10 =
    "0.Exhaust#1.Exhaust, modulated#2.Supply#3.Supply, modulated#4.Supply, modulated (frost)";
constexpr const char* kOptions11 = "No#Yes";
constexpr const char* kOptions12 =
    "Empty#E01#E02#E03#E04#E05#E06#E07#E08#E09#E10#E11#E12#E13#E14#E15#E16#E17#E18#E19#E20#E21#E22#E23#E24#"
    "E25#E26#E27#E28#E29#E30#E31#E32#E33#E34#E35#E36#E37#E38#E39#E40#E41#E42#E43#E44#E45#E46#E47#E48#E49#E50";
constexpr const char* kOptions13 = "0.No overrule#1.Forced open#2.Forced closed";
constexpr const char* kOptions14 =
    "0.No function#1.Siphon temperature#2.Adopt function of NTC5#3.Frost contact (normal open)#4.Frost "
    "contact (normal closed)";
constexpr const char* kOptions15 = "0.No#1.Yes";
constexpr const char* kOptions16 = "0#1#2#3#4#5. 2nd Setpoint Select";
constexpr const char* kOptions17 =
    "0.Never#1.Every day#2.Weekday mon..fri#3.Weekend "
    "sat/sun#4.Monday#5.Tuesday#6.Wednesday#7.Thursday#8.Friday#9.Saturday.#10.Sunday";
constexpr const char* kOptions18 = "0. 19k2,E,1#1. 19k2,N,2#2. 9600,E,1#3. 9600,N,2";
constexpr const char* kOptions19 =
    "0. No SDcard#1. Fail#2. Init#3. Init#4. Init#5. Init#6. Ready#7. Writing...#8. Writing...#9. "
    "Writing...#10. Writing...#11. Writing#12. Reading...#13. Reading...";
constexpr const char* kOptions20 = "0.No#1.Yes#2.Busy#3.Done#4.Fail";

}  // namespace

// Rows in menu order. The order matters: pages list their rows in this order
// and the first row that uses a value index decides its format.
const ParamRow kParamTable[kParamRowCount] = {
    {0, 1, "", "", 0, 0, 0, 0, 0, 0},                 // row 0
    {1, 0, "Actual controls", "", 0, 0, 0, 0, 0, 0},  // row 1
    {1, 1, "Temp NTC1 (ODA)",
     "\xB0"
     "C",
     256, 0, 0, 0, 0, 1},  // row 2
    {1, 2, "Temp NTC2 (SUP)",
     "\xB0"
     "C",
     257, 0, 0, 0, 0, 1},  // row 3
    {1, 3, "Temp NTC3 (ETA)",
     "\xB0"
     "C",
     258, 0, 0, 0, 0, 1},  // row 4
    {1, 4, "Temp NTC4 (EHA)",
     "\xB0"
     "C",
     259, 0, 0, 0, 0, 1},  // row 5
    {1, 5, "Temp NTC5",
     "\xB0"
     "C",
     260, 0, 0, 0, 0, 1},  // row 6
    {1, 6, "Temp NTC6",
     "\xB0"
     "C",
     261, 0, 0, 0, 0, 1},  // row 7
    {1, 7, "Temp NTC7",
     "\xB0"
     "C",
     323, 0, 0, 0, 0, 1},                                                           // row 8
    {1, 8, "Request Supply air", "m3/h", 271, 0, 0, 0, 0, 0},                       // row 9
    {1, 9, "Request Exhaust air", "m3/h", 272, 0, 0, 0, 0, 0},                      // row 10
    {1, 10, "Actual Supply air", "m3/h", 273, 0, 0, 0, 0, 0},                       // row 11
    {1, 11, "Actual Exhaust air", "m3/h", 274, 0, 0, 0, 0, 0},                      // row 12
    {1, 12, "Control Supply fan", "%", 300, 0, 0, 0, 0, 1},                         // row 13
    {1, 13, "Control Exhaust fan", "%", 301, 0, 0, 0, 0, 1},                        // row 14
    {1, 14, "Press Supply nozzle", "Pa", 363, 0, 0, 0, 0, 0},                       // row 15
    {1, 15, "Press Exhaust nozzle", "Pa", 362, 0, 0, 0, 0, 0},                      // row 16
    {1, 16, "Press Supply filter", "Pa", 365, 0, 0, 0, 0, 0},                       // row 17
    {1, 17, "Press Exhaust filter", "Pa", 364, 0, 0, 0, 0, 0},                      // row 18
    {1, 18, "Request ventilation", "%", 275, 0, 0, 0, 0, 0},                        // row 19
    {1, 19, "Actual heatwheel speed", "%", 276, 0, 0, 0, 0, 2},                     // row 20
    {1, 20, "Actual heatexchange efficiency", "%", 316, 0, 0, 0, 0, 1},             // row 21
    {1, 21, "Bypass control", "%", 296, 0, 0, 0, 0, 2},                             // row 22
    {1, 22, "Actual PreHeat ODA control", "%", 361, 0, 0, 0, 0, 1},                 // row 23
    {1, 23, "Actual PreHeat ETA control", "%", 429, 0, 0, 0, 0, 1},                 // row 24
    {1, 24, "Actual Post-Heater control", "%", 318, 0, 0, 0, 0, 1},                 // row 25
    {1, 25, "Actual Post-Cooler control", "%", 319, 0, 0, 0, 0, 1},                 // row 26
    {1, 26, "Actual Post-Heater/Cooler control", "%", 320, 0, 0, 0, 0, 1},          // row 27
    {2, 0, "Ventilation", "", 0, 0, 0, 0, 0, 0},                                    // row 28
    {2, 1, "Supply air 1", "m3/h", 1, 0, 20000, 5000, 10, 0},                       // row 29
    {2, 2, "Supply air 2", "m3/h", 2, 0, 20000, 6000, 10, 0},                       // row 30
    {2, 3, "Supply air 3", "m3/h", 3, 0, 20000, 7000, 10, 0},                       // row 31
    {2, 4, "Supply air 4", "m3/h", 4, 0, 20000, 8000, 10, 0},                       // row 32
    {2, 5, "Exhaust air 1", "m3/h", 5, 0, 20000, 5000, 10, 0},                      // row 33
    {2, 6, "Exhaust air 2", "m3/h", 6, 0, 20000, 6000, 10, 0},                      // row 34
    {2, 7, "Exhaust air 3", "m3/h", 7, 0, 20000, 7000, 10, 0},                      // row 35
    {2, 8, "Exhaust air 4", "m3/h", 8, 0, 20000, 8000, 10, 0},                      // row 36
    {2, 9, "Summernight ventilation speed", "", 89, 1, 4, 2, 1, 0},                 // row 37
    {2, 10, "Flow control mode", kOptions1, 92, 0, 5, 0, 1, -1},                    // row 38
    {2, 11, "Const.press.setpoint supply", "Pa", 93, 0, 500, 80, 1, 0},             // row 39
    {2, 12, "Const.press.setpoint exhaust", "Pa", 94, 0, 500, 80, 1, 0},            // row 40
    {2, 13, "Const.press.setp.2 supply", "Pa", 95, 0, 500, 80, 1, 0},               // row 41
    {2, 14, "Const.press.setp.2 exhaust", "Pa", 96, 0, 500, 80, 1, 0},              // row 42
    {2, 15, "0..10V setpoint supply", "V", 97, 0, 100, 50, 1, 1},                   // row 43
    {2, 16, "0..10V setpoint exhaust", "V", 98, 0, 100, 50, 1, 1},                  // row 44
    {2, 17, "0..10V setp.2 supply", "V", 99, 0, 100, 50, 1, 1},                     // row 45
    {2, 18, "0..10V setp.2 exhaust", "V", 100, 0, 100, 50, 1, 1},                   // row 46
    {2, 19, "Fire supply air", "%", 109, 0, 100, 100, 100, 0},                      // row 47
    {2, 20, "Fire exhaust air", "%", 110, 0, 100, 100, 100, 0},                     // row 48
    {2, 21, "Fire overrule supply air", "%", 111, 0, 100, 0, 100, 0},               // row 49
    {2, 22, "Fire overrule exhaust air", "%", 112, 0, 100, 0, 100, 0},              // row 50
    {3, 0, "Heat recovery wheel settings", "", 0, 0, 0, 0, 0, 0},                   // row 51
    {3, 1, "Minimum speed wheel", "%", 9, 0, 50, 10, 1, 0},                         // row 52
    {3, 2, "Maximum speed wheel", "%", 10, 50, 100, 100, 1, 0},                     // row 53
    {3, 3, "Maximum inactivety period", "hrs", 11, 1, 999, 48, 1, 0},               // row 54
    {4, 0, "Ventilation settings", "", 0, 0, 0, 0, 0, 0},                           // row 55
    {4, 1, "Supply Air P-zone", "m3/h", 12, 1000, 100000, 6000, 1, 0},              // row 56
    {4, 2, "Supply Air I-time", "sec", 14, 1, 240, 15, 1, 0},                       // row 57
    {4, 3, "Exhaust Air P-zone", "m3/h", 13, 1000, 100000, 6000, 1, 0},             // row 58
    {4, 4, "Exhaust Air I-time", "sec", 15, 1, 240, 15, 1, 0},                      // row 59
    {4, 5, "Supply Air k-value pressure nozzle", "", 16, 0, 800, 800, 1, 0},        // row 60
    {4, 6, "Exhaust Air k-value pressure nozzle", "", 17, 0, 800, 800, 1, 0},       // row 61
    {4, 7, "Maximum Supply air", "", 18, 100, 20000, 20000, 10, 0},                 // row 62
    {4, 8, "Maximum Exhaust air", "", 19, 100, 20000, 20000, 10, 0},                // row 63
    {4, 9, "I-Time const.press. control", "sec", 101, 1, 999, 90, 1, 0},            // row 64
    {4, 10, "I-Time 0..10V control.", "sec", 102, 1, 999, 90, 1, 0},                // row 65
    {4, 11, "Airflow factor.", "%", 103, 50, 150, 100, 1, 0},                       // row 66
    {4, 12, "Minimum Airflow", "m3/h", 167, 0, 20000, 0, 10, 0},                    // row 67
    {5, 0, "Digital input settings", "", 0, 0, 0, 0, 0, 0},                         // row 68
    {5, 1, "Input 1", kOptions2, 20, 0, 27, 1, 1, -1},                              // row 69
    {5, 2, "Input 2", kOptions2, 21, 0, 27, 0, 1, -1},                              // row 70
    {5, 3, "Input 3", kOptions2, 22, 0, 27, 0, 1, -1},                              // row 71
    {5, 4, "Input 4", kOptions2, 23, 0, 27, 0, 1, -1},                              // row 72
    {5, 5, "Input 5", kOptions2, 24, 0, 27, 0, 1, -1},                              // row 73
    {5, 6, "Input 6", kOptions2, 48, 0, 27, 0, 1, -1},                              // row 74
    {5, 7, "Input 7", kOptions2, 49, 0, 27, 0, 1, -1},                              // row 75
    {5, 8, "Input 8", kOptions2, 50, 0, 27, 0, 1, -1},                              // row 76
    {5, 9, "Input 9", kOptions2, 51, 0, 27, 0, 1, -1},                              // row 77
    {5, 11, "Actual input 1", kOptions3, 337, 0, 0, 0, 0, -1},                      // row 78
    {5, 12, "Actual input 2", kOptions3, 338, 0, 0, 0, 0, -1},                      // row 79
    {5, 13, "Actual input 3", kOptions3, 339, 0, 0, 0, 0, -1},                      // row 80
    {5, 14, "Actual input 4", kOptions3, 340, 0, 0, 0, 0, -1},                      // row 81
    {5, 15, "Actual input 5", kOptions3, 341, 0, 0, 0, 0, -1},                      // row 82
    {5, 16, "Actual input 6", kOptions3, 342, 0, 0, 0, 0, -1},                      // row 83
    {5, 17, "Actual input 7", kOptions3, 343, 0, 0, 0, 0, -1},                      // row 84
    {5, 18, "Actual input 8", kOptions3, 344, 0, 0, 0, 0, -1},                      // row 85
    {5, 19, "Actual input 9", kOptions3, 345, 0, 0, 0, 0, -1},                      // row 86
    {6, 0, "Relay settings", "", 0, 0, 0, 0, 0, 0},                                 // row 87
    {6, 1, "Relay 1", kOptions4, 25, 0, 14, 0, 1, -1},                              // row 88
    {6, 2, "Relay 2", kOptions4, 26, 0, 14, 0, 1, -1},                              // row 89
    {6, 3, "Relay 3 (io board)", kOptions4, 27, 0, 14, 0, 1, -1},                   // row 90
    {6, 4, "Relay 4 (io board)", kOptions4, 28, 0, 14, 0, 1, -1},                   // row 91
    {6, 5, "Relay 5 (io board)", kOptions4, 53, 0, 14, 0, 1, -1},                   // row 92
    {6, 6, "Relay 6 (io board)", kOptions4, 54, 0, 14, 0, 1, -1},                   // row 93
    {6, 7, "Relay 7 (io board)", kOptions4, 55, 0, 14, 0, 1, -1},                   // row 94
    {6, 8, "Relay 8 (io board)", kOptions4, 56, 0, 14, 0, 1, -1},                   // row 95
    {6, 11, "Relay 1 control (Off/On)", kOptions5, 307, 0, 0, 0, 0, -1},            // row 96
    {6, 12, "Relay 2 control (Off/On)", kOptions5, 308, 0, 0, 0, 0, -1},            // row 97
    {6, 13, "Relay 3 control (Off/On)(io board)", kOptions5, 309, 0, 0, 0, 0, -1},  // row 98
    {6, 14, "Relay 4 control (Off/On)(io board)", kOptions5, 310, 0, 0, 0, 0, -1},  // row 99
    {6, 15, "Relay 5 control (Off/On)(io board)", kOptions5, 311, 0, 0, 0, 0, -1},  // row 100
    {6, 16, "Relay 6 control (Off/On)(io board)", kOptions5, 312, 0, 0, 0, 0, -1},  // row 101
    {6, 17, "Relay 7 control (Off/On)(io board)", kOptions5, 313, 0, 0, 0, 0, -1},  // row 102
    {6, 18, "Relay 8 control (Off/On)(io board)", kOptions5, 314, 0, 0, 0, 0, -1},  // row 103
    {7, 0, "Analog output settings", "", 0, 0, 0, 0, 0, 0},                         // row 104
    {7, 1, "Analog output 1", kOptions6, 29, 0, 9, 0, 1, -1},                       // row 105
    {7, 2, "Analog output 2", kOptions6, 30, 0, 9, 0, 1, -1},                       // row 106
    {7, 3, "Analog output 3 (io board)", kOptions6, 31, 0, 9, 0, 1, -1},            // row 107
    {7, 4, "Analog output 4 (io board)", kOptions6, 32, 0, 9, 0, 1, -1},            // row 108
    {7, 5, "Analog output 5 (io board)", kOptions6, 33, 0, 9, 0, 1, -1},            // row 109
    {7, 11, "Analog output 1 control", "%", 302, 0, 0, 0, 0, 1},                    // row 110
    {7, 12, "Analog output 2 control", "%", 303, 0, 0, 0, 0, 1},                    // row 111
    {7, 13, "Analog output 3 control (io board)", "%", 304, 0, 0, 0, 0, 1},         // row 112
    {7, 14, "Analog output 4 control (io board)", "%", 305, 0, 0, 0, 0, 1},         // row 113
    {7, 15, "Analog output 5 control (io board)", "%", 306, 0, 0, 0, 0, 1},         // row 114
    {8, 0, "Communication settings", "", 0, 0, 0, 0, 0, 0},                         // row 115
    {8, 1, "Comport 1", kOptions7, 34, 0, 5, 0, 1, -1},                             // row 116
    {8, 2, "Comport 2", kOptions7, 35, 0, 5, 0, 1, -1},                             // row 117
    {8, 3, "Comport 3", kOptions7, 36, 0, 5, 0, 1, -1},                             // row 118
    {8, 4, "Comport 4", kOptions7, 37, 0, 5, 0, 1, -1},                             // row 119
    {8, 5, "Comport 5", kOptions7, 38, 0, 5, 0, 1, -1},                             // row 120
    {9, 0, "Analog input settings", "", 0, 0, 0, 0, 0, 0},                          // row 121
    {9, 1, "Analog Input 1 (io board)", kOptions8, 39, 0, 9, 1, 1, -1},             // row 122
    {9, 2, "Analog Input 2 (io board)", kOptions8, 40, 0, 9, 2, 1, -1},             // row 123
    {9, 3, "Analog Input 3 (io board)", kOptions8, 41, 0, 9, 0, 1, -1},             // row 124
    {9, 11, "Analog Input 1 reading (io board)", "%", 277, 0, 0, 0, 0, 1},          // row 125
    {9, 12, "Analog Input 2 reading (io board)", "%", 278, 0, 0, 0, 0, 1},          // row 126
    {9, 13, "Analog Input 3 reading (io board)", "%", 279, 0, 0, 0, 0, 1},          // row 127
    {10, 0, "Temp control", "", 0, 0, 0, 0, 0, 0},                                  // row 128
    {10, 1, "Controlmode supply temp.", kOptions9, 66, 0, 1, 0, 1, -1},             // row 129
    {10, 2, "TH(low) outdoortemp",
     "\xB0"
     "C",
     67, -200, 200, 180, 1, 1},  // row 130
    {10, 3, "TH(low) supplytemp.",
     "\xB0"
     "C",
     77, 100, 800, 200, 1, 1},  // row 131
    {10, 4, "TH(med) outdoortemp",
     "\xB0"
     "C",
     68, -200, 200, 100, 1, 1},  // row 132
    {10, 5, "TH(med) supplytemp.",
     "\xB0"
     "C",
     78, 100, 800, 250, 1, 1},  // row 133
    {10, 6, "TH(hi) outdoortemp",
     "\xB0"
     "C",
     69, -200, 200, 0, 1, 1},  // row 134
    {10, 7, "TH(hi) supplytemp.",
     "\xB0"
     "C",
     79, 100, 800, 300, 1, 1},  // row 135
    {10, 11, "TC(low) outdoortemp",
     "\xB0"
     "C",
     70, 100, 400, 220, 1, 1},  // row 136
    {10, 12, "TC(low) supplytemp.",
     "\xB0"
     "C",
     80, 0, 300, 220, 1, 1},  // row 137
    {10, 13, "TC(med) outdoortemp",
     "\xB0"
     "C",
     71, 100, 400, 250, 1, 1},  // row 138
    {10, 14, "TC(med) supplytemp.",
     "\xB0"
     "C",
     81, 0, 300, 180, 1, 1},  // row 139
    {10, 15, "TC(hi)  outdoortemp",
     "\xB0"
     "C",
     72, 100, 400, 300, 1, 1},  // row 140
    {10, 16, "TC(hi)  supplytemp.",
     "\xB0"
     "C",
     82, 0, 300, 150, 1, 1},  // row 141
    {10, 20, "Heating P-Zone",
     "\xB0"
     "C",
     73, 20, 500, 100, 1, 1},                                  // row 142
    {10, 21, "Heating I-Time", "sec", 74, 1, 9999, 60, 1, 0},  // row 143
    {10, 22, "Cooling P-Zone",
     "\xB0"
     "C",
     75, 20, 500, 100, 1, 1},                                  // row 144
    {10, 23, "Cooling I-Time", "sec", 76, 1, 9999, 60, 1, 0},  // row 145
    {10, 24, "Min supply temp T2",
     "\xB0"
     "C",
     47, 30, 200, 120, 1, 1},  // row 146
    {10, 25, "Max supply temp T2",
     "\xB0"
     "C",
     65, 200, 600, 500, 1, 1},  // row 147
    {10, 26, "Tsupply req.heatline",
     "\xB0"
     "C",
     336, 0, 0, 0, 0, 1},                                                        // row 148
    {10, 27, "Min time between heating->cooling", "min", 90, 0, 240, 30, 1, 0},  // row 149
    {10, 28, "DeltaT heat/cool failure",
     "\xB0"
     "C",
     108, 0, 10, 25, 1, 1},  // row 150
    {10, 29, "Min supply temp ALARM",
     "\xB0"
     "C",
     141, -100, 200, 50, 1, 1},  // row 151
    {10, 99, "Comfort Temperature",
     "\xB0"
     "C",
     43, 50, 280, 200, 1, 1},                                     // row 152
    {11, 0, "Bypass settings", "", 0, 0, 0, 0, 0, 0},             // row 153
    {11, 1, "Bypass position", kOptions10, 104, 0, 4, 0, 1, -1},  // row 154
    {11, 2, "Setpoint exhaust temp (frost)",
     "\xB0"
     "C",
     157, 0, 200, 50, 1, 1},  // row 155
    {11, 3, "P-zone Bypass (frost)",
     "\xB0"
     "C",
     158, 1, 1000, 30, 1, 1},                                        // row 156
    {11, 4, "I-time Bypass (frost)", "sec", 159, 1, 999, 90, 1, 0},  // row 157
    {11, 5, "Min supply temp T2 (frost)",
     "\xB0"
     "C",
     160, -200, 200, 0, 1, 1},  // row 158
    {11, 6, "Min supply temp T5 (frost)",
     "\xB0"
     "C",
     161, 0, 200, 100, 1, 1},  // row 159
    {11, 7, "Frost protection T1 <",
     "\xB0"
     "C",
     162, 0, 100, 50, 1, 1},                                     // row 160
    {12, 0, "Heat Exchanger settings", "", 0, 0, 0, 0, 0, 0},    // row 161
    {12, 1, "Heat Exchanger", kOptions11, 105, 0, 1, 0, 1, -1},  // row 162
    {12, 2, "Frost setpoint start",
     "\xB0"
     "C",
     106, -500, 999, 50, 1, 1},  // row 163
    {12, 3, "Frost setpoint full",
     "\xB0"
     "C",
     107, -500, 999, 20, 1, 1},                                               // row 164
    {12, 4, "Balance ventilation (frost)", kOptions11, 156, 0, 1, 0, 1, -1},  // row 165
    {13, 0, "PreHeat Frost Settings", "", 0, 0, 0, 0, 0, 0},                  // row 166
    {13, 1, "PreHeat ODA avail", kOptions11, 113, 0, 1, 0, 1, -1},            // row 167
    {13, 2, "PreHeat ODA setpoint",
     "\xB0"
     "C",
     114, -200, 999, 10, 1, 1},  // row 168
    {13, 3, "PreHeat ODA P-zone",
     "\xB0"
     "C",
     115, 1, 1000, 50, 1, 1},                                       // row 169
    {13, 4, "PreHeat ODA I-time", "sec", 116, 1, 999, 120, 1, 0},   // row 170
    {13, 5, "PreHeat ETA avail", kOptions11, 151, 0, 1, 0, 1, -1},  // row 171
    {13, 6, "PreHeat ETA setpoint (EHA)",
     "\xB0"
     "C",
     152, 20, 70, 40, 1, 1},                                      // row 172
    {13, 7, "PreHeat ETA delay", "sec", 155, 0, 999, 300, 1, 0},  // row 173
    {13, 8, "PreHeat ETA P-zone",
     "\xB0"
     "C",
     153, 1, 1000, 50, 1, 1},                                           // row 174
    {13, 9, "PreHeat ETA I-time", "sec", 154, 1, 999, 120, 1, 0},       // row 175
    {20, 0, "Failures", "", 0, 0, 0, 0, 0, 0},                          // row 176
    {20, 1, "Last1 failure", kOptions12, 83, 0, 0, 0, 0, -1},           // row 177
    {20, 2, "Last2 failure", kOptions12, 84, 0, 0, 0, 0, -1},           // row 178
    {20, 3, "Last3 failure", kOptions12, 85, 0, 0, 0, 0, -1},           // row 179
    {20, 4, "Last4 failure", kOptions12, 86, 0, 0, 0, 0, -1},           // row 180
    {20, 5, "Last5 failure", kOptions12, 87, 0, 0, 0, 0, -1},           // row 181
    {20, 6, "Last6 failure", kOptions12, 88, 0, 0, 0, 0, -1},           // row 182
    {20, 98, "Reset Actual Failure", kOptions11, 451, 0, 1, 0, 1, -1},  // row 183
    {20, 99, "Reset failure list", kOptions11, 352, 0, 1, 0, 1, -1},    // row 184
    {30, 0, "Overrule", "", 0, 0, 0, 0, 0, 0},                          // row 185
    {30, 1, "Force digin 1", kOptions13, 418, 0, 2, 0, 1, -1},          // row 186
    {30, 2, "Force digin 2", kOptions13, 419, 0, 2, 0, 1, -1},          // row 187
    {30, 3, "Force digin 3", kOptions13, 420, 0, 2, 0, 1, -1},          // row 188
    {30, 4, "Force digin 4", kOptions13, 421, 0, 2, 0, 1, -1},          // row 189
    {30, 5, "Force digin 5", kOptions13, 422, 0, 2, 0, 1, -1},          // row 190
    {30, 6, "Force digin 6", kOptions13, 423, 0, 2, 0, 1, -1},          // row 191
    {30, 7, "Force digin 7", kOptions13, 424, 0, 2, 0, 1, -1},          // row 192
    {30, 8, "Force digin 8", kOptions13, 433, 0, 2, 0, 1, -1},          // row 193
    {30, 9, "Force digin 9", kOptions13, 434, 0, 2, 0, 1, -1},          // row 194
    {30, 10, "Force ventilation", "", 425, 0, 4, 0, 1, 0},              // row 195
    {30, 11, "Force speed ventilation", "%", 426, 0, 100, 0, 1, 0},     // row 196
    {30, 12, "Force Supply Fan", "%", 322, 0, 100, 0, 1, 0},            // row 197
    {30, 13, "Force Exhaust Fan", "%", 324, 0, 100, 0, 1, 0},           // row 198
    {50, 0, "Miscellaneous", "", 0, 0, 0, 0, 0, 0},                     // row 199
    {50, 1, "Function T6", kOptions14, 42, 0, 4, 0, 1, -1},             // row 200
    {50, 2, "Function T7", kOptions14, 145, 0, 4, 0, 1, -1},            // row 201
    {50, 3, "Switch SAG 0-3CV", kOptions15, 44, 0, 1, 0, 1, -1},        // row 202
    {50, 4, "Frost setpoint T1",
     "\xB0"
     "C",
     46, -20, 50, 20, 1, 1},                                          // row 203
    {50, 5, "Min heating when frost T1", "%", 91, 0, 100, 20, 1, 0},  // row 204
    {50, 6, "Siphon setpoint",
     "\xB0"
     "C",
     45, -20, 50, 20, 1, 1},                                                      // row 205
    {50, 7, "Overrun Time (Heater/Cooler)", "min", 168, 0, 60, 1, 1, 0},          // row 206
    {60, 0, "Realtime clock", "", 0, 0, 0, 0, 0, 0},                              // row 207
    {60, 1, "Real time", "", 366, 0, 1439, 0, 1, -2},                             // row 208
    {60, 2, "Real date", "", 367, 0, 18263, 0, 1, -3},                            // row 209
    {60, 3, "Ventspeed selectclock", kOptions16, 369, 0, 0, 0, 0, -1},            // row 210
    {60, 4, "Daylight Saving Time automatic", kOptions11, 150, 0, 1, 0, 1, -1},   // row 211
    {60, 11, "Selectclock 1-Time", "", 117, 0, 1439, 0, 1, -2},                   // row 212
    {60, 12, "Selectclock 1-Day", kOptions17, 123, 0, 10, 0, 1, -1},              // row 213
    {60, 13, "Selectclock 1-Ventspeed", kOptions16, 129, 0, 5, 0, 1, -1},         // row 214
    {60, 21, "Selectclock 2-Time", "", 118, 0, 1439, 0, 1, -2},                   // row 215
    {60, 22, "Selectclock 2-Day", kOptions17, 124, 0, 10, 0, 1, -1},              // row 216
    {60, 23, "Selectclock 2-Ventspeed", kOptions16, 130, 0, 5, 0, 1, -1},         // row 217
    {60, 31, "Selectclock 3-Time", "", 119, 0, 1439, 0, 1, -2},                   // row 218
    {60, 32, "Selectclock 3-Day", kOptions17, 125, 0, 10, 0, 1, -1},              // row 219
    {60, 33, "Selectclock 3-Ventspeed", kOptions16, 131, 0, 5, 0, 1, -1},         // row 220
    {60, 41, "Selectclock 4-Time", "", 120, 0, 1439, 0, 1, -2},                   // row 221
    {60, 42, "Selectclock 4-Day", kOptions17, 126, 0, 10, 0, 1, -1},              // row 222
    {60, 43, "Selectclock 4-Ventspeed", kOptions16, 132, 0, 5, 0, 1, -1},         // row 223
    {60, 51, "Selectclock 5-Time", "", 121, 0, 1439, 0, 1, -2},                   // row 224
    {60, 52, "Selectclock 5-Day", kOptions17, 127, 0, 10, 0, 1, -1},              // row 225
    {60, 53, "Selectclock 5-Ventspeed", kOptions16, 133, 0, 5, 0, 1, -1},         // row 226
    {60, 61, "Selectclock 6-Time", "", 122, 0, 1439, 0, 1, -2},                   // row 227
    {60, 62, "Selectclock 6-Day", kOptions17, 128, 0, 10, 0, 1, -1},              // row 228
    {60, 63, "Selectclock 6-Ventspeed", kOptions16, 134, 0, 5, 0, 1, -1},         // row 229
    {70, 0, "Filters", "", 0, 0, 0, 0, 0, 0},                                     // row 230
    {70, 1, "Supply m3/h set1", "m3/h", 136, 0, 200000, 1000, 10, 0},             // row 231
    {70, 2, "Supply max Pa set1", "Pa", 137, 0, 2000, 70, 1, 0},                  // row 232
    {70, 3, "Supply m3/h set2", "m3/h", 138, 0, 200000, 6000, 10, 0},             // row 233
    {70, 4, "Supply max Pa set2", "Pa", 139, 0, 2000, 300, 1, 0},                 // row 234
    {70, 5, "Exhaust m3/h set1", "m3/h", 146, 0, 200000, 1000, 10, 0},            // row 235
    {70, 6, "Exhaust max Pa set1", "Pa", 147, 0, 2000, 70, 1, 0},                 // row 236
    {70, 7, "Exhaust m3/h set2", "m3/h", 148, 0, 200000, 6000, 10, 0},            // row 237
    {70, 8, "Exhaust max Pa set2", "Pa", 149, 0, 2000, 300, 1, 0},                // row 238
    {70, 9, "Hysterese detection", "%", 140, 0, 100, 10, 1, 0},                   // row 239
    {70, 10, "Press supply filter", "Pa", 365, 0, 0, 0, 0, 0},                    // row 240
    {70, 11, "Press exhaust filter", "Pa", 364, 0, 0, 0, 0, 0},                   // row 241
    {70, 12, "Press Measurement Time", "sec", 163, 1, 999, 5, 1, 0},              // row 242
    {70, 13, "Max filter press", "Pa", 164, 200, 600, 400, 1, 0},                 // row 243
    {70, 14, "Filter Period", "days", 165, 0, 999, 180, 1, 0},                    // row 244
    {80, 0, "Modbus", "", 0, 0, 0, 0, 0, 0},                                      // row 245
    {80, 1, "Adress", "", 142, 1, 247, 1, 1, 0},                                  // row 246
    {80, 2, "Baudrate,parity", kOptions18, 143, 0, 3, 0, 1, -1},                  // row 247
    {80, 3, "Watchdog communication", "sec", 144, 0, 999, 30, 1, 0},              // row 248
    {90, 0, "SD card", "", 0, 0, 0, 0, 0, 0},                                     // row 249
    {90, 1, "Status", kOptions19, 380, 0, 0, 0, 0, -1},                           // row 250
    {90, 2, "Save parameters on SD card", kOptions20, 431, 0, 1, 0, 1, -1},       // row 251
    {90, 3, "Restore parameters from SD card", kOptions20, 432, 0, 1, 0, 1, -1},  // row 252
    {99, 0, "Service", "", 0, 0, 0, 0, 0, 0},                                     // row 253
    {99, 1, "Version number software", "", 280, 0, 0, 0, 0, 2},                   // row 254
    {99, 3, "Poweron time", "Hrs", 381, 0, 0, 0, 0, 0},                           // row 255
    {99, 4, "Version number I/O board", "", 452, 0, 0, 0, 0, 2},                  // row 256
    {0, 0, "", "", 0, 0, 0, 0, 0, 0},                                             // row 257
    {-1, 0, "", "", 0, 0, 0, 0, 0, 0},                                            // row 258
};

}  // namespace bxl
