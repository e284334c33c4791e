// The polling thread: measures back to back while the line is free, keeps the last good reply for
// the main window, and carries single queued commands between two polls.
#pragma once

#include <cstdint>
#include <functional>

#include "comm/measurement.h"

namespace vorta::comm {

inline constexpr int kPollAttempts = 3;
inline constexpr std::uint8_t kPollSelector = 0x20;

// Starts the polling thread; false when it cannot start or an earlier one still runs.
bool StartPolling();
// Stops the polling thread and waits up to 10 s for it; true when it ended or none ran.
bool StopPolling();
// Stops a running transfer thread; false when none runs or it would not end.
bool AbortTransfer();

// Hands one command to the polling thread; beeps and refuses when it cannot take one.
bool QueueCommand(std::uint8_t letter, std::uint32_t arg);
// Waits about 250 ms for the thread to be ready, then QueueCommand. processMessages, when given,
// runs between the waits so that the window stays responsive.
bool QueueCommandWait(std::uint8_t letter, std::uint32_t arg,
                      const std::function<void()>& processMessages = {});
// Decodes the latest poll, each poll at most once; false (type index 16) when there is none new.
bool TakeMeasurement(double& value, double& current, TRawMeasurement& raw);
// False, with a beep, once after a queued command failed all its attempts.
bool CheckQueuedResult();

// The body of the polling thread; returns 1 when its loop ends.
int PollThreadBody();

}  // namespace vorta::comm
