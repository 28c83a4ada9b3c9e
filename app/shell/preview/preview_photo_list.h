// The photos the preview steps through: every previewable image under a folder, found by its
// file-name bytes (a person's folder need not be UTF-8), oldest first.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The previewable images anywhere under `folder`, by modification time (an unreadable time counts
// as the oldest; equal times keep the listing's order). Folders that cannot be read are skipped.
std::vector<std::string> previewablePhotosByAge(const std::filesystem::path& folder);
