#include "transfer_calls.h"

#include <chrono>
#include <cstdio>
#include <thread>

#include "shot_files.h"

namespace simcam {
namespace {

EdsError finish_item(SimState& state, std::string_view name, EdsDirectoryItemRef ref) {
  if (!state.initialized) return state.not_initialized(name);
  auto* item = state.find<DirectoryItemObject>(ref, name);
  if (item == nullptr) return state.logged(name, "name=", eds::kInvalidHandle);
  item->finished = true;
  return state.logged(name, "name=" + item->name, eds::kOk);
}

}  // namespace

EdsError get_directory_item_info(SimState& state, EdsDirectoryItemRef ref,
                                 EdsDirectoryItemInfo* out_info) {
  constexpr std::string_view kName = "EdsGetDirectoryItemInfo";
  if (!state.initialized) return state.not_initialized(kName);
  const auto* item = state.find<DirectoryItemObject>(ref, kName);
  if (item == nullptr) return state.logged(kName, "name= size=0", eds::kInvalidHandle);
  const std::string fields = "name=" + item->name + " size=" + std::to_string(item->size);
  if (out_info == nullptr) return state.logged(kName, fields, eds::kInvalidParameter);
  if (const auto failure = state.failure_for(kName)) return state.logged(kName, fields, *failure);
  *out_info = EdsDirectoryItemInfo{};
  out_info->size = item->size;
  out_info->isFolder = 0;
  std::snprintf(out_info->szFileName, sizeof out_info->szFileName, "%s", item->name.c_str());
  out_info->format = item->format;
  out_info->dateTime = item->date_time;
  return state.logged(kName, fields, eds::kOk);
}

EdsError create_file_stream(SimState& state, const char* path, uint32_t disposition,
                            uint32_t access, EdsStreamRef* out_stream) {
  constexpr std::string_view kName = "EdsCreateFileStream";
  if (!state.initialized) return state.not_initialized(kName);
  const std::string fields = "disposition=" + std::to_string(disposition) +
                             " access=" + std::to_string(access) +
                             " path=" + (path != nullptr ? path : "");
  if (path == nullptr || out_stream == nullptr ||
      disposition != eds::kFileCreateDispositionCreateAlways || access != eds::kAccessReadWrite) {
    return state.logged(kName, fields, eds::kInvalidParameter);
  }
  std::FILE* file = std::fopen(path, "wb");
  if (file == nullptr) return state.logged(kName, fields, eds::kFileIoError);
  *out_stream =
      state.objects.add(FileStreamObject{path, std::shared_ptr<std::FILE>(file, std::fclose)});
  return state.logged(kName, fields, eds::kOk);
}

EdsError download_complete(SimState& state, EdsDirectoryItemRef ref) {
  return finish_item(state, "EdsDownloadComplete", ref);
}

EdsError download_cancel(SimState& state, EdsDirectoryItemRef ref) {
  return finish_item(state, "EdsDownloadCancel", ref);
}

EdsError prepare_download(SimState& state, EdsDirectoryItemRef item_ref, uint64_t size,
                          EdsStreamRef stream_ref, DownloadJob& job) {
  constexpr std::string_view kName = "EdsDownload";
  if (!state.initialized) return state.not_initialized(kName);
  const auto* item = state.find<DirectoryItemObject>(item_ref, kName);
  const auto* stream = state.find<FileStreamObject>(stream_ref, kName);
  job.log_fields =
      "name=" + (item != nullptr ? item->name : std::string()) + " size=" + std::to_string(size);
  if (item == nullptr || stream == nullptr) {
    return state.logged(kName, job.log_fields, eds::kInvalidHandle);
  }
  if (!state.connected(item->device, item->generation)) {
    return state.logged(kName, job.log_fields, eds::kCommDisconnected);
  }
  if (size != item->size) return state.logged(kName, job.log_fields, eds::kInvalidParameter);
  job.fail = state.failing_downloads_left > 0;
  if (job.fail) --state.failing_downloads_left;
  job.file = stream->file;
  job.content = item->content;
  job.size = size;
  job.format = item->format;
  job.delay_ms = state.config.download_delay_ms;
  return eds::kOk;
}

EdsError DownloadJob::run() const {
  if (delay_ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(delay_ms));
  const std::vector<uint8_t> bytes = downloaded_bytes(format, *content, size);
  // A failing download leaves half a file behind, as an interrupted transfer would.
  const std::size_t count = fail ? bytes.size() / 2 : bytes.size();
  if (count > 0 && std::fwrite(bytes.data(), 1, count, file.get()) != count) {
    return eds::kFileIoError;
  }
  if (std::fflush(file.get()) != 0) return eds::kFileIoError;
  return fail ? kDownloadFailed : eds::kOk;
}

}  // namespace simcam
