#include "filed_photos.h"

#include <algorithm>
#include <unordered_map>

namespace vantrel::filing {

void FiledPhotos::add(FiledPhoto photo) {
  photos_.push_back(std::move(photo));
  while (photos_.size() > kKept) photos_.pop_front();
}

std::vector<FiledPhoto> FiledPhotos::last(std::size_t count) const {
  const std::size_t taken = std::min(count, photos_.size());
  return {photos_.end() - static_cast<std::ptrdiff_t>(taken), photos_.end()};
}

void FiledPhotos::followRenames(const std::vector<PhotoRename>& renames) {
  std::unordered_map<std::string, std::filesystem::path> renamed;
  for (const PhotoRename& rename : renames) renamed[rename.from.native()] = rename.to;
  for (FiledPhoto& photo : photos_) {
    if (const auto found = renamed.find(photo.path.native()); found != renamed.end())
      photo.path = found->second;
  }
}

}  // namespace vantrel::filing
