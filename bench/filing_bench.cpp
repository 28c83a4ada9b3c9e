// Times the recount of photo counts from disk for 2,000 names with 20,000 photos in 2,000
// folders, against one plain recursive listing of the same tree, and against looking every
// name up with its own listing of the target folder. Prints figures; never passes or fails on
// time.
#include <unistd.h>
#include "bench_roster.h"
#include "bench_timing.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "capture_naming.h"
#include "names_list.h"
#include "photo_folders.h"
#include "photo_recount.h"

namespace fs = std::filesystem;
using vantrel::names::NamesList;
using vantrel::names::Row;
using namespace vantrel::filing;

namespace {

constexpr int kNames = 2000;
constexpr int kPhotosPerFolder = 10;

// One folder per name, every fourth one tagged "_FR", each with ten photos.
void makeTree(const fs::path& target, const std::vector<Row>& rows) {
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const std::string folderName = personFolderName(rows[i][0], i % 4 == 3 ? "_FR" : "");
    fs::create_directories(target / folderName);
    for (int n = 1; n <= kPhotosPerFolder; ++n)
      std::ofstream(target / folderName / captureFileName(folderName, n, "JPG"));
  }
}

}  // namespace

int main() {
  const fs::path target =
      fs::temp_directory_path() / ("vantrel_filing_bench_" + std::to_string(::getpid()));
  fs::remove_all(target);
  const std::vector<Row> roster = makeRoster(kNames);
  makeTree(target, roster);

  std::size_t entries = 0;
  const auto listTree = [&] {
    entries = 0;
    for (auto it = fs::recursive_directory_iterator(target);
         it != fs::recursive_directory_iterator(); ++it)
      ++entries;
  };
  listTree();  // warms the caches for everyone

  NamesList list;
  const double baselineMs = medianMs(9, listTree);
  const double recountMs = medianMs(9, [&] {
    list.replaceRows(roster);
    syncCapturedCountsFromDisk(list, target);
  });
  // The direct way: every name lists the target folder, then its own folders.
  std::vector<std::int64_t> direct(roster.size());
  const double perNameMs = medianMs(3, [&] {
    for (std::size_t i = 0; i < roster.size(); ++i) {
      std::int64_t count = 0;
      for (const auto& folder : foldersForRowName(target, sanitize_filename(roster[i][0])))
        count += imageCountInFolder(folder);
      direct[i] = count;
    }
  });

  bool agree = true;
  std::int64_t photos = 0;
  for (std::size_t i = 0; i < roster.size(); ++i) {
    agree = agree && list.capturedForModelRow(static_cast<std::int64_t>(i)) == direct[i];
    photos += direct[i];
  }

  std::printf("Recount of %d names, %lld photos in %d folders (%zu entries in the tree)\n", kNames,
              static_cast<long long>(photos), kNames, entries);
  std::printf("  %-44s %9.3f ms\n", "recursive listing of the tree (baseline)", baselineMs);
  std::printf("  %-44s %9.3f ms   %6.2fx baseline\n", "recount (target folder listed once)",
              recountMs, recountMs / baselineMs);
  std::printf("  %-44s %9.3f ms   %6.2fx baseline\n", "per-name lookups (target listed per name)",
              perNameMs, perNameMs / baselineMs);
  std::printf("  counts agree with per-name lookups: %s\n", agree ? "yes" : "NO");

  fs::remove_all(target);
  return agree ? 0 : 1;
}
