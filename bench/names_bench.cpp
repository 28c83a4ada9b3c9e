// Times the names list operations that run on every change or keystroke, for a list of
// 10,000 names. Prints figures and ratios against a baseline measured in the same run; it never
// passes or fails on time.
#include <fcntl.h>
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

#include "grid_format.h"
#include "grid_store.h"
#include "names_list.h"
#include "text_folding.h"

namespace fs = std::filesystem;
using namespace vantrel::names;

namespace {

constexpr int kNames = 10000;

}  // namespace

int main() {
  const fs::path dir =
      fs::temp_directory_path() / ("vantrel_names_bench_" + std::to_string(getpid()));
  fs::create_directories(dir);
  const fs::path storePath = dir / "vantrel_grid.csv";

  NamesList list;
  list.replaceRows(makeRoster(kNames));
  GridStore store(storePath);
  const std::string bytes = formatGrid(list.rows(), GridColumns::NameNoteCountMarker);
  std::printf("Names list, %d names, store %.0f KiB (median of repeated runs)\n\n", kNames,
              bytes.size() / 1024.0);

  // Baseline for writing: the same bytes written in place with no temporary file and no fsync,
  // i.e. the cheapest write that is not crash-safe.
  const double plainWrite = medianMs(15, [&] { std::ofstream(dir / "plain.csv") << bytes; });
  std::printf("Store write\n");
  report("format only",
         medianMs(15, [&] { (void)formatGrid(list.rows(), GridColumns::NameNoteCountMarker); }),
         "plain write", plainWrite);
  report("atomic write (temp file, fsync, rename)", medianMs(15, [&] { store.save(list); }),
         "plain write", plainWrite);

  // Baseline for loading: the file's bytes read with one POSIX read, nothing parsed.
  std::string raw(bytes.size() + 1, '\0');
  const double plainRead = medianMs(15, [&] {
    const int fd = ::open(storePath.c_str(), O_RDONLY);
    if (fd >= 0 && ::read(fd, raw.data(), raw.size()) < 0) std::perror("read");
    if (fd >= 0) ::close(fd);
  });
  std::printf("Load\n");
  report("loadGridFromDisk",
         medianMs(15,
                  [&] {
                    NamesList loaded;
                    GridStore(storePath).loadGridFromDisk(loaded);
                  }),
         "read bytes", plainRead);

  // Baseline for search: a bare substring scan over names lower-cased in advance.
  std::vector<std::string> lowered;
  for (const Row& row : list.rows()) lowered.push_back(utf8FallbackLower(row[0] + " " + row[1]));
  std::vector<ModelRow> hits;
  const double bareScan = medianMs(51, [&] {
    hits.clear();
    for (std::size_t i = 0; i < lowered.size(); ++i)
      if (lowered[i].find("ann l") != std::string::npos) hits.push_back(static_cast<ModelRow>(i));
  });

  std::printf("Search keystroke (display-order rebuild)\n");
  NamesList fresh;
  fresh.replaceRows(makeRoster(kNames));
  fresh.setSearchText("a");
  report("first filter after load (folds every row)",
         medianMs(1, [&] { fresh.applySearchFilter(); }), "bare scan", bareScan);
  const char* typed[] = {"a", "an", "ann", "ann ", "ann l"};
  int next = 0;
  const double keystroke = medianMs(51, [&] {
    list.setSearchText(typed[next++ % 5]);
    list.applySearchFilter();
  });
  report("keystroke, list order", keystroke, "bare scan", bareScan);
  list.cycleSortMode();
  list.applySearchFilter();
  report("keystroke, sorted A to Z",
         medianMs(51,
                  [&] {
                    list.setSearchText(typed[next++ % 5]);
                    list.applySearchFilter();
                  }),
         "bare scan", bareScan);
  report("keystroke after a rename, sorted (re-sorts)",
         medianMs(11,
                  [&] {
                    list.setNameFromEdit(next % kNames, "Renamed " + std::to_string(next));
                    list.setSearchText(typed[next++ % 5]);
                    list.applySearchFilter();
                  }),
         "bare scan", bareScan);
  list.cycleSortMode();
  list.cycleSortMode();

  std::printf("Other per-change work\n");
  report("note keystroke + duplicateNameSet",
         medianMs(21,
                  [&] {
                    list.setNote(next % kNames, "note " + std::to_string(next));
                    ++next;
                    (void)list.duplicateNameSet();
                  }),
         "bare scan", bareScan);
  report("drag reorder (first row to the end)",
         medianMs(21,
                  [&] {
                    list.setSearchText("");
                    list.reorderByDrop(0, kNames);
                  }),
         "bare scan", bareScan);

  fs::remove_all(dir);
  return 0;
}
