// The photos filed this session, in filing order, so that the last few can be moved to another
// person when they were shot for the wrong one. Kept in memory only: after a restart whole
// folders are repaired instead (Rename Folder & Images…).
#pragma once

#include <cstddef>
#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include "folder_rename.h"

namespace vantrel::filing {

struct FiledPhoto {
  std::filesystem::path path;  // where the photo is now
  std::string suffixString;    // the tags it was filed with; a move keeps them

  bool operator==(const FiledPhoto&) const = default;
};

class FiledPhotos {
 public:
  // The oldest are forgotten past this many: nobody moves a thousand photos back by count.
  static constexpr std::size_t kKept = 1000;

  void add(FiledPhoto photo);
  std::size_t size() const { return photos_.size(); }
  bool empty() const { return photos_.empty(); }
  // The last `count` photos filed, oldest first (all of them when there are fewer).
  std::vector<FiledPhoto> last(std::size_t count) const;
  // Photos renamed or moved (a folder renamed, photos moved to another person): their entries
  // follow them and keep their place in the filing order.
  void followRenames(const std::vector<PhotoRename>& renames);

 private:
  std::deque<FiledPhoto> photos_;
};

}  // namespace vantrel::filing
