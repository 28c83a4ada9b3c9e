// The application's memory: its controller and window with an empty list, with 10,000 names, and
// with 10,000 names and a 45-megapixel JPEG in the preview. Each case runs in a fresh process of
// this program, so one cannot inherit another's heap. Also times reading that JPEG for the preview
// against decoding it in full, in this process.
//
//   app_memory_bench
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "bench_app.h"
#include "bench_roster.h"
#include "bench_timing.h"
#include "preview_image.h"

namespace {

constexpr int kNames = 10000;
constexpr QSize kPhotoSize(8256, 5504);  // 45.4 megapixels

// A kibibyte figure from /proc/self/status ("VmRSS", "VmHWM").
long statusKiB(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(field, 0) == 0) return std::stol(line.substr(std::strlen(field) + 1));
  }
  return -1;
}

// A photo-like 45-megapixel JPEG: gradients with grain, so it compresses like a real one.
QString write45MegapixelJpeg(const QString& folder) {
  QImage image(kPhotoSize, QImage::Format_RGB32);
  uint32_t seed = 12345;
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      seed = seed * 1664525u + 1013904223u;
      const int grain = static_cast<int>(seed >> 28);
      line[x] = qRgb((x * 255 / image.width() + grain) & 0xFF, (y * 255 / image.height()) & 0xFF,
                     (128 + grain * 4) & 0xFF);
    }
  }
  const QString path = folder + QStringLiteral("/photo45.jpg");
  QImageWriter writer(path, "jpeg");
  writer.setQuality(90);
  writer.write(image);
  return path;
}

// One case in this process: prints "rss hwm" in KiB.
int runCase(const QString& which, const QString& photo) {
  const bool withNames = which != QStringLiteral("empty");
  BenchApp bench(withNames ? makeRoster(kNames) : std::vector<vantrel::names::Row>{}, {});
  if (!bench.launch(false)) return 1;
  bench.waitFor([] { return false; }, 1000);  // let the window settle
  if (which == QStringLiteral("preview")) {
    const QString download = bench.photos() + QStringLiteral("/IMG_0001.JPG");
    QFile::copy(photo, download);
    bench.app().camera().handleWorkerLine("DOWNLOADED|" + download.toStdString());
    if (!bench.waitFor([&] { return !bench.app().preview().currentPreviewPath().isEmpty(); },
                       20000)) {
      return 1;
    }
    bench.waitFor([] { return false; }, 1000);
  }
  std::printf("%ld %ld\n", statusKiB("VmRSS:"), statusKiB("VmHWM:"));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication qt(argc, argv);
  if (argc > 2 && std::strcmp(argv[1], "--case") == 0) {
    return runCase(QString::fromLocal8Bit(argv[2]),
                   argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString());
  }

  QTemporaryDir scratch;
  const QString photo = write45MegapixelJpeg(scratch.path());
  // The baseline decodes the whole picture, which Qt refuses by default above 128 MB.
  const int limit = QImageReader::allocationLimit();
  QImageReader::setAllocationLimit(0);
  const double fullMs = medianMs(3, [&] { QImage full(photo); });
  QImageReader::setAllocationLimit(limit);
  const double previewMs = medianMs(
      3, [&] { loadPreviewImage(QFile::encodeName(photo).toStdString(), QSize(900, 700)); });

  std::printf("Application memory (resident, peak), %d names, %dx%d JPEG of %.1f MB\n", kNames,
              kPhotoSize.width(), kPhotoSize.height(),
              static_cast<double>(QFile(photo).size()) / 1e6);
  long baseline = 0;
  for (const char* which : {"empty", "names", "preview"}) {
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--case"), QString::fromLatin1(which), photo});
    child.waitForFinished(120000);
    long rss = 0, hwm = 0;
    if (child.exitCode() != 0 ||
        std::sscanf(child.readAllStandardOutput().constData(), "%ld %ld", &rss, &hwm) != 2) {
      std::fprintf(stderr, "case %s failed\n", which);
      return 1;
    }
    if (baseline == 0) baseline = rss;
    const char* label = std::strcmp(which, "empty") == 0   ? "empty list, no preview"
                        : std::strcmp(which, "names") == 0 ? "10,000 names"
                                                           : "10,000 names + 45 MP preview";
    std::printf("  %-32s %7.1f MB resident (%+.1f MB over empty), peak %7.1f MB\n", label,
                rss / 1024.0, (rss - baseline) / 1024.0, hwm / 1024.0);
  }
  std::printf(
      "  reading the JPEG for the preview %7.1f ms   %5.2fx decoding it in full (%.1f ms)\n",
      previewMs, previewMs / fullMs, fullMs);
  return 0;
}
