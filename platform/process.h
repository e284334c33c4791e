// Process-wide platform settings the program asks for at start and around transactions. Each is
// best effort: a refusal (no rights, no such facility) is ignored.
#pragma once

namespace vorta::platform {

enum class PriorityClass { kNormal, kHigh, kRealtime };

// Raises or lowers the scheduling priority of the whole process; false when the system refused.
bool SetPriorityClass(PriorityClass cls);
PriorityClass GetPriorityClass();

// The system warning beep switch. Linux has no such switch; the program's beeps always sound.
void EnableWarningBeep();

// 1 ms timer resolution for the run. Linux timers already have sub-millisecond resolution.
void BeginTimerPeriod();
void EndTimerPeriod();

}  // namespace vorta::platform
