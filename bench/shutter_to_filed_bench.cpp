// Shutter to filed: from the simulated camera announcing a new photo to that photo standing in the
// person's folder, through the real worker, the controller and its filing thread. One shot at a
// time, each of 25 MB, twice: with the window's thread free, then with it blocked for 150 ms every
// second (a slow repaint, a modal hiccup) while the shots arrive. Both against a plain loop, in the
// same run, that does the same file-system work at the same pace without the application.
//
//   shutter_to_filed_bench [shots, default 200] [--sync]
//
// --sync makes the plain loop flush each file (fdatasync) and the person's folder after the rename
// into it (fsync), as filing will once it makes each photo durable before counting it.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "bench_app.h"
#include "filing_watch.h"
#include "plain_write.h"

namespace {

using Clock = FilingWatch::Clock;

constexpr long long kPhotoBytes = 25'000'000;
constexpr int kWarmUpShots = 10;
constexpr auto kBusyEvery = std::chrono::milliseconds(1000);
constexpr auto kBusyFor = std::chrono::milliseconds(150);

double percentile(std::vector<double> values, double p) {
  std::sort(values.begin(), values.end());
  const auto at = static_cast<std::size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
  return values[std::min(at, values.size() - 1)];
}

double ms(Clock::duration span) {
  return std::chrono::duration<double, std::milli>(span).count();
}

struct ShotRun {
  // Announcement to arrival in the person's folder, per shot.
  std::vector<double> latencies;
  // Before each shot, from the previous photo standing in the folder to this shot's announcement:
  // the loop's own bookkeeping, the removal of the filed photo and the way of the next shutter
  // press to the camera. Nothing for the first shot.
  std::vector<Clock::duration> waits;
};

// Shoots `shots` photos one at a time, each after the previous one is filed and filing is idle,
// removing each filed photo as it goes. False (after saying why) when a shot was not filed.
bool shootOneAtATime(BenchApp& bench, FilingWatch& watch, const QString& person, int shots,
                     ShotRun& run) {
  const std::size_t arrivedBefore = watch.arrived();
  const std::size_t announcedBefore = watch.announced();
  for (int shot = 0; shot < shots; ++shot) {
    bench.app().camera().takePhoto();
    const auto n = static_cast<std::size_t>(shot) + 1;
    if (!bench.waitFor(
            [&] {
              return watch.arrived() >= arrivedBefore + n &&
                     watch.announced() >= announcedBefore + n;
            },
            60000)) {
      std::fprintf(stderr, "shot %d was not filed within a minute\n", shot + 1);
      return false;
    }
    // Let the application finish its bookkeeping for this shot before the next one.
    bench.waitFor([&] { return bench.app().filing().filingIdle(); }, 10000);
    const auto arrivals = watch.arrivals();
    const auto announcements = watch.announcements();
    const auto& arrival = arrivals[arrivedBefore + n - 1];
    const Clock::time_point announced = announcements[announcedBefore + n - 1];
    run.latencies.push_back(ms(arrival.at - announced));
    run.waits.push_back(shot == 0 ? Clock::duration::zero()
                                  : announced - arrivals[arrivedBefore + n - 2].at);
    QFile::remove(person + QStringLiteral("/") + QString::fromStdString(arrival.name));
  }
  return true;
}

// The file-system work of the shots without the camera, the worker's pipe or the controller: per
// file, 25 MB written under a hidden temporary name in the download folder and renamed to its own
// name there (as the worker saves a download), then renamed into a person's folder (as filing
// does); timed from the first write to the rename into the folder. Runs on a thread of its own,
// like the worker and the filing thread, while the window's thread serves events.
//
// The pace is the shots' own: before each file the loop waits as long as the shot loop waited
// between the previous photo standing in the folder and the next announcement. Back to back would
// not be the same: the kernel writes dirty pages back in the background on its own clock, and how
// much of that overlaps the next file depends on how long the disk is left alone in between. The
// filed file is removed at the start of that wait, as the shot loop removes each photo.
bool plainLoop(const QString& downloads, const QString& folder,
               const std::vector<Clock::duration>& waits, bool sync, std::vector<double>& times) {
  const std::string download = downloads.toStdString();
  const std::string person = folder.toStdString();
  Clock::time_point lastEnd = Clock::now();
  for (std::size_t i = 0; i < waits.size(); ++i) {
    std::this_thread::sleep_until(lastEnd + waits[i]);
    char name[32];
    std::snprintf(name, sizeof name, "IMG_%04zu.JPG", i + 1);
    const std::string temporary = download + "/." + name + ".vantrel_tmp";
    const std::string saved = download + "/" + name;
    const std::string filed = person + "/" + name;

    const Clock::time_point start = Clock::now();
    if (!writePlainFile(temporary, kPhotoBytes, sync)) {
      std::fprintf(stderr, "cannot write %s: %s\n", temporary.c_str(), std::strerror(errno));
      return false;
    }
    if (std::rename(temporary.c_str(), saved.c_str()) != 0 ||
        std::rename(saved.c_str(), filed.c_str()) != 0 || (sync && !syncFolder(person))) {
      std::fprintf(stderr, "cannot file %s: %s\n", name, std::strerror(errno));
      return false;
    }
    lastEnd = Clock::now();
    times.push_back(ms(lastEnd - start));
    std::remove(filed.c_str());
  }
  return true;
}

void printRun(const char* label, const std::vector<double>& latencies, double plainMedian,
              double plainP99) {
  const double median = percentile(latencies, 0.5);
  const double p99 = percentile(latencies, 0.99);
  std::printf("  %-13s median %7.1f ms (%+7.1f ms, %5.2fx), 99th %% %7.1f ms (%+7.1f ms, %5.2fx)\n",
              label, median, median - plainMedian, median / plainMedian, p99, p99 - plainP99,
              p99 / plainP99);
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication qt(argc, argv);
  int shots = 200;
  bool sync = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--sync") == 0) {
      sync = true;
    } else {
      shots = std::max(1, std::atoi(argv[i]));
    }
  }

  BenchApp bench({{"Ann", "", "0", ""}},
                 {{QStringLiteral("VANTREL_SIM_IMAGE_BYTES"), QString::number(kPhotoBytes)}});
  const QString person = bench.photos() + QStringLiteral("/Ann");
  const std::unique_ptr<FilingWatch> watching = bench.startShooting(QStringLiteral("Ann"));
  if (!watching) return 1;
  FilingWatch& watch = *watching;

  // A few shots first, not counted: the first photos after connecting meet threads, caches and
  // timers of the start-up that a shoot day meets once.
  ShotRun warmUp;
  if (!shootOneAtATime(bench, watch, person, kWarmUpShots, warmUp)) return 1;
  ShotRun quiet;
  if (!shootOneAtATime(bench, watch, person, shots, quiet)) return 1;

  // The plain loop files into a folder of its own: the watch only counts what arrives for Ann.
  const QString plainFolder = bench.photos() + QStringLiteral("/Plain");
  QDir().mkpath(plainFolder);
  std::vector<double> plain;
  std::atomic<bool> plainDone = false;
  bool plainOk = false;
  std::thread plainThread([&] {
    plainOk = plainLoop(bench.photos(), plainFolder, quiet.waits, sync, plain);
    plainDone = true;
  });
  bench.waitFor([&] { return plainDone.load(); }, 30 * 60 * 1000);
  plainThread.join();
  if (!plainOk) return 1;

  // The window's thread blocked for a while every second, from a timer of its own.
  QTimer busy;
  busy.setTimerType(Qt::PreciseTimer);
  busy.setInterval(kBusyEvery);
  QObject::connect(&busy, &QTimer::timeout, [] { std::this_thread::sleep_for(kBusyFor); });
  busy.start();
  ShotRun blocked;
  const bool blockedOk = shootOneAtATime(bench, watch, person, shots, blocked);
  busy.stop();
  if (!blockedOk) return 1;

  std::vector<double> waits;
  for (std::size_t i = 1; i < quiet.waits.size(); ++i) waits.push_back(ms(quiet.waits[i]));
  const double plainMedian = percentile(plain, 0.5);
  const double plainP99 = percentile(plain, 0.99);
  std::printf("Shutter to filed, %d shots of %lld MB, one at a time\n", shots,
              kPhotoBytes / 1'000'000);
  std::printf(
      "  plain loop: median %.1f ms, 99th %% %.1f ms (write, rename, rename into a folder%s; "
      "median wait between files %.1f ms, as between the shots)\n",
      plainMedian, plainP99, sync ? ", fdatasync and folder fsync" : ", no sync",
      waits.empty() ? 0.0 : percentile(waits, 0.5));
  printRun("shots:", quiet.latencies, plainMedian, plainP99);
  printRun("busy window:", blocked.latencies, plainMedian, plainP99);
  std::printf("  (busy window: the window's thread blocked %lld ms every %lld ms)\n",
              static_cast<long long>(kBusyFor.count()), static_cast<long long>(kBusyEvery.count()));
  std::printf("  fastest/slowest: plain %.1f/%.1f ms, shots %.1f/%.1f ms, busy %.1f/%.1f ms\n",
              percentile(plain, 0.0), percentile(plain, 1.0), percentile(quiet.latencies, 0.0),
              percentile(quiet.latencies, 1.0), percentile(blocked.latencies, 0.0),
              percentile(blocked.latencies, 1.0));
  return 0;
}
