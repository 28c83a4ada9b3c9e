#include "yearbook_test_support.h"

#include <unistd.h>

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <algorithm>
#include <atomic>
#include <fstream>
#include <sstream>

namespace vantrel::yearbook::testing {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
  static std::atomic<int> counter{0};
  path_ = fs::temp_directory_path() /
          ("vantrel_yearbook_test_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
  fs::remove_all(path_);
  fs::create_directories(path_);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

std::string withExifOrientation(const std::string& jpeg, int orientation) {
  // "Exif\0\0", a big-endian TIFF header, one IFD with one SHORT entry (0x0112), no next IFD.
  std::string exif("Exif\0\0", 6);
  exif += std::string("MM\0\x2A\0\0\0\x08", 8);
  exif += std::string("\0\x01", 2);
  exif += std::string("\x01\x12\0\x03\0\0\0\x01", 8);
  exif += static_cast<char>(0);
  exif += static_cast<char>(orientation);
  exif += std::string("\0\0", 2);
  exif += std::string("\0\0\0\0", 4);
  const std::size_t length = exif.size() + 2;
  std::string segment = "\xFF\xE1";
  segment += static_cast<char>(length >> 8);
  segment += static_cast<char>(length & 0xFF);
  return jpeg.substr(0, 2) + segment + exif + jpeg.substr(2);
}

void writeJpeg(const fs::path& path, int width, int height, int exifOrientation) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(kBackground);
  QPainter(&image).fillRect(0, 0, width / 8, height, kMarker);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "JPEG", 95);
  std::string jpeg(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  fs::create_directories(path.parent_path());
  writeBytes(path, exifOrientation > 0 ? withExifOrientation(jpeg, exifOrientation) : jpeg);
}

std::string readBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void writeBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

QImage readImage(const fs::path& path) {
  return QImage(QFile::decodeName(QByteArray(path.c_str())));
}

bool near(const QColor& a, const QColor& b, int tolerance) {
  return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
         std::abs(a.blue() - b.blue()) <= tolerance;
}

bool isBaselineJpeg(const std::string& bytes) {
  // Walks the segments up to the frame header.
  std::size_t pos = 2;
  while (pos + 4 <= bytes.size() && static_cast<unsigned char>(bytes[pos]) == 0xFF) {
    const auto marker = static_cast<unsigned char>(bytes[pos + 1]);
    if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
      return marker == 0xC0;
    const std::size_t length = static_cast<unsigned char>(bytes[pos + 2]) * 256u +
                               static_cast<unsigned char>(bytes[pos + 3]);
    pos += 2 + length;
  }
  return false;
}

names::NamesList listWithFields(const std::vector<std::string>& fieldNames,
                                const std::vector<std::vector<std::string>>& people) {
  std::vector<names::Row> rows;
  for (const auto& person : people) {
    names::Row row{person.at(0), "", "0", ""};
    row.insert(row.end(), person.begin() + 1, person.end());
    rows.push_back(std::move(row));
  }
  names::NamesList list;
  list.replaceRows(std::move(rows), fieldNames);
  return list;
}

std::vector<std::string> entryNames(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.push_back(entry.path().filename().native());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace vantrel::yearbook::testing
