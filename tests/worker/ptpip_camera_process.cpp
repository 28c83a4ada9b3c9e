#include "ptpip_camera_process.h"

#include <fstream>
#include <iterator>

using namespace std::chrono_literals;

PtpIpCameraProcess::PtpIpCameraProcess(const std::filesystem::path& dir, uint64_t image_bytes)
    : control_(dir / "camera_control"), dump_(dir / "camera_shots") {
  std::filesystem::create_directories(dump_);
  std::ofstream(control_).flush();
  std::vector<std::string> args = {"--listen",        "127.0.0.1:0", "--control",
                                   control_.string(), "--dump-dir",  dump_.string()};
  if (image_bytes > 0) {
    args.push_back("--image-bytes");
    args.push_back(std::to_string(image_bytes));
  }
  process_ = std::make_unique<ChildProcess>(VANTREL_PTPIP_CAMERA_PATH, args);
  if (auto line = process_->wait_for_prefix("LISTENING ", 10s)) {
    port_ = std::stoi(line->substr(10));
  }
}

std::string PtpIpCameraProcess::gphoto_port() const {
  return "ptpip:127.0.0.1:" + std::to_string(port_) + ":" + std::to_string(port_);
}

void PtpIpCameraProcess::command(const std::string& line) const {
  std::ofstream(control_, std::ios::app) << line << "\n";
}

std::string PtpIpCameraProcess::shot_bytes(const std::string& name) const {
  return file_bytes(dump_ / name);
}

std::string file_bytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
