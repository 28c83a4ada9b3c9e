// Backup throughput against `cp -r` of the same files in the same run: the copy job one photo at
// a time (temporary name, size check, flush, rename into place, folder flush, record of verified
// copies), the same in runs as the queue hands them out, and the whole queue (each photo queued
// as it is filed, the queue file rewritten as photos are queued and as each run ends). Speeds are
// given as a share of cp's: without and with the final `sync` that puts cp's copies on the disk,
// for the best time of each over all rounds, and (with sync) round by round against that round's
// cp: the median, lowest and highest. Prints figures; never passes or fails.
//
//   backup_bench [files=100] [megabytes per file=20] [folder for the data=temp dir] [rounds=5]
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "backup_coordinator.h"
#include "copy_job.h"

namespace fs = std::filesystem;
using namespace vantrel::backup;

namespace {

// Removes the bench's data whatever happens.
class WorkDir {
 public:
  explicit WorkDir(fs::path path) : path_(std::move(path)) { fs::create_directories(path_); }
  ~WorkDir() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  WorkDir(const WorkDir&) = delete;
  WorkDir& operator=(const WorkDir&) = delete;
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

long argumentOr(int argc, char** argv, int index, long fallback) {
  if (argc <= index) return fallback;
  const long value = std::strtol(argv[index], nullptr, 10);
  return value > 0 ? value : fallback;
}

std::string shellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// Incompressible bytes, so that no file system can take a shortcut.
void writeNoise(const fs::path& path, std::uintmax_t bytes, std::uint64_t seed) {
  std::vector<std::uint64_t> block(1 << 17);  // 1 MiB
  std::ofstream out(path, std::ios::binary);
  for (std::uintmax_t written = 0; written < bytes;) {
    for (std::uint64_t& word : block) {
      seed ^= seed << 13;
      seed ^= seed >> 7;
      seed ^= seed << 17;
      word = seed;
    }
    const std::uintmax_t chunk =
        std::min<std::uintmax_t>(bytes - written, block.size() * sizeof(std::uint64_t));
    out.write(reinterpret_cast<const char*>(block.data()), static_cast<std::streamsize>(chunk));
    written += chunk;
  }
}

struct Timing {
  double copied = 1e30;  // seconds until the last copy returned
  double onDisk = 1e30;  // seconds until the data was flushed as well

  void keepBest(const Timing& other) {
    copied = std::min(copied, other.copied);
    onDisk = std::min(onDisk, other.onDisk);
  }
};

// One way of copying over all rounds: its best times, and its speed with sync as a share of cp's
// in each round, against that round's own cp (a shared machine makes rounds differ).
struct Phase {
  Timing best;
  std::vector<double> shareOfCp;

