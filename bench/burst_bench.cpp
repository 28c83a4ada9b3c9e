// A burst of raw+JPEG shots at 10 per second through the real worker, controller and filing
// thread: the filing throughput it sustains against the disk's own write throughput, measured in
// the same run, and whether every photo arrived once and whole.
//
//   burst_bench [shots, default 100] [raw MB, default 25] [JPEG MB, default 8]
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <thread>
#include <vector>

#include "bench_app.h"
#include "filing_watch.h"
#include "plain_write.h"

namespace {

using Clock = std::chrono::steady_clock;

// Megabytes per second for writing `bytes` to a new file in `folder` (plain writes, then close,
// as the worker writes a download).
double diskWriteMBps(const QString& folder, long long bytes) {
  const QString path = folder + QStringLiteral("/disk-baseline.bin");
  const auto start = Clock::now();
  writePlainFile(path.toStdString(), bytes);
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  QFile::remove(path);
  return static_cast<double>(bytes) / 1e6 / seconds;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication qt(argc, argv);
  const int shots = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
  const long long rawBytes = (argc > 2 ? std::max(1, std::atoi(argv[2])) : 25) * 1'000'000LL;
  const long long jpegBytes = (argc > 3 ? std::max(1, std::atoi(argv[3])) : 8) * 1'000'000LL;

  BenchApp bench({{"Ann", "", "0", ""}},
                 {{QStringLiteral("VANTREL_SIM_RAW"), QStringLiteral("1")},
                  {QStringLiteral("VANTREL_SIM_RAW_BYTES"), QString::number(rawBytes)},
                  {QStringLiteral("VANTREL_SIM_IMAGE_BYTES"), QString::number(jpegBytes)}});
  const QString person = bench.photos() + QStringLiteral("/Ann");
  const std::unique_ptr<FilingWatch> watching = bench.startShooting(QStringLiteral("Ann"));
  if (!watching) return 1;
  FilingWatch& watch = *watching;
  const long long burstBytes = shots * (rawBytes + jpegBytes);
  const double diskMBps = diskWriteMBps(bench.photos(), burstBytes);

  // The shutter, ten times a second, from a thread of its own.
  std::thread shutter([&] {
    std::ofstream control(bench.cameraControl().toStdString(), std::ios::app);
    auto next = Clock::now();
    for (int shot = 0; shot < shots; ++shot) {
      std::this_thread::sleep_until(next);
      control << "shoot\n" << std::flush;
      next += std::chrono::milliseconds(100);
    }
  });
  const auto files = static_cast<std::size_t>(shots) * 2;
  const bool allFiled = bench.waitFor([&] { return watch.arrived() >= files; }, 600000);
  shutter.join();
  bench.waitFor([&] { return bench.app().filing().filingIdle(); }, 30000);

  const auto announcements = watch.announcements();
  const auto arrivals = watch.arrivals();
  if (announcements.empty() || arrivals.empty()) {
    std::fprintf(stderr, "nothing was filed\n");
    return 1;
  }
  const double seconds =
      std::chrono::duration<double>(arrivals.back().at - announcements.front()).count();
  const double shotSeconds =
      std::chrono::duration<double>(announcements.back() - announcements.front()).count();

  // Loss check: every photo once, at its size, nothing left behind.
  long long filedBytes = 0;
  int raws = 0, jpegs = 0, wrongSize = 0;
  for (const QFileInfo& info : QDir(person).entryInfoList(QDir::Files)) {
    filedBytes += info.size();
    const bool raw = info.suffix() == QStringLiteral("CR3");
    (raw ? raws : jpegs)++;
    if (info.size() != (raw ? rawBytes : jpegBytes)) ++wrongSize;
  }
  int leftBehind = 0;
  for (QDirIterator it(bench.photos(), QDir::Files | QDir::Hidden); it.hasNext(); it.next()) {
    ++leftBehind;
  }

  std::printf("Burst of %d raw+JPEG shots at 10 per second (raw %lld MB, JPEG %lld MB)\n", shots,
              rawBytes / 1'000'000, jpegBytes / 1'000'000);
  std::printf("  shots announced over %.1f s, last photo filed %.1f s after the first shot\n",
              shotSeconds, seconds);
  const double filingMBps = static_cast<double>(filedBytes) / 1e6 / seconds;
  std::printf(
      "  filing throughput   %8.0f MB/s   %5.2fx the disk's write throughput (%.0f MB/s "
      "for %lld MB)\n",
      filingMBps, filingMBps / diskMBps, diskMBps, burstBytes / 1'000'000);
  std::printf("  offered by the camera %6.0f MB/s\n",
              static_cast<double>(burstBytes) / 1e6 / std::max(shotSeconds, 0.1));
  std::printf(
      "  filed %d raw + %d JPEG of %d each; wrong size %d; left in the download folder %d; "
      "%s\n",
      raws, jpegs, shots, wrongSize, leftBehind,
      allFiled && raws == shots && jpegs == shots && wrongSize == 0 && leftBehind == 0 ? "no loss"
                                                                                       : "LOSS");
  QDir(person).removeRecursively();
  return 0;
}
