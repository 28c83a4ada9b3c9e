// Folders, photos and lists for the yearbook tests: real JPEGs with a coloured marker on one
// side, optionally with an EXIF orientation, so that a test sees where that side ends up.
#pragma once

#include <QColor>
#include <QImage>
#include <filesystem>
#include <string>
#include <vector>

#include "names_list.h"

namespace vantrel::yearbook::testing {

// A fresh folder under the temporary folder, removed with everything in it at the end.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

inline const QColor kMarker{220, 20, 20};
inline const QColor kBackground{40, 90, 200};

// A JPEG of width × height as stored: the background, with the marker filling the left eighth of
// the stored pixels. With `exifOrientation` (1 to 8) an EXIF block carrying it is put right after
// the start of the file, as cameras do.
void writeJpeg(const std::filesystem::path& path, int width, int height, int exifOrientation = 0);

// The bytes of a JPEG with an EXIF orientation block put in after its first two bytes.
std::string withExifOrientation(const std::string& jpeg, int orientation);

std::string readBytes(const std::filesystem::path& path);
void writeBytes(const std::filesystem::path& path, const std::string& bytes);

QImage readImage(const std::filesystem::path& path);

// Whether a colour is near another (JPEG moves colours a little).
bool near(const QColor& a, const QColor& b, int tolerance = 40);

// Whether the JPEG's frame is baseline (SOF0) rather than progressive (SOF2) or extended.
bool isBaselineJpeg(const std::string& bytes);

// A list of people with fields: rows of name then field values.
names::NamesList listWithFields(const std::vector<std::string>& fieldNames,
                                const std::vector<std::vector<std::string>>& people);

// The names of the entries of a folder, sorted.
std::vector<std::string> entryNames(const std::filesystem::path& folder);

}  // namespace vantrel::yearbook::testing
