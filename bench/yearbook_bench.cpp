// A yearbook package of 200 people from 24-megapixel (6000×4000) JPEGs, against decoding the same
// 200 JPEGs alone at full size with QImageReader. The sources are hard links to three generated
// photos (one stored turned, with an EXIF orientation), read once before timing so that both
// runs find them in the page cache. Prints figures; never passes or fails.
//
//   yearbook_bench [people=200]
#include <unistd.h>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "bench_timing.h"
#include "column_guess.h"
#include "names_list.h"
#include "yearbook_exporter.h"

namespace fs = std::filesystem;
using namespace vantrel;

namespace {

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;

// A photo-like picture: smooth gradients with fine grain, so the encoder has real work.
std::string photoBytes(int seed) {
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  std::mt19937 random(static_cast<unsigned>(seed));
  for (int y = 0; y < kHeight; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < kWidth; ++x) {
      const int grain = static_cast<int>(random() % 24);
      line[x] =
          qRgb((x * 200 / kWidth + grain + seed * 30) & 255, (y * 220 / kHeight + grain) & 255,
               ((x + y) * 160 / (kWidth + kHeight) + grain) & 255);
    }
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "JPEG", 92);
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// The same bytes with an EXIF orientation 6 block after the start of the file.
std::string turned(const std::string& jpeg) {
  std::string exif("Exif\0\0MM\0\x2A\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0\x06\0\0\0\0\0\0",
                   32);
  return jpeg.substr(0, 2) + std::string("\xFF\xE1\0\x22", 4) + exif + jpeg.substr(2);
}

void writeBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace

int main(int argc, char** argv) {
  const int people = argc > 1 && std::atoi(argv[1]) > 0 ? std::atoi(argv[1]) : 200;
  const fs::path work =
      fs::temp_directory_path() / ("vantrel_yearbook_bench_" + std::to_string(::getpid()));
  const fs::path target = work / "target";
  const fs::path out = work / "out";
  fs::create_directories(target);
  fs::create_directories(out);

  std::vector<fs::path> originals;
  for (int i = 0; i < 3; ++i) {
    originals.push_back(work / ("photo" + std::to_string(i) + ".jpg"));
    const std::string bytes = photoBytes(i);
    writeBytes(originals.back(), i == 2 ? turned(bytes) : bytes);
  }
  std::vector<names::Row> rows;
  std::vector<fs::path> sources;
  for (int i = 0; i < people; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "Person %03d", i + 1);
    rows.push_back(
        {name, "", "1", "", std::to_string(5 + i % 4), "Teacher " + std::to_string(i % 9)});
    fs::create_directories(target / name);
    sources.push_back(target / name / (std::string(name) + "_0001.JPG"));
    fs::create_hard_link(originals[static_cast<std::size_t>(i) % originals.size()], sources.back());
  }
  names::NamesList list;
  list.replaceRows(rows, {"Grade", "Teacher"});
  for (const fs::path& photo : originals) {
    std::ifstream in(photo, std::ios::binary);
    std::string ignored((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }

  long long decodedPixels = 0;
  const double decodeMs = medianMs(1, [&] {
    for (const fs::path& source : sources) {
      QImageReader reader(QFile::decodeName(QByteArray(source.c_str())));
      const QImage image = reader.read();
      decodedPixels += static_cast<long long>(image.width()) * image.height();
    }
  });

  yearbook::YearbookOptions options;
  options.volumeName = "Bench";
  options.mapping = yearbook::guessColumnMapping(list.fieldNames());
  yearbook::YearbookResult result;
  const double exportMs =
      medianMs(1, [&] { result = yearbook::exportYearbook(list, target, out, options); });

  std::printf("Yearbook package of %d people from %dx%d JPEGs (%.1f MB each, hard links to 3)\n",
              people, kWidth, kHeight, static_cast<double>(fs::file_size(originals[0])) / 1e6);
  report("decode the JPEGs at full size (baseline)", decodeMs, "baseline", decodeMs);
  report("export the package (640x800, quality 90)", exportMs, "baseline", decodeMs);
  std::printf("  per person: %.1f ms decoding, %.1f ms exporting\n", decodeMs / people,
              exportMs / people);
  std::printf("  exported %d of %d; decoded %.1f megapixels per photo\n", result.exported, people,
              static_cast<double>(decodedPixels) / people / 1e6);
  if (!result.ok()) std::printf("  warning: the export failed: %s\n", result.message.c_str());
  std::error_code ignored;
  fs::remove_all(work, ignored);
  return 0;
}
