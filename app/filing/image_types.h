// Which files are photos: the counts, the folder rename and the preview all ask these.
#pragma once

#include <string_view>

namespace vantrel::filing {

// jpg, jpeg, png, tif, tiff, heic, heif, cr2, cr3, crw, raw, dng, nef or arw, in any case.
// A name without an extension is not an image.
bool isImageFileName(std::string_view nameOrPath);

// The six image types the preview can show: jpg, jpeg, png, tif, tiff, heic.
bool isPreviewableImagePath(std::string_view path);

}  // namespace vantrel::filing
