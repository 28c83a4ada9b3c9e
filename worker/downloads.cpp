// Object, property and state events, and the download of each new image: into a hidden temporary
// file first, then renamed, so that a DOWNLOADED| line only ever names a complete file.
#include <cstring>
#include <ctime>
#include <filesystem>
#include <sstream>

#include "canon_cpp_worker.h"
#include "line_writer.h"
#include "no_replace_rename.h"

namespace fs = std::filesystem;

namespace {

constexpr int kMaxCollisionSuffix = 9999;

// The camera's own file name, reduced to a plain name: a name carrying folders must never make
// us write outside the download folder, and a control byte (a line break above all) would split
// the protocol line that announces the photo, so each becomes "_".
std::string capture_file_name(const char* camera_name) {
  std::string name = fs::path(camera_name).filename().string();
  for (char& c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7f) c = '_';
  }
  if (name.empty() || name == "." || name == "..") {
    name = "capture_" + std::to_string(static_cast<long long>(std::time(nullptr))) + ".jpg";
  }
  return name;
}

}  // namespace

std::string CanonCppWorker::ptr_string(const void* pointer) {
  std::ostringstream text;
  text << pointer;
  return text.str();
}

EdsError CanonCppWorker::object_callback(uint32_t event, EdsBaseRef object, void* context) {
  if (context == nullptr) return eds::kOk;
  auto* self = static_cast<CanonCppWorker*>(context);
  const auto start = WorkerClock::now();
  const uint64_t id = ++self->object_event_count;
  if (self->verbose) {
    out("LOG|[CPP_WORKER] ObjectCallback ENTER id=" + std::to_string(id) +
        " event=" + hex_err(event) + " object=" + ptr_string(object));
  }
  if (event == eds::kObjectEventDirItemRequestTransfer && object != nullptr) {
    const bool capture = self->capture_enabled.load();
    out("CAPTURE_EVENT|event=" + hex_err(event) + "|id=" + std::to_string(id));
    out("LOG|[CPP_WORKER] DirItemRequestTransfer SEEN id=" + std::to_string(id) +
        " capture_enabled=" + (capture ? "1" : "0"));
    if (!capture) {
      out("WARN|CAPTURE_IGNORED_NOT_WATCHING|Start Watching is not active. Transfer object "
          "canceled/released without download.");
      if (self->sdk.EdsDownloadCancel != nullptr) {
        const EdsError err = self->sdk.EdsDownloadCancel(object);
        out("LOG|[CPP_WORKER] EdsDownloadCancel(skipped transfer)=" + hex_err(err));
      }
      self->sdk.EdsRelease(object);
      return eds::kOk;
    }
    self->download_item(object, id);
  } else if (object != nullptr) {
    self->sdk.EdsRelease(object);
  }
  if (self->verbose) {
    const double elapsed = std::chrono::duration<double>(WorkerClock::now() - start).count();
    out("LOG|[CPP_WORKER] ObjectCallback EXIT id=" + std::to_string(id) +
        " elapsed=" + fixed3(elapsed) + "s");
  }
  return eds::kOk;
}

EdsError CanonCppWorker::property_callback(uint32_t, uint32_t, uint32_t, void*) {
  return eds::kOk;
}

EdsError CanonCppWorker::state_callback(uint32_t event, uint32_t, void* context) {
  if (context == nullptr) return eds::kOk;
  auto* self = static_cast<CanonCppWorker*>(context);
  if (event == eds::kStateEventShutdown) {
    out("DISCONNECTED|Camera shutdown/disconnect detected by native C++ worker.");
    self->connected = false;
  } else if (event == eds::kStateEventWillSoonShutDown && self->camera != nullptr &&
             self->sdk.EdsSendCommand != nullptr) {
    self->sdk.EdsSendCommand(self->camera, eds::kCameraCommandExtendShutDownTimer, 0);
  }
  return eds::kOk;
}

