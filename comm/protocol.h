// The command protocol: opening and closing the line, the command set built into CommandBuffer,
// and the commands run directly from the calling thread.
#pragma once

#include <cstdint>
#include <memory>

#include "comm/frame.h"
#include "comm/measurement.h"
#include "platform/port_trouble.h"
#include "platform/serial_line.h"

namespace vorta::comm {

inline constexpr std::uint16_t kReplyTimeoutMs = 250;
// The time a reply may take: kReplyTimeoutMs, unless a test lengthens it so that a slow machine
// never misses a reply that was sent. 0 restores kReplyTimeoutMs.
std::uint16_t ReplyTimeoutMs();
void SetReplyTimeoutMs(std::uint16_t ms);
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
// a port that opens but cannot be set up is released again. No message is shown; why, when given,
// says why the port could not be opened.
bool OpenLine(int portNumber, int baudIndex, platform::TPortOpenError* why = nullptr);
// The same on a line given by the caller (the simulated transmitter run in-process).
bool OpenLineOn(std::unique_ptr<platform::ISerialLine> line, int baudIndex);
// Stops polling and closes the line. False when the polling thread would not end: the line then
// stays open beneath it.
bool CloseLine();
bool LineOpen();
// The open line has failed itself (unplugged, hung up): close it and open the port again.
bool LineGone();

// Fills CommandBuffer for a letter of the command set; false for an unknown letter or an argument
// the command cannot carry. The corrections command 'V' carries two floats and has its own builder.
bool BuildCommand(std::uint8_t letter, std::uint32_t arg);
bool BuildCommandInto(TBuffer& cmd, std::uint8_t letter, std::uint32_t arg);
// 'V' with the zero and gain corrections; false when one does not fit the transmitter's float.
bool BuildCorrectionsInto(TBuffer& cmd, double zero, double gain);

// Runs one command from the calling thread with up to five attempts.
bool DirectCommand(std::uint8_t letter, std::uint32_t arg);
// Sends the zero and gain corrections ('V') from the calling thread with up to five attempts.
bool DirectCorrections(double zero, double gain);
// As DirectCommand, and copies L + 2 bytes of the reply into buf.
bool DirectRead(std::uint8_t letter, std::uint32_t arg, TBuffer& buf);
// Measures one register; on success the reply becomes the measurement shadow and is decoded with
// the new-average and large-error flags taken as they came.
bool ReadRegister(std::uint8_t selector, double& value, double& current, TRawMeasurement& raw);
// Asks the transmitter what it would make of a result value (the 'Z' command).
bool ReadSimulated(double& value, double& current, std::uint32_t arg);

}  // namespace vorta::comm
