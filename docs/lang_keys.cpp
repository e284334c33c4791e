// The 240 English texts that are the keys of the language list, in table order.
#include "docs/lang_keys.h"

namespace vorta::docs {

const std::array<std::string_view, kLangKeyCount>& LangKeys() {
  static constexpr std::array<std::string_view, kLangKeyCount> kKeys = {
      "Vorta Transmitters",                              // 1
      "language",                                        // 2
      "VortaEN",                                         // 3
      "Thermocouple",                                    // 4
      "CJ temp.",                                        // 5
      "Information complete",                            // 6
      "Information incomplete",                          // 7
      "No_name",                                         // 8
      "Transmission unsuccessful",                       // 9
      "No communication with transmitter",               // 10
      "Reading data...",                                 // 11
      "Transmitter programmed",                          // 12
      "Information transferred",                         // 13
      "Writing data...",                                 // 14
      "Turn Autoread off",                               // 15
      "Verifying...",                                    // 16
      "Verification successful",                         // 17
      "Errors have been found!",                         // 18
      "Verification ended with errors",                  // 19
      "Wrong format",                                    // 20
      "Cancel",                                          // 21
      "Options",                                         // 22
      "Input range too small!",                          // 23
      "Minimum out of range!",                           // 24
      "Unspecified type",                                // 25
      "Maximum out of range!",                           // 26
      "No parameters",                                   // 27
      "not implemented yet",                             // 28
      "Transmitter has to be connected!",                // 29
      "Out of range!",                                   // 30
      "Type of transmitter inconsistency",               // 31
      "New data will be read",                           // 32
      "Disconnect the transmitter",                      // 33
      "and press",                                       // 34
      "to preserve present configuration",               // 35
      "Parameters  of",                                  // 36
      "User ID Tag",                                     // 37
      "ID Tag",                                          // 38
      "Configuration date",                              // 39
      "Serial number",                                   // 40
      "User info",                                       // 41
      "Thermocouple type",                               // 42
      "Sensor",                                          // 43
      "external CJ",                                     // 44
      "Input range",                                     // 45
      "Output range",                                    // 46
      "below 4mA",                                       // 47
      "above 20mA",                                      // 48
      "Internal failure sygnalization",                  // 49
      "Output reaction to sensor burnout",               // 50
      "Output locked",                                   // 51
      "Corrections",                                     // 52
      "Zero",                                            // 53
      "Gain",                                            // 54
      "Filter settings",                                 // 55
      "Input filter",                                    // 56
      "Filtration range",                                // 57
      "Time constant",                                   // 58
      "Net filter",                                      // 59
      "Frequency",                                       // 60
      "Printed",                                         // 61
      "Printing",                                        // 62
      "Command failed",                                  // 63
      "Password",                                        // 64
      "Communicating with transmitter",                  // 65
      "Please wait",                                     // 66
      "COM%d initialization failed",                     // 67
      "2-wire",                                          // 68
      "3-wire",                                          // 69
      "4-wire",                                          // 70
      "differential",                                    // 71
      "no CJC",                                          // 72
      "CJC",                                             // 73
      "linearization",                                   // 74
      "to",                                              // 75
      "file is invalid",                                 // 76
      "Broken sensor",                                   // 77
      "EEPROM error",                                    // 78
      "Parameters files",                                // 79
      "Data files",                                      // 80
      "All files",                                       // 81
      "Cannot open file",                                // 82
      "none",                                            // 83
      "has to be higher than",                           // 84
      "&File",                                           // 85
      "&New",                                            // 86
      "&Open",                                           // 87
      "&Save",                                           // 88
      "Save as",                                         // 89
      "&Keep results",                                   // 90
      "&Stop saving",                                    // 91
      "&Print",                                          // 92
      "&Help",                                           // 93
      "P&rint setup",                                    // 94
      "E&xit",                                           // 95
      "&Configuration",                                  // 96
      "&Setup",                                          // 97
      "R&efresh",                                        // 98
      "&Read",                                           // 99
      "&Write",                                          // 100
      "&Verify",                                         // 101
      "Se&nsors",                                        // 102
      "&Reset",                                          // 103
      "&Corrections",                                    // 104
      "&Lock Iout",                                      // 105
      "&View",                                           // 106
      "&Toolbar",                                        // 107
      "S&tatus",                                         // 108
      "&Diagram",                                        // 109
      "&Monitor only",                                   // 110
      "&Options",                                        // 111
      "&General",                                        // 112
      "&Communication",                                  // 113
      "&Automatic read",                                 // 114
      "&Info",                                           // 115
      "&Version",                                        // 116
      "Device",                                          // 117
      "Sensor type",                                     // 118
      "Input",                                           // 119
      "Select",                                          // 120
      "Parameters",                                      // 121
      "Eng. units",                                      // 122
      "Minimum",                                         // 123
      "Maximum",                                         // 124
      "Signal filter",                                   // 125
      "Range",                                           // 126
      "Spurious error threshold",                        // 127
      "Set spurious error threshold",                    // 128
      "Time",                                            // 129
      "Net filter freq.",                                // 130
      "User corrections",                                // 131
      "Info",                                            // 132
      "Other",                                           // 133
      "Serial No",                                       // 134
      "Last config. date",                               // 135
      "Result",                                          // 136
      "Output",                                          // 137
      "New",                                             // 138
      "Open",                                            // 139
      "Save",                                            // 140
      "Print",                                           // 141
      "Start",                                           // 142
      "Stop",                                            // 143
      "Clear",                                           // 144
      "Internal error",                                  // 145
      "new average",                                     // 146
      "spurious error",                                  // 147
      "Stop scaling",                                    // 148
      "Clear diagram",                                   // 149
      "Show diagram",                                    // 150
      "Double-click to stop saving data",                // 151
      "Filter limits",                                   // 152
      "Interval",                                        // 153
      "Preset plotting time interval",                   // 154
      "Read settings",                                   // 155
      "Write settings",                                  // 156
      "Communication",                                   // 157
      "Input corrections",                               // 158
      "Select sensor",                                   // 159
      "Enter the minimum value",                         // 160
      "Enter the maximum value",                         // 161
      "Set filtration range",                            // 162
      "Set time constant",                               // 163
      "Optimal",                                         // 164
      "Optimal settings",                                // 165
      "no noise",                                        // 166
      "Choose expected reaction",                        // 167
      "Choose net frequency",                            // 168
      "Write down ID tag",                               // 169
      "Show filter limits",                              // 170
      "Write down any information",                      // 171
      "source file",                                     // 172
      "Read source file",                                // 173
      "Transfer function",                               // 174
      "is not monotonic",                                // 175
      "Switching the serial port",                       // 176
      "Serial port",                                     // 177
      "Force highest priority",                          // 178
      "Use when other processes disturb communication",  // 179
      "Simulation",                                      // 180
      "Reset",                                           // 181
      "Write",                                           // 182
      "Set",                                             // 183
      "Exit",                                            // 184
      "Set all to zero",                                 // 185
      "Int. temp.",                                      // 186
      "Set corrections to zero",                         // 187
      "Simulate corrections",                            // 188
      "Correct Zero",                                    // 189
      "Correct Gain",                                    // 190
      "Write to nonvolatile memory",                     // 191
      "Reset transmitter",                               // 192
      "Set the output current",                          // 193
      "Determine output current value",                  // 194
      "Click to switch between small and large dots",    // 195
      "Set the external cold junction temperature",      // 196
      "Sensor selection",                                // 197
      "Input signal",                                    // 198
      "RTD",                                             // 199
      "Thermocouples",                                   // 200
      "Resistance",                                      // 201
      "Voltage",                                         // 202
      "Current",                                         // 203
      "No such input",                                   // 204
      "single",                                          // 205
      "double",                                          // 206
      "More",                                            // 207
      "Maximum range",                                   // 208
      "Result1",                                         // 209
      "Type",                                            // 210
      "Connection",                                      // 211
      "Mode",                                            // 212
      "temperature difference",                          // 213
      "cold junction compensation",                      // 214
      "result conversion",                               // 215
      "result converted",                                // 216
      "conversion",                                      // 217
      "linear",                                          // 218
      "power series",                                    // 219
      "table defined",                                   // 220
      "Other1",                                          // 221
      "Tables",                                          // 222
      "Message",                                         // 223
      "New1",                                            // 224
      "Old",                                             // 225
      "Wrong",                                           // 226
      "Table",                                           // 227
      "Response",                                        // 228
      "Example",                                         // 229
      "Corrupted or wrong data file",                    // 230
      "User defined sensor or conversion",               // 231
      "No data available",                               // 232
      "Values should rise",                              // 233
      "1st column values should rise or fall",           // 234
      "Value out of range",                              // 235
      "Not enough points",                               // 236
      "Power series calculation error",                  // 237
      "Range too small",                                 // 238
      "Check",                                           // 239
      "Select type of transmitter",                      // 240
  };
  return kKeys;
}

}  // namespace vorta::docs
