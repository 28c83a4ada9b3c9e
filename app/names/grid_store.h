// The working copy of the list on disk, rewritten whole after every change so that the list,
// its notes, counts and markers survive a restart without the user saving anything.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "names_list.h"
#include "names_types.h"

namespace vantrel::names {

class GridStore {
 public:
  // The application computes the path (its data folder, "vantrel_grid.csv").
  explicit GridStore(std::filesystem::path path) : path_(std::move(path)) {}
  const std::filesystem::path& path() const { return path_; }

  // Writes rows in the grid format through a temporary file and a rename. False when the file
  // could not be written completely; the previous file is then left as it was.
  static bool writeGridToPath(const std::filesystem::path& path, const std::vector<Row>& rows,
                              GridColumns columns, const std::vector<std::string>& fieldNames = {});

  // Replaces the list's rows and fields from the store. Without a store file the list is left
  // untouched; an unreadable one empties it. True when at least one row was loaded.
  bool loadGridFromDisk(NamesList& list);

  // Writes the list when it changed since the last load or write, so a change is stored once
  // however many callers ask. True when the store holds the list afterwards.
  bool saveIfChanged(const NamesList& list);
  bool save(const NamesList& list);

  // The reset: deletes the store (errors ignored) and counts the list as stored.
  void discard(const NamesList& list);

 private:
  std::filesystem::path path_;
  std::optional<std::uint64_t> storedRevision_;
};

}  // namespace vantrel::names
