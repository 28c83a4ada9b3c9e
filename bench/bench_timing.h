// Timing shared by the benchmarks.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

// Median wall time of `runs` calls, in milliseconds.
inline double medianMs(int runs, const std::function<void()>& work) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    work();
    const auto end = std::chrono::steady_clock::now();
    times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

// One figure with its ratio to a baseline measured in the same run.
inline void report(const char* what, double ms, const char* baseline, double baselineMs) {
  std::printf("  %-48s %9.3f ms   %7.2fx %s (%.3f ms)\n", what, ms, ms / baselineMs, baseline,
              baselineMs);
}
