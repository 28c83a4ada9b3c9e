#include "package_texts.h"

#include "entered_text.h"
#include "index_file.h"
#include "plural.h"

namespace vantrel::yearbook {

namespace {

// Joins lines with CR LF after each.
std::string windowsLines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += kLineEnd;
  }
  return text;
}

std::string columnList() {
  std::string list;
  for (PspaColumn column : kPspaColumns) {
    if (!list.empty()) list += ", ";
    list += pspaColumnName(column);
  }
  return list;
}

}  // namespace

std::string readmeText(const PackageSummary& summary) {
  const PixelSize pixels = pixelSize(summary.size);
  const std::string images = std::string(kImageFolderName) + "/";
  return windowsLines({
      "Yearbook portrait package " + summary.volumeName,
      "Made by Vantrel Photo Tether on " + summary.date + ".",
      "",
      "It follows the PSPA Digital Data & Image Format Guidelines for school photography and",
      "yearbook publication.",
      "",
      std::string(kIndexFileName) + "      the header row, then " + counted(summary.people, "row") +
          ", one per person.",
      "               Tab-separated, UTF-8 text; every line ends in CR LF (carriage return,",
      "               line feed). Columns: " + columnList() + ".",
      images + "        " + counted(summary.people, "portrait") + ", JPEG, " +
          std::to_string(pixels.width) + " x " + std::to_string(pixels.height) +
          " pixels (ratio 0.8, Image Size " + std::string(imageSizeLabel(summary.size)) +
          "), sRGB, 300 dpi.",
      std::string(kCopyrightFileName) + "  the photographer's copyright notice.",
      std::string(kReadmeFileName) + "     this file.",
      "",
      "Image file names never change between deliveries: a later package names the same",
      "person's portrait the same way.",
  });
}

std::string copyrightText(std::string_view notice) {
  const std::string_view trimmed = names::trimWhitespace(notice);
  if (trimmed.empty()) return windowsLines({"All rights reserved by the photographer."});
  std::string text;
  for (std::size_t start = 0; start <= trimmed.size();) {
    std::size_t end = trimmed.find('\n', start);
    if (end == std::string_view::npos) end = trimmed.size();
    std::string_view line = trimmed.substr(start, end - start);
    if (line.ends_with('\r')) line.remove_suffix(1);
    text += line;
    text += kLineEnd;
    start = end + 1;
  }
  return text;
}

}  // namespace vantrel::yearbook
