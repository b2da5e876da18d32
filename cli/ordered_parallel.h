#pragma once

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

namespace quillet::cli {

// Runs work(state, i) for every i below `count` on up to `workers` threads, and hands the
// results to consume(i, result) on the calling thread in the order of i, each as soon as it and
// all before it are done. So output keeps the input's order however the work is shared out.
// Each thread has a State of its own (a cache, say), made on that thread. The workers stay at
// most `window` items ahead of consume, which bounds the results held at once. With one worker
// everything runs on the calling thread. `work` must not throw.
template <typename State, typename Work, typename Consume>
void ForEachInOrder(std::size_t count, unsigned workers, std::size_t window, Work work,
                    Consume consume) {
  using Result = decltype(work(std::declval<State&>(), std::size_t{0}));
  workers = static_cast<unsigned>(std::min<std::size_t>(workers, count));
  if (workers <= 1) {
    State state{};
    for (std::size_t i = 0; i < count; ++i) consume(i, work(state, i));
    return;
  }
  window = std::max<std::size_t>(window, workers);

  std::vector<std::optional<Result>> slots(count);
  std::mutex mutex;
  std::condition_variable done;      // a slot was filled
  std::condition_variable consumed;  // the window moved on
  std::size_t next = 0;              // the next item to hand to a worker
  std::size_t taken = 0;             // items handed to consume

  auto worker = [&] {
    State state{};
    for (;;) {
      std::size_t i;
      {
        std::unique_lock lock(mutex);
        consumed.wait(lock, [&] { return next >= count || next < taken + window; });
        if (next >= count) return;
        i = next++;
      }
      Result result = work(state, i);
      {
        std::lock_guard lock(mutex);
        slots[i].emplace(std::move(result));
      }
      done.notify_all();
    }
  };
  std::vector<std::thread> threads;
  threads.reserve(workers);
  for (unsigned t = 0; t < workers; ++t) threads.emplace_back(worker);

  for (std::size_t i = 0; i < count; ++i) {
    std::optional<Result> result;
    {
      std::unique_lock lock(mutex);
      done.wait(lock, [&] { return slots[i].has_value(); });
      result.swap(slots[i]);
      taken = i + 1;
    }
    consumed.notify_all();
    consume(i, std::move(*result));
  }
  for (std::thread& thread : threads) thread.join();
}

}  // namespace quillet::cli