void CanonCppWorker::download_item(EdsDirectoryItemRef item, uint64_t event_id) {
  if (item == nullptr) return;
  // The announcing CAPTURE_EVENT's id ends the lines that tell how its download went.
  const std::string event_field = "|id=" + std::to_string(event_id);
  const auto start = WorkerClock::now();
  EdsDirectoryItemInfo info;
  std::memset(&info, 0, sizeof info);
  EdsError err = sdk.EdsGetDirectoryItemInfo(item, &info);
  out("LOG|[CPP_WORKER] EdsGetDirectoryItemInfo=" + hex_err(err));
  if (err != eds::kOk) {
    out("ERROR|EdsGetDirectoryItemInfo failed: " + hex_err(err) + event_field);
    sdk.EdsRelease(item);
    return;
  }
  info.szFileName[sizeof info.szFileName - 1] = '\0';
  const std::string name = capture_file_name(info.szFileName);

  std::error_code ignored;
  fs::create_directories(download_dir, ignored);
  const fs::path final_path = fs::path(download_dir) / name;
  const fs::path as_name(name);
  const auto clock_ns =
      std::chrono::duration_cast<std::chrono::nanoseconds>(WorkerClock::now().time_since_epoch())
          .count();
  const fs::path temp_path =
      final_path.parent_path() /
      ("." + as_name.stem().string() + ".vantrel_tmp_" + std::to_string(event_id) + "_" +
       std::to_string(clock_ns) + as_name.extension().string());

  out("LOG|[CPP_WORKER] DownloadItem INFO callback_id=" + std::to_string(event_id) +
      " filename=" + name + " size=" + std::to_string(info.size) +
      " temp_path=" + temp_path.string() + " final_path=" + final_path.string());

  EdsStreamRef stream = nullptr;
  err = sdk.EdsCreateFileStream(temp_path.c_str(), eds::kFileCreateDispositionCreateAlways,
                                eds::kAccessReadWrite, &stream);
  out("LOG|[CPP_WORKER] EdsCreateFileStream=" + hex_err(err));
  if (err != eds::kOk || stream == nullptr) {
    out("ERROR|EdsCreateFileStream failed: " + hex_err(err) + event_field);
    sdk.EdsRelease(item);
    return;
  }

  err = sdk.EdsDownload(item, info.size, stream);
  out("LOG|[CPP_WORKER] EdsDownload=" + hex_err(err));
  if (err == eds::kOk) {
    err = sdk.EdsDownloadComplete(item);
    out("LOG|[CPP_WORKER] EdsDownloadComplete=" + hex_err(err));
  }
  const bool transferred = err == eds::kOk;
  if (!transferred && sdk.EdsDownloadCancel != nullptr) {
    out("LOG|[CPP_WORKER] Calling EdsDownloadCancel.");
    sdk.EdsDownloadCancel(item);
  }
  sdk.EdsRelease(stream);
  sdk.EdsRelease(item);

  if (!transferred) {
    fs::remove(temp_path, ignored);
    out("ERROR|Camera download failed: " + name + " err=" + hex_err(err) + event_field);
    return;
  }
  // In disk mode this transfer is the only copy of the photo: a name that is taken gets the
  // first free "-n" variant instead, and nothing is ever replaced.
  std::string saved_name = name;
  fs::path saved_path = final_path;
  std::error_code rename_error;
  for (int n = 2; !vantrel::rename_no_replace(temp_path, saved_path, rename_error); ++n) {
    if (rename_error != std::errc::file_exists || n > kMaxCollisionSuffix) {
      // The temporary file is kept: it may be the only copy.
      out("ERROR|Final rename failed: " + temp_path.string() + " -> " + saved_path.string() +
          " error=" + rename_error.message() + event_field);
      return;
    }
    saved_name = as_name.stem().string() + "-" + std::to_string(n) + as_name.extension().string();
    saved_path = final_path.parent_path() / saved_name;
  }
  if (saved_name != name) {
    out("LOG|[CPP_WORKER] Camera filename collision: " + final_path.string() +
        " already exists; saved as " + saved_name);
  }

  ++download_count;
  last_download = WorkerClock::now();
  const double elapsed = std::chrono::duration<double>(last_download - start).count();
  out("LOG|[CPP_WORKER] DownloadItem EXIT callback_id=" + std::to_string(event_id) + " filename=" +
      saved_name + " elapsed=" + fixed3(elapsed) + "s count=" + std::to_string(download_count));
  if (elapsed >= 1.25) {
    out("TRANSFER_STALL|download_elapsed=" + fixed2(elapsed) + "|filename=" + saved_name +
        "|count=" + std::to_string(download_count));
  }
  out("STATUS|Downloaded: " + saved_name);
  out("DOWNLOADED|" + saved_path.string() + event_field);
}
