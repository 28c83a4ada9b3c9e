#include "yearbook_result.h"

#include "csv_line.h"

namespace vantrel::yearbook {

std::string missingReasonText(const MissingPortrait& missing) {
  switch (missing.reason) {
    case MissingReason::NoPhoto:
      return "no photo";
    case MissingReason::OnlyRawPhotos:
      return "only raw photos, which cannot be made into a portrait";
    case MissingReason::NoJpegPhoto:
      return "no JPEG photo";
    case MissingReason::Unreadable:
      return "the photo " + missing.detail;
  }
  return {};
}

std::string missingPortraitsCsv(const std::vector<MissingPortrait>& missing) {
  std::string text = "Name,Reason\r\n";
  for (const MissingPortrait& person : missing)
    text += names::csv_escape_cell(person.name) + "," +
            names::csv_escape_cell(missingReasonText(person)) + "\r\n";
  return text;
}

}  // namespace vantrel::yearbook
