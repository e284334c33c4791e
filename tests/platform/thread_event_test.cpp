// Manual-reset events and worker threads: waits, exit codes, stack size, priority, and a thread that
// outlives its wait keeping its handle.
#include <gtest/gtest.h>
#include <pthread.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/event.h"
#include "platform/thread.h"

namespace vorta::platform {
namespace {

// How long a test waits for what must come; only a test that truly hangs reaches it.
constexpr int kPatientMs = 20000;

TEST(ThreadEventTest, EventStaysSetForEveryWaiterUntilResetAndWakesAWaiterWithoutLimit) {
  ManualResetEvent e;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(e.Wait(20));
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(20));
  std::thread setter([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    e.Set();
  });
  EXPECT_TRUE(e.Wait(-1));  // hangs when a set does not wake the waiter
  setter.join();
  EXPECT_TRUE(e.Wait(0));
  EXPECT_TRUE(e.IsSet());
  e.Reset();
  EXPECT_FALSE(e.IsSet());
  EXPECT_FALSE(e.Wait(0));
  EXPECT_TRUE(ManualResetEvent(true).Wait(0));
}

TEST(ThreadEventTest, WorkerRunsWithItsStackSizeAndPriorityAndGivesItsExitCode) {
  WorkerThread t;
  std::atomic<std::size_t> stack{0};
  ASSERT_TRUE(t.Start([&] {
    pthread_attr_t attr;
    pthread_getattr_np(pthread_self(), &attr);
    std::size_t size = 0;
    pthread_attr_getstacksize(&attr, &size);
    pthread_attr_destroy(&attr);
    stack = size;
    return RaiseThreadPriority() == ThreadPriorityIsTimeCritical() ? 7 : 8;  // the raise is best effort
  }));
  ASSERT_TRUE(t.Wait(kPatientMs));
  EXPECT_EQ(t.ExitCode(), 7);
  EXPECT_GE(stack.load(), kWorkerStackSize - 4096);  // less what the library keeps for itself
  EXPECT_TRUE(t.Release());
  EXPECT_FALSE(t.Held());
  EXPECT_FALSE(t.ExitCode().has_value());
  ASSERT_TRUE(t.Start([]() -> int { throw 1; }));
  ASSERT_TRUE(t.Wait(kPatientMs));
  EXPECT_EQ(t.ExitCode(), 0);  // an exception ends the thread with failure
}

TEST(ThreadEventTest, ThreadThatOutlivesItsWaitKeepsItsHandle) {
  WorkerThread t;
  ManualResetEvent go;
  ASSERT_TRUE(t.Start([&] {
    go.Wait(-1);
    return 1;
  }));
  EXPECT_FALSE(t.Wait(20));
  EXPECT_TRUE(t.Alive());
  EXPECT_FALSE(t.Release());
  EXPECT_FALSE(t.ExitCode().has_value());
  EXPECT_FALSE(t.Start([] { return 2; }));  // no second thread beside it
  go.Set();
  ASSERT_TRUE(t.Wait(kPatientMs));
  EXPECT_FALSE(t.Alive());
  EXPECT_TRUE(t.Release());
  EXPECT_TRUE(t.Start([] { return 2; }));
  ASSERT_TRUE(t.Wait(kPatientMs));
  EXPECT_EQ(t.ExitCode(), 2);
}

}  // namespace
}  // namespace vorta::platform
