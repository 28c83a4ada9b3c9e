#include "camera_device.h"

#include <algorithm>
#include <ctime>
#include <fstream>

#include "ptp_codes.h"

namespace ptpipcam {
namespace {

// A picture's own size, roughly, when no size is asked for.
constexpr uint64_t kPlainPictureBytes = 16 * 1024;

std::string ptp_date_now() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%dT%H%M%S", &local);
  return text;
}

}  // namespace

CameraDevice::CameraDevice(const CameraOptions& options, StatusOutput& output)
    : maker_(options.image_bytes, options.raw),
      raw_(options.raw),
      image_bytes_(options.image_bytes),
      dump_dir_(options.dump_dir),
      output_(output) {}

uint64_t CameraDevice::bytes_per_shot() const {
  return std::max(image_bytes_, kPlainPictureBytes) * (raw_ ? 2 : 1);
}

void CameraDevice::dump(const ShotFile& file, const std::vector<uint8_t>& bytes) {
  const std::filesystem::path target = dump_dir_ / file.name;
  const std::filesystem::path partial = dump_dir_ / (file.name + ".partial");
  {
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) {
      output_.error("cannot write " + partial.string());
      return;
    }
  }
  std::error_code error;
  std::filesystem::rename(partial, target, error);
  if (error) output_.error("cannot rename " + partial.string() + ": " + error.message());
}

void CameraDevice::shoot() {
  std::lock_guard lock(shutter_mutex_);
  const int number = ++shots_;
  const std::string date = ptp_date_now();
  for (ShotFile& file : maker_.make(number)) {
    ShotMaker::prepare(file);
    if (!dump_dir_.empty()) dump(file, *file.prepared);
    const std::vector<uint32_t> created = store_.add(file, date);
    output_.line("ADDED " + store_.path(created.back()) + " " + std::to_string(file.size));
    for (const uint32_t handle : created) {
      const uint32_t params[] = {handle};
      events_.send(event::kObjectAdded, 0, params);
    }
  }
}

}  // namespace ptpipcam
