// Whose photo a file in the target folder is, and how a chosen yearbook portrait follows its
// photo when photos are renamed or moved to another person.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "names_list.h"

namespace vantrel::yearbook {

// The photo's path relative to the target folder with '/' between the parts (the form of the
// Yearbook Photo field); empty when the photo is not inside the target folder.
std::string photoPathInTarget(const std::filesystem::path& targetFolder,
                              const std::filesystem::path& photo);

// True when a folder of that name holds the person's photos: their sanitised name, or it
// followed by "_" and a tag.
bool folderBelongsToPerson(std::string_view folderName, std::string_view personName);

// The person a photo directly inside a folder of the target folder belongs to. Of several
// (Ann and Ann_Lee both claim "Ann_Lee"), the longest name wins; of people of that same name,
// `preferred` when it is one of them, else the first in list order.
std::optional<names::ModelRow> ownerOfPhoto(const names::NamesList& list,
                                            const std::filesystem::path& targetFolder,
                                            const std::filesystem::path& photo,
                                            names::ModelRow preferred = names::kNoRow);

// Photos were renamed or moved (old path, new path). A Yearbook Photo that named an old path
// moves with it: to the person who owns the new path, unless that person chose a portrait of
// their own; the person who held it is left without a choice when it went to someone else or
// out of the target folder. Returns the rows whose field changed.
std::vector<names::ModelRow> followPortraitRenames(
    names::NamesList& list, const std::filesystem::path& targetFolder,
    const std::vector<std::pair<std::string, std::string>>& renames);

}  // namespace vantrel::yearbook