  void add(const Timing& round, const Timing& cpRound) {
    best.keepBest(round);
    shareOfCp.push_back(cpRound.onDisk / round.onDisk);
  }
};

template <typename Work>
Timing timed(Work work) {
  ::sync();  // earlier phases' dirty pages must not slow this one
  const auto start = std::chrono::steady_clock::now();
  work();
  const auto copied = std::chrono::steady_clock::now();
  ::sync();
  const auto flushed = std::chrono::steady_clock::now();
  return {std::chrono::duration<double>(copied - start).count(),
          std::chrono::duration<double>(flushed - start).count()};
}

void report(const char* what, const Phase& phase, const Phase& baseline, double megabytes) {
  const Timing& timing = phase.best;
  const Timing& cp = baseline.best;
  std::vector<double> shares = phase.shareOfCp;
  std::sort(shares.begin(), shares.end());
  std::printf(
      "  %-34s %6.2f s %7.1f MB/s %5.2fx cp | with sync %6.2f s %7.1f MB/s %5.2fx cp"
      " | rounds %5.2fx (%4.2f-%4.2f)\n",
      what, timing.copied, megabytes / timing.copied, cp.copied / timing.copied, timing.onDisk,
      megabytes / timing.onDisk, cp.onDisk / timing.onDisk, shares[shares.size() / 2],
      shares.front(), shares.back());
}

bool sameSizes(const std::vector<std::string>& relatives, const fs::path& from,
               const fs::path& to) {
  for (const std::string& relative : relatives) {
    std::error_code fromError, toError;
    if (fs::file_size(from / relative, fromError) != fs::file_size(to / relative, toError) ||
        fromError || toError)
      return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const long files = argumentOr(argc, argv, 1, 100);
  const long megabytes = argumentOr(argc, argv, 2, 20);
  const fs::path base = argc > 3 && *argv[3] ? fs::path(argv[3]) : fs::temp_directory_path();
  const long rounds = argumentOr(argc, argv, 4, 5);
  const std::uintmax_t fileBytes = static_cast<std::uintmax_t>(megabytes) << 20;
  const std::uintmax_t total = fileBytes * static_cast<std::uintmax_t>(files);

  // The sources and one set of copies exist at a time, plus room to spare.
  std::error_code error;
  const fs::space_info space = fs::space(base, error);
  const std::uintmax_t needed = 2 * total + (std::uintmax_t{512} << 20);
  if (error || space.available < needed) {
    std::fprintf(stderr, "backup_bench: %s has %.1f GB free, %.1f GB needed; use fewer files\n",
                 base.c_str(), error ? 0.0 : space.available / 1e9, needed / 1e9);
    return 1;
  }

  WorkDir work(base / ("vantrel_backup_bench_" + std::to_string(::getpid())));
  const fs::path target = work.path() / "target";
  const fs::path backup = work.path() / "backup";
  std::vector<std::string> relatives;
  for (long i = 0; i < files; ++i) {
    const std::string person = "Person " + std::to_string(i % 10);
    char name[64];
    std::snprintf(name, sizeof name, "%s_%04ld.CR3", person.c_str(), i / 10 + 1);
    relatives.push_back(person + "/" + name);
    fs::create_directories(target / person);
    writeNoise(target / relatives.back(), fileBytes, 0x9E3779B97F4A7C15ull + i);
  }
  const double totalMB = static_cast<double>(total) / 1e6;
  std::printf("Backup of %ld files of %ld MiB (%.0f MB) in %s, %ld rounds\n", files, megabytes,
              totalMB, work.path().c_str(), rounds);

  const std::string cpCommand =
      "cp -r " + shellQuoted(target.string()) + " " + shellQuoted(backup.string());
  bool allCopied = true;
  Phase cp, single, runs, queued;
  const auto jobsFor = [&](std::size_t first, std::size_t count, VerifiedCopies& record) {
    std::vector<CopyJob> jobs;
    for (std::size_t i = first; i < std::min(relatives.size(), first + count); ++i)
      jobs.push_back({(target / relatives[i]).string(), backup.string(),
                      (backup / relatives[i]).string(), &record, target.string()});
    return jobs;
  };
  const auto freshRecord = [&] {
    std::error_code ignored;
    fs::remove(work.path() / kVerifiedCopiesFileName, ignored);
    fs::remove(work.path() / kVerifiedCopiesJournalName, ignored);
    return std::make_unique<VerifiedCopies>(work.path() / kVerifiedCopiesFileName);
  };
  // Alternating rounds, so that none pays for going first.
  for (long round = 0; round < rounds; ++round) {
    int cpStatus = 0;
    const Timing cpRound = timed([&] { cpStatus = std::system(cpCommand.c_str()); });
    cp.add(cpRound, cpRound);
    allCopied = allCopied && cpStatus == 0 && sameSizes(relatives, target, backup);
    fs::remove_all(backup);

    fs::create_directories(backup);
    std::unique_ptr<VerifiedCopies> record = freshRecord();
    single.add(timed([&] {
                 for (std::size_t i = 0; i < relatives.size(); ++i) {
                   allCopied =
                       runCopyJob(jobsFor(i, 1, *record).front()).outcome == CopyOutcome::Copied &&
                       allCopied;
                 }
               }),
               cpRound);
    allCopied = allCopied && sameSizes(relatives, target, backup);
    fs::remove_all(backup);

    fs::create_directories(backup);
    record = freshRecord();
    runs.add(timed([&] {
               for (std::size_t done = 0; done < relatives.size();) {
                 const std::vector<CopyResult> results =
                     runCopyJobs({0, jobsFor(done, kMostPhotosPerRun, *record), nullptr});
                 for (const CopyResult& result : results)
                   allCopied = result.outcome == CopyOutcome::Copied && allCopied;
                 done += results.size();
               }
             }),
             cpRound);
    allCopied = allCopied && sameSizes(relatives, target, backup);
    fs::remove_all(backup);

    // As the application runs it: each photo queued as it is filed (the queue file rewritten
    // and flushed each time), then copied run by run, the file rewritten after each run.
    fs::create_directories(backup);
    record = freshRecord();
    BackupCoordinator coordinator(work.path() / "backup_queue.plist");
    coordinator.restoreSettings(backup.string(), true);
    coordinator.setTargetDir(target.string());
    queued.add(timed([&] {
                 for (const std::string& relative : relatives)
                   coordinator.backupSavedFile((target / relative).string());
                 while (const std::optional<CopyRun> next = coordinator.processBackupQueue())
                   coordinator.finishJob(*next, runCopyJobs(*next));
               }),
               cpRound);
    allCopied = allCopied && coordinator.queue().empty() && sameSizes(relatives, target, backup);
    fs::remove_all(backup);
  }

  report("cp -r (baseline)", cp, cp, totalMB);
  report("copy job, one photo at a time", single, cp, totalMB);
  report("copy job, runs of the queue's head", runs, cp, totalMB);
  report("queue + copy runs + queue file", queued, cp, totalMB);
  if (!allCopied) std::printf("  warning: some copies did not complete\n");
  return allCopied ? 0 : 1;
}
