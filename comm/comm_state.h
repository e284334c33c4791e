// The process-wide state of the transmitter link: the line, the link timing and abort flag, the
// shared command buffers, the polling flags and shadow, the transfer flags and the events that
// carry them between threads. One object, reached through Comm(); ResetComm() for tests.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

#include "comm/device_image.h"
#include "comm/frame.h"
#include "comm/link.h"
#include "comm/measurement.h"
#include "platform/event.h"
#include "platform/thread.h"

namespace vorta::comm {

struct TCommState {
  // At program end the workers are told to stop, so that their handles can be waited for.
  ~TCommState() {
    PollRunning = false;
    TransferRunning = false;
    AbortFlag = true;
    AbortEvent.Set();
  }

  // Link layer.
  std::atomic<double> CharTime{10000.0 / 9600};
  std::atomic<std::uint16_t> CharTimeMs{2};
  std::atomic<bool> AbortFlag{false};
  platform::ManualResetEvent AbortEvent;  // set together with AbortFlag: cuts pauses short
  std::unique_ptr<TCommD> Line;           // from OpenLine to CloseLine

  // Buffers of the main thread and the transfer threads.
  TBuffer CommandBuffer{};
  TBuffer ReplyBuffer{};
  platform::ManualResetEvent CommandDoneEvent{true};

  // Polling thread.
  platform::WorkerThread PollThread;
  TBuffer PollCommand{};
  TBuffer PollReply{};
  std::atomic<bool> PollRunning{false}, PollStarted{false}, PollFailed{false}, PollOk{false};
  std::atomic<bool> CommandPending{false}, LineFree{false}, CommandResult{true};
  std::atomic<bool> StatusFresh{true}, StatusLatch{false};
  platform::ManualResetEvent NewMeasurementEvent;
  // The last good poll; value, DAC word and status always travel together under this lock.
  std::mutex ShadowLock;
  TBuffer PollShadow{};
  bool ShadowNewAverage = false;  // latched flags of the poll in the shadow
  bool ShadowLargeError = false;
  std::uint64_t ShadowSeq = 0;  // number of the poll in the shadow
  std::uint64_t TakenSeq = 0;   // number of the poll last taken by the main window
  TMeasurementStatus Status;

  // Transfers.
  platform::WorkerThread TransferThread;
  std::atomic<bool> TransferRunning{false};
  std::atomic<int> Progress{0};
  std::atomic<bool> ResetPending{false};  // a full write was interrupted and owes the reset
  platform::ManualResetEvent ProgressEvent, ProgressAckEvent;
};

TCommState& Comm();
// Closes the line (stopping its threads) and puts every flag, buffer and event back to the start.
void ResetComm();

}  // namespace vorta::comm
