#include "yearbook_exporter.h"

#include <algorithm>
#include <ctime>

#include "atomic_file.h"
#include "entered_text.h"
#include "index_file.h"
#include "package_file_names.h"
#include "package_place.h"
#include "package_staging.h"
#include "package_texts.h"
#include "person_record.h"
#include "portrait_choice.h"
#include "portrait_writer.h"
#include "yearbook_fields.h"

namespace vantrel::yearbook {

namespace fs = std::filesystem;
using names::ModelRow;

namespace {

struct Candidate {
  ModelRow row = names::kNoRow;
  fs::path photo;
};

MissingReason missingReason(PortraitProblem problem) {
  switch (problem) {
    case PortraitProblem::OnlyRawPhotos:
      return MissingReason::OnlyRawPhotos;
    case PortraitProblem::NoJpegPhoto:
      return MissingReason::NoJpegPhoto;
    default:
      return MissingReason::NoPhoto;
  }
}

std::string todayText() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[16];
  std::strftime(text, sizeof text, "%Y-%m-%d", &local);
  return text;
}

YearbookResult failed(YearbookResult result, YearbookError error, std::string message) {
  result.error = error;
  result.message = std::move(message);
  result.exported = 0;
  result.assignedFileNames.clear();
  return result;
}

std::string missingMessage(const std::vector<MissingPortrait>& missing) {
  std::string message = std::to_string(missing.size()) +
                        (missing.size() == 1 ? " person has" : " people have") +
                        " no portrait, so nothing was written:";
  for (const MissingPortrait& person : missing)
    message += "\n  " + person.name + ": " + missingReasonText(person);
  return message;
}

}  // namespace

YearbookResult exportYearbook(const names::NamesList& list, const fs::path& targetFolder,
                              const fs::path& outputFolder, const YearbookOptions& options,
                              const YearbookProgress& progress, const std::atomic<bool>* cancel) {
  YearbookResult result;
  const PlaceProblem place =
      packagePlaceProblem(targetFolder, outputFolder, options.volumeName, options.replace);
  if (place.error != YearbookError::None) return failed(result, place.error, place.message);

  std::vector<Candidate> candidates;
  PackageFileNames fileNames;
  int people = 0;
  for (ModelRow row = 0; row < list.rowCount(); ++row) {
    const std::string_view name = names::trimWhitespace(list.nameForModelRow(row));
    if (name.empty()) continue;
    ++people;
    fileNames.reserveHeldName(list.fieldValue(row, kYearbookFileField), row);
    const PortraitChoice choice = choosePortrait(list, row, targetFolder);
    if (choice.problem == PortraitProblem::None)
      candidates.push_back({row, choice.source});
    else
      result.missing.push_back({row, std::string(name), missingReason(choice.problem), {}});
  }
  if (people == 0) return failed(result, YearbookError::NoPeople, "The list has no names.");
  if (options.requireAll && !result.missing.empty())
    return failed(result, YearbookError::MissingPortraits, missingMessage(result.missing));
  if (candidates.empty())
    return failed(result, YearbookError::NoPortraits, "No one in the list has a portrait.");

  const fs::path package = outputFolder / options.volumeName;
  PackageStaging staging(package);
  if (!staging.ok()) return failed(result, YearbookError::WriteFailed, staging.error());
  const fs::path images = staging.folder() / kImageFolderName;
  std::error_code error;
  if (!fs::create_directory(images, error))
    return failed(result, YearbookError::WriteFailed,
                  "cannot make the image folder: " + error.message());

  std::vector<IndexRecord> records;
  const int total = static_cast<int>(candidates.size());
  for (int done = 0; done < total; ++done) {
    if (cancel && cancel->load()) return failed(result, YearbookError::Cancelled, "Cancelled.");
    const Candidate& person = candidates[static_cast<std::size_t>(done)];
    const std::string_view held = list.fieldValue(person.row, kYearbookFileField);
    const std::string fileName =
        fileNames.assign(held, list.nameForModelRow(person.row), person.row);
    std::string detail;
    const PortraitOutcome outcome =
        writePortrait(person.photo, images / fileName, options.size, options.headroom, detail);
    if (outcome == PortraitOutcome::NotWritten)
      return failed(result, YearbookError::WriteFailed, fileName + ": " + detail);
    if (outcome == PortraitOutcome::Unreadable) {
      result.missing.push_back(
          {person.row, std::string(names::trimWhitespace(list.nameForModelRow(person.row))),
           MissingReason::Unreadable, person.photo.native() + " " + detail});
      if (options.requireAll)
        return failed(result, YearbookError::MissingPortraits, missingMessage(result.missing));
    } else {
      IndexRecord record = personIndexRecord(list, person.row, options.mapping);
      record[static_cast<std::size_t>(PspaColumn::VolumeName)] = options.volumeName;
      record[static_cast<std::size_t>(PspaColumn::ImageFolder)] = kImageFolderName;
      record[static_cast<std::size_t>(PspaColumn::ImageFileName)] = fileName;
      record[static_cast<std::size_t>(PspaColumn::ImageSize)] = imageSizeLabel(options.size);
      records.push_back(std::move(record));
      if (fileName != held) result.assignedFileNames.emplace_back(person.row, fileName);
      ++result.exported;
    }
    if (progress) progress(done + 1, total);
  }
  std::sort(result.missing.begin(), result.missing.end(),
            [](const MissingPortrait& a, const MissingPortrait& b) { return a.row < b.row; });
  if (result.exported == 0)
    return failed(result, YearbookError::NoPortraits, "No one's photo could be read.");

  const PackageSummary summary{options.volumeName, options.size, result.exported, todayText()};
  if (!write_file_atomically(staging.folder() / kIndexFileName, indexFileText(records)) ||
      !write_file_atomically(staging.folder() / kCopyrightFileName,
                             copyrightText(options.copyright)) ||
      !write_file_atomically(staging.folder() / kReadmeFileName, readmeText(summary)))
    return failed(result, YearbookError::WriteFailed, "cannot write the package's text files");
  if (!staging.commit(options.replace))
    return failed(result, YearbookError::WriteFailed, staging.error());
  return result;
}

}  // namespace vantrel::yearbook
