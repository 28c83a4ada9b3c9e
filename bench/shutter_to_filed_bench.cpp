// Shutter to filed: from the simulated camera announcing a new photo to that photo standing in the
// person's folder, through the real worker, the controller and its filing thread. One shot at a
// time, each of 25 MB, against the time it takes to write 25 MB to the same disk once.
//
//   shutter_to_filed_bench [shots, default 200]
#include <QApplication>
#include <QDir>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench_app.h"
#include "bench_timing.h"
#include "filing_watch.h"
#include "plain_write.h"

namespace {

constexpr long long kPhotoBytes = 25'000'000;

double percentile(std::vector<double> values, double p) {
  std::sort(values.begin(), values.end());
  const auto at = static_cast<std::size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
  return values[std::min(at, values.size() - 1)];
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication qt(argc, argv);
  const int shots = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;

  BenchApp bench({{"Ann", "", "0", ""}},
                 {{QStringLiteral("VANTREL_SIM_IMAGE_BYTES"), QString::number(kPhotoBytes)}});
  const QString person = bench.photos() + QStringLiteral("/Ann");
  const std::unique_ptr<FilingWatch> watching = bench.startShooting(QStringLiteral("Ann"));
  if (!watching) return 1;
  FilingWatch& watch = *watching;

  const QString scratch = bench.photos() + QStringLiteral("/baseline.bin");
  const double writeMs = medianMs(9, [&] {
    writePlainFile(scratch.toStdString(), kPhotoBytes);
    QFile::remove(scratch);
  });

  std::vector<double> latencies;
  for (int shot = 0; shot < shots; ++shot) {
    bench.app().camera().takePhoto();
    const auto filed = static_cast<std::size_t>(shot) + 1;
    if (!bench.waitFor([&] { return watch.arrived() >= filed && watch.announced() >= filed; },
                       60000)) {
      std::fprintf(stderr, "shot %d was not filed within a minute\n", shot + 1);
      return 1;
    }
    // Let the application finish its bookkeeping for this shot before the next one.
    bench.waitFor([&] { return bench.app().filing().filingIdle(); }, 10000);
    const auto arrival = watch.arrivals().back();
    const auto announced = watch.announcements().back();
    latencies.push_back(std::chrono::duration<double, std::milli>(arrival.at - announced).count());
    QFile::remove(person + QStringLiteral("/") + QString::fromStdString(arrival.name));
  }

  const double median = percentile(latencies, 0.5);
  const double p99 = percentile(latencies, 0.99);
  std::printf("Shutter to filed, %d shots of %lld MB, one at a time\n", shots,
              kPhotoBytes / 1'000'000);
  std::printf("  median  %8.1f ms   %5.2fx writing 25 MB once (%.1f ms)\n", median,
              median / writeMs, writeMs);
  std::printf("  99th %%  %8.1f ms   %5.2fx\n", p99, p99 / writeMs);
  std::printf("  fastest %8.1f ms, slowest %.1f ms\n", percentile(latencies, 0.0),
              percentile(latencies, 1.0));
  return 0;
}
