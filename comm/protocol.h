// The command protocol: opening and closing the line, the command set built into CommandBuffer,
// and the commands run directly from the calling thread.
#pragma once

#include <cstdint>
#include <memory>

#include "comm/frame.h"
#include "comm/measurement.h"
#include "platform/serial_line.h"

namespace vorta::comm {

inline constexpr std::uint16_t kReplyTimeoutMs = 250;
inline constexpr int kDirectAttempts = 5;

inline constexpr int BaudOfIndex(int index) {
  switch (index) {
    case 2:
      return 2400;
    case 3:
      return 4800;
    case 4:
      return 9600;
    default:
      return 1200;
  }
}

// Opens COMn at the baud of the index and starts polling. A line already open is closed first;
// a port that opens but cannot be set up is released again. No message is shown.
bool OpenLine(int portNumber, int baudIndex);
// The same on a line given by the caller (the simulated transmitter run in-process).
bool OpenLineOn(std::unique_ptr<platform::ISerialLine> line, int baudIndex);
// Stops polling and closes the line. False when the polling thread would not end: the line then
// stays open beneath it.
bool CloseLine();
bool LineOpen();

// Fills CommandBuffer for a letter of the command set; false for an unknown letter or an argument
// the command cannot carry ('V' also when a correction does not fit the float format).
bool BuildCommand(std::uint8_t letter, std::uint32_t arg);
bool BuildCommandInto(TBuffer& cmd, std::uint8_t letter, std::uint32_t arg);

// Runs one command from the calling thread with up to five attempts.
bool DirectCommand(std::uint8_t letter, std::uint32_t arg);
// As DirectCommand, and copies L + 2 bytes of the reply into buf.
bool DirectRead(std::uint8_t letter, std::uint32_t arg, TBuffer& buf);
// Measures one register; on success the reply becomes the measurement shadow and is decoded with
// the new-average and large-error flags taken as they came.
bool ReadRegister(std::uint8_t selector, double& value, double& current, TRawMeasurement& raw);
// Asks the transmitter what it would make of a result value (the 'Z' command).
bool ReadSimulated(double& value, double& current, std::uint32_t arg);

}  // namespace vorta::comm
