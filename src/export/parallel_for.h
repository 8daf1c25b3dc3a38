#pragma once
// Runs work(0) .. work(count - 1) on every core: a build exports hundreds of
// independent files, and each costs a picture's encoding or a file system call.
// `work` must touch only what belongs to its own index.

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <thread>
#include <vector>

template <typename Work>
void ParallelFor(std::size_t count, Work work) {
  const std::size_t threads = std::min<std::size_t>(std::max(1u, std::thread::hardware_concurrency()), count);
  std::atomic<std::size_t> next{0};
  auto run = [&] {
    for (std::size_t i = next++; i < count; i = next++) work(i);
  };
  std::vector<std::thread> helpers;
  for (std::size_t t = 1; t < threads; ++t) helpers.emplace_back(run);
  run();
  for (std::thread& helper : helpers) helper.join();
}
