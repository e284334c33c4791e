// Fault knobs of the simulated transmitter and the settings of its simulated sensor signal. Every
// knob has a name used on the command line (--name VALUE), in control commands ("set name VALUE")
// and by tests (SetKnob).
#pragma once

#include <string>
#include <vector>

namespace vorta::sim {

struct TFaultKnobs {
  // lose: share 0..1 of replies that never reach the line (the command itself is carried out).
  double loseShare = 0.0;
  // corrupt: share 0..1 of replies sent with one bit of one data byte flipped (bad checksum).
  double corruptShare = 0.0;
  // wrong-address: replies to memory reads and writes echo the address plus one.
  bool wrongAddressEcho = false;
  // late: extra milliseconds between the end of the echo and the start of every reply.
  int lateMs = 0;
  // silent: no replies at all; the echo stays, as the line itself gives it.
  bool silent = false;
  // silent-after: go silent after this many further command frames (-1: off).
  int silentAfterFrames = -1;
  // silent-in-block: after a preamble, answer this many block reads or writes, then go silent (-1: off).
  int silentInBlock = -1;
  // disconnect-after: close the line right after replying to this many further frames (-1: off).
  int disconnectAfterFrames = -1;
  // eeprom-error: report an EEPROM error whatever the checksums say.
  bool eepromError = false;
  // broken-sensor: the sensor is open; the output goes to the burnout level of the configuration.
  bool brokenSensor = false;
  // calibration-mode: the transmitter reports calibration mode.
  bool calibrationMode = false;
  // internal-error: the transmitter reports an internal error.
  bool internalError = false;
};

struct TSignalSettings {
  double level = 50.0;                // level: sensor signal at the terminals, in the sensor's signal unit
  double driftAmplitude = 0.0;        // drift: amplitude of a slow sine added to the level
  double driftPeriodS = 60.0;         // drift-period: period of that sine in seconds
  double noise = 0.0;                 // noise: standard deviation of the noise added to every sample
  double internalTemperature = 25.0;  // internal-temp: the transmitter's own (cold-junction) temperature, C
};

// Sets the knob or signal setting named name from its text value ("on"/"off"/"1"/"0" for switches).
// False, with nothing changed, for an unknown name or a value that does not fit.
bool SetKnobByName(TFaultKnobs& knobs, const std::string& name, const std::string& value);
bool SetSignalByName(TSignalSettings& signal, const std::string& name, const std::string& value);

// One line per knob or setting: "name value", for the status report.
std::vector<std::string> DescribeKnobs(const TFaultKnobs& knobs);
std::vector<std::string> DescribeSignal(const TSignalSettings& signal);

// Names of the switches (knobs without a value), so that the command line may give them alone.
bool IsSwitchKnob(const std::string& name);

}  // namespace vorta::sim
