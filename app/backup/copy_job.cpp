#include "copy_job.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "backup_paths.h"
#include "copy_placement.h"
#include "disk_flush.h"
#include "path_inside.h"

namespace vantrel::backup {

namespace fs = std::filesystem;

namespace {

// One photo of a run: its result, or the copy written and still to be placed.
struct Step {
  const CopyJob* job = nullptr;
  std::optional<CopyResult> result;
  std::unique_ptr<CopyPlacement> placement;
  std::uintmax_t bytesWritten = 0;  // by the copy still to be placed
  // The photo before its bytes were read, for the record of verified copies.
  std::optional<VerifiedCopies::Stamp> stamp;
  // The copy was renamed into place or found under a name: its folder is flushed before it counts.
  bool flushFolder = false;
};

class RunState {
 public:
  RunState(const CopyRun& run, const FolderCheck& backupFolderReachable,
           const TargetCheck& targetFolder)
      : run_(run), backupFolderReachable_(backupFolderReachable), targetFolder_(targetFolder) {}

  // The backup folder is looked at once per run, when the first photo needs it.
  bool backupFolderReachable(const CopyJob& job) {
    if (!reachable_) {
      std::error_code ignored;
      reachable_ = backupFolderReachable_ ? backupFolderReachable_(job.backupDir)
                                          : fs::is_directory(job.backupDir, ignored);
    }
    return *reachable_;
  }

  // A photo that is gone or cannot be read, looked at again with its drive in mind.
  CopyResult photoProblem(const CopyJob& job, CopyResult result) {
    const bool inTarget =
        !job.targetDir.empty() && relative_path_inside(job.targetDir, job.source).has_value();
    if (result.outcome == CopyOutcome::FileRefused) {
      if (inTarget && targetFolder(job) == TargetFolderState::Away)
        return {CopyOutcome::TargetAway, {}, {}};
      return result;
    }
    if (result.outcome != CopyOutcome::SourceMissing) return result;
    // Gone counts as deleted only where the photo's drive is known to be there: the target folder
    // on the mount point recorded for it or, when none is, the photo's own folder still there
    // (an unplugged drive's mount point is an empty folder).
    if (inTarget) {
      switch (targetFolder(job)) {
        case TargetFolderState::Away:
          return {CopyOutcome::TargetAway, {}, {}};
        case TargetFolderState::OnItsDrive:
          return result;
        case TargetFolderState::Present:
          break;
      }
    }
    std::error_code ignored;
    if (fs::is_directory(fs::path{job.source}.parent_path(), ignored)) return result;
    // Without a target folder nothing tells a deleted folder from an absent drive: it waits. A
    // photo of another target folder must not hold up the photos of this one.
    if (inTarget || job.targetDir.empty()) return {CopyOutcome::TargetAway, {}, {}};
    return {CopyOutcome::FileRefused, kPhotoFolderGoneText, {}};
  }

  void stepDone() const {
    if (run_.progress) ++*run_.progress;
  }

 private:
  TargetFolderState targetFolder(const CopyJob& job) {
    if (!target_) {
      std::error_code ignored;
      target_ = targetFolder_                              ? targetFolder_(job.targetDir)
                : fs::is_directory(job.targetDir, ignored) ? TargetFolderState::Present
                                                           : TargetFolderState::Away;
    }
    return *target_;
  }

