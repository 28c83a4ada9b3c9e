// The transfer side of the vendor interface: item info, file streams and downloads. The functions
// expect the simulator's mutex held, except DownloadJob::run, which writes the file without it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "sim_state.h"

namespace simcam {

// What a download made to fail by VANTREL_SIM_FAIL_DOWNLOADS returns.
constexpr EdsError kDownloadFailed = eds::kInternalError;

EdsError get_directory_item_info(SimState& state, EdsDirectoryItemRef ref,
                                 EdsDirectoryItemInfo* out_info);
// Only create-always with read-write access, which is what a transfer needs.
EdsError create_file_stream(SimState& state, const char* path, uint32_t disposition,
                            uint32_t access, EdsStreamRef* out_stream);
EdsError download_complete(SimState& state, EdsDirectoryItemRef ref);
EdsError download_cancel(SimState& state, EdsDirectoryItemRef ref);

// One EdsDownload, checked under the mutex and then run without it.
struct DownloadJob {
  std::string log_fields;
  std::shared_ptr<std::FILE> file;
  std::shared_ptr<const std::vector<uint8_t>> content;
  uint64_t size = 0;
  uint32_t format = 0;  // the object format: a JPEG is padded, a raw file grown
  bool fail = false;    // writes half the file, then fails
  uint64_t delay_ms = 0;

  EdsError run() const;
};

// Checks the call and fills job; anything but kOk has been logged already. The size asked for
// must be the item's whole size: a transfer has no reason to ask for less.
EdsError prepare_download(SimState& state, EdsDirectoryItemRef item_ref, uint64_t size,
                          EdsStreamRef stream_ref, DownloadJob& job);

}  // namespace simcam
