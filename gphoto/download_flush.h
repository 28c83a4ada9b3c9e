// A download is only done once its bytes are on the disk: in computer-only mode the camera's copy
// is deleted right after, so the file and its folder entry are flushed first.
#pragma once

#include <cstdint>
#include <string>

#include "edsdk_api.h"

namespace gphoto {

// Checks that fd (the file at path) holds expected bytes (any number when expected is 0), then
// flushes the file and its folder. kOk, or kFileIoError when a check or a flush fails.
EdsError flush_download(int fd, const std::string& path, uint64_t expected);

}  // namespace gphoto
