// Manual-reset events and worker threads: waits, exit codes, stack size, and a thread that
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

TEST(ManualResetEventTest, StaysSetForEveryWaiterUntilReset) {
  ManualResetEvent e;
  EXPECT_FALSE(e.Wait(10));
  e.Set();
  EXPECT_TRUE(e.Wait(0));
  EXPECT_TRUE(e.Wait(0));
  e.Reset();
  EXPECT_FALSE(e.IsSet());
  ManualResetEvent initially(true);
  EXPECT_TRUE(initially.Wait(0));
}

TEST(ManualResetEventTest, SetFromAnotherThreadWakesAWaiter) {
  ManualResetEvent e;
  const auto t0 = std::chrono::steady_clock::now();
  std::thread setter([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    e.Set();
  });
  EXPECT_TRUE(e.Wait(5000));
  setter.join();
  EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(2));
}

TEST(WorkerThreadTest, RunsWithItsStackSizeAndGivesItsExitCode) {
  WorkerThread t;
  std::atomic<std::size_t> stack{0};
  ASSERT_TRUE(t.Start([&] {
    pthread_attr_t attr;
    pthread_getattr_np(pthread_self(), &attr);
    std::size_t size = 0;
    pthread_attr_getstacksize(&attr, &size);
    pthread_attr_destroy(&attr);
    stack = size;
    return 7;
  }));
  ASSERT_TRUE(t.Wait(5000));
  EXPECT_EQ(t.ExitCode(), 7);
  EXPECT_GE(stack.load(), kWorkerStackSize - 4096);  // less what the library keeps for itself
  EXPECT_TRUE(t.Release());
  EXPECT_FALSE(t.Held());
}

TEST(WorkerThreadTest, ThreadThatOutlivesItsWaitKeepsItsHandle) {
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
  ASSERT_TRUE(t.Wait(5000));
  EXPECT_TRUE(t.Release());
  EXPECT_TRUE(t.Start([] { return 2; }));
  ASSERT_TRUE(t.Wait(5000));
  EXPECT_EQ(t.ExitCode(), 2);
}

TEST(WorkerThreadTest, ExceptionEndsTheThreadWithFailure) {
  WorkerThread t;
  ASSERT_TRUE(t.Start([]() -> int { throw 1; }));
  ASSERT_TRUE(t.Wait(5000));
  EXPECT_EQ(t.ExitCode(), 0);
}

TEST(WorkerThreadTest, PriorityRaiseIsBestEffort) {
  WorkerThread t;
  ASSERT_TRUE(t.Start([] {
    const bool raised = RaiseThreadPriority();
    return raised == ThreadPriorityIsTimeCritical() ? 1 : 0;
  }));
  ASSERT_TRUE(t.Wait(5000));
  EXPECT_EQ(t.ExitCode(), 1);
}

}  // namespace
}  // namespace vorta::platform
