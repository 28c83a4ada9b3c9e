#include "photo_refiling.h"

#include <system_error>

#include "capture_filing.h"
#include "capture_naming.h"

namespace vantrel::filing {

namespace fs = std::filesystem;

namespace {

// Filing's questions answered for one photo: the chosen person with the photo's own tags, and
// the application's counter.
class RefilingHost : public FilingHost {
 public:
  RefilingHost(PublishedFilingState& state, const PersonChoice& person)
      : state_(state), person_(person) {}

  void setSuffixString(std::string suffixString) { suffixString_ = std::move(suffixString); }
  bool counterChanged() const { return counterChanged_; }

  // The photo stays on the volume it is on: no room is needed.
  std::optional<std::uint64_t> freeBytesOnTargetVolume() override { return std::nullopt; }
  FilingSnapshot snapshotForFiling() override {
    FilingSnapshot snapshot = state_.snapshot();
    snapshot.personName = person_.personName;
    snapshot.captureRow = person_.captureRow;
    snapshot.suffixString = suffixString_;
    return snapshot;
  }
  void advanceCounter(std::int64_t next) override {
    counterChanged_ = state_.advanceCounterPast(next) || counterChanged_;
  }

 private:
  PublishedFilingState& state_;
  const PersonChoice& person_;
  std::string suffixString_;
  bool counterChanged_ = false;
};

bool isFile(const fs::path& path) {
  std::error_code error;
  return fs::is_regular_file(path, error);
}

}  // namespace

RefilingResult refileForPerson(const std::vector<FiledPhoto>& photos, const PersonChoice& person,
                               PublishedFilingState& state) {
  RefilingResult result;
  const fs::path target = state.snapshot().targetFolder;
  RefilingHost host(state, person);
  for (const FiledPhoto& photo : photos) {
    if (!isFile(photo.path)) {
      ++result.missing;
      continue;
    }
    const fs::path folder = target / personFolderName(person.personName, photo.suffixString);
    if (photo.path.parent_path().lexically_normal() == folder.lexically_normal()) {
      ++result.alreadyThere;
      continue;
    }
    host.setSuffixString(photo.suffixString);
    const FilingResult filed = renameDownloadedFile(photo.path, host);
    if (filed.savedPath) {
      result.moved.push_back({photo.path, *filed.savedPath});
    } else if (result.firstError.empty()) {
      result.firstError = filed.error;
    }
  }
  result.counterChanged = host.counterChanged();
  return result;
}

}  // namespace vantrel::filing