  const CopyRun& run_;
  const FolderCheck& backupFolderReachable_;
  const TargetCheck& targetFolder_;
  std::optional<bool> reachable_;
  std::optional<TargetFolderState> target_;
};

Step finished(const CopyJob& job, CopyResult result) {
  Step step;
  step.job = &job;
  step.result = std::move(result);
  return step;
}

// Everything up to the copy written under its temporary name.
Step writeStep(const CopyJob& job, const FileCopier& copy, RunState& state) {
  const fs::path source{job.source};
  std::error_code statusError;
  const fs::file_status status = fs::status(source, statusError);
  if (!fs::exists(status)) {
    if (statusError && statusError != std::errc::no_such_file_or_directory)
      return finished(job, resultForCopyError({statusError, true}));
    return finished(job, {CopyOutcome::SourceMissing, {}, {}});
  }
  if (!state.backupFolderReachable(job)) return finished(job, {CopyOutcome::Failed, {}, {}});

  if (job.verified) {
    if (std::optional<fs::path> vouched = job.verified->vouchedCopy(source))
      return finished(job, {CopyOutcome::Copied, {}, vouched->string()});
  }
  if (fs::is_directory(status))
    return finished(job,
                    resultForCopyError({std::make_error_code(std::errc::is_a_directory), true}));
  const std::uintmax_t size = fileSizeOrZero(source);
  if (size == 0) return finished(job, {CopyOutcome::FileRefused, kEmptyPhotoText, {}});

  std::error_code folderError;
  fs::create_directories(fs::path{job.destination}.parent_path(), folderError);
  if (folderError) return finished(job, resultForCopyError({folderError, false}));
  Step step;
  step.job = &job;
  step.stamp = VerifiedCopies::stampOf(source);
  auto placement = std::make_unique<CopyPlacement>(job, copy, size);
  if (std::optional<CopyResult> done = placement->prepare()) {
    step.flushFolder = done->outcome == CopyOutcome::Copied;  // found under a name
    step.result = std::move(*done);
  } else {
    step.placement = std::move(placement);
    step.bytesWritten = size;
  }
  return step;
}

Step firstStep(const CopyJob& job, const FileCopier& copy, RunState& state) {
  Step step = writeStep(job, copy, state);
  if (step.result) step.result = state.photoProblem(job, std::move(*step.result));
  return step;
}

// Every copy written in step one, flushed together.
std::vector<std::error_code> flushCopies(const std::vector<Step>& steps) {
  std::vector<fs::path> copies;
  for (const Step& step : steps)
    if (step.placement) copies.push_back(step.placement->temporaryCopy());
  return flush_files_together(copies);
}

// A copy counts only once the renames into its folder are on the disk: each folder is flushed
// once, after the last rename into it (all of them together), and a folder that cannot be flushed
// fails its copies.
void flushFolders(std::vector<Step>& steps) {
  std::vector<fs::path> folders;
  const auto folderOf = [](const Step& step) -> std::optional<fs::path> {
    if (!step.flushFolder || step.result->outcome != CopyOutcome::Copied) return std::nullopt;
    return fs::path{step.result->copiedTo}.parent_path();
  };
  for (const Step& step : steps) {
    const std::optional<fs::path> folder = folderOf(step);
    if (folder && std::find(folders.begin(), folders.end(), *folder) == folders.end())
      folders.push_back(*folder);
  }
  const std::vector<std::error_code> errors = flush_folders_together(folders);
  for (Step& step : steps) {
    const std::optional<fs::path> folder = folderOf(step);
    if (!folder) continue;
    const auto at = std::find(folders.begin(), folders.end(), *folder) - folders.begin();
    if (const std::error_code& error = errors[static_cast<std::size_t>(at)])
      step.result = resultForCopyError({error, false});
  }
}

}  // namespace

bool copyFileContents(const fs::path& from, const fs::path& to, CopyError& error) {
  return copy_file_exclusively(from, to, error, CopyFlush::by_caller);
}

std::vector<CopyResult> runCopyJobs(const CopyRun& run, const FileCopier& copy,
                                    const FolderCheck& backupFolderReachable,
                                    const TargetCheck& targetFolder) {
  RunState state(run, backupFolderReachable, targetFolder);
  std::vector<Step> steps;
  std::uintmax_t written = 0;
  // Every copy is written first, so the drive writes them back while the next one is read...
  for (const CopyJob& job : run.jobs) {
    if (!steps.empty() && written >= kMostBytesPerRun) break;
    steps.push_back(firstStep(job, copy, state));
    state.stepDone();
    written += steps.back().bytesWritten;
    if (steps.back().result && pausesBackup(steps.back().result->outcome)) break;
  }
  // ...then flushed, all together, and renamed in order. After a failure that pauses the backup
  // the rest of the run waits in the queue, its temporary copies removed.
  const std::vector<std::error_code> flushErrors = flushCopies(steps);
  std::size_t flushed = 0;
  for (std::size_t i = 0; i < steps.size(); ++i) {
    Step& step = steps[i];
    if (step.placement) {
      step.result = state.photoProblem(*step.job, step.placement->place(flushErrors[flushed++]));
      step.placement.reset();
      step.flushFolder = step.result->outcome == CopyOutcome::Copied;
      state.stepDone();
    }
    if (pausesBackup(step.result->outcome)) {
      steps.erase(steps.begin() + static_cast<std::ptrdiff_t>(i) + 1, steps.end());
      break;
    }
  }
  flushFolders(steps);

  std::vector<CopyResult> results;
  for (Step& step : steps) {
    const bool placed = step.flushFolder && step.result->outcome == CopyOutcome::Copied;
    if (placed && step.job->verified)
      step.job->verified->record(step.job->source, step.result->copiedTo, step.stamp);
    results.push_back(std::move(*step.result));
    if (pausesBackup(results.back().outcome)) break;
  }
  return results;
}

CopyResult runCopyJob(const CopyJob& job, const FileCopier& copy,
                      const FolderCheck& backupFolderReachable, const TargetCheck& targetFolder) {
  return runCopyJobs({0, {job}, nullptr}, copy, backupFolderReachable, targetFolder).front();
}

}  // namespace vantrel::backup
