#include "camera_fixture.h"

#include <stdlib.h>

#include <fstream>
#include <iterator>

std::string ClientRun::text() const {
  std::string all;
  for (const std::string& line : lines) all += line + "\n";
  return all;
}

void PtpipCameraFixture::SetUp() {
  std::string pattern = (std::filesystem::temp_directory_path() / "ptpipcam-XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  dir_ = pattern;
  control_file_ = dir_ / "control";
  dump_ = dir_ / "dump";
  downloads_ = dir_ / "downloads";
  std::filesystem::create_directories(dump_);
  std::filesystem::create_directories(downloads_);
  std::ofstream(control_file_).flush();
}

void PtpipCameraFixture::TearDown() {
  camera_.reset();
  std::error_code ignored;
  std::filesystem::remove_all(dir_, ignored);
}

void PtpipCameraFixture::start_camera(const std::vector<std::string>& extra_args) {
  std::vector<std::string> args = {"--listen",   "127.0.0.1:0", "--control", control_file_.string(),
                                   "--dump-dir", dump_.string()};
  args.insert(args.end(), extra_args.begin(), extra_args.end());
  camera_ = std::make_unique<ChildProcess>(VANTREL_PTPIP_CAMERA_PATH, args);
  const auto line = camera_->wait_for_prefix("LISTENING ", kLineTimeout);
  ASSERT_TRUE(line) << "the camera did not start listening";
  port_ = static_cast<uint16_t>(std::stoi(line->substr(10)));
  ASSERT_NE(port_, 0);
}

void PtpipCameraFixture::control(const std::string& line) {
  std::ofstream out(control_file_, std::ios::app);
  out << line << "\n";
}

std::string PtpipCameraFixture::camera_line(const std::string& prefix) {
  const auto line = camera_->wait_for_prefix(prefix, kLineTimeout);
  EXPECT_TRUE(line) << "the camera never wrote a line starting with \"" << prefix << "\"";
  return line.value_or("");
}

std::unique_ptr<ChildProcess> PtpipCameraFixture::start_gphoto(
    const std::vector<std::string>& args) {
  const std::filesystem::path home = dir_ / ("home" + std::to_string(++client_runs_));
  std::filesystem::create_directories(home);
  const std::string port = "ptpip:127.0.0.1:" + std::to_string(port_) + ":" + std::to_string(port_);
  std::vector<std::string> all = {"--port",        port,         "--camera",
                                  "PTP/IP Camera", "--filename", (downloads_ / "%f.%C").string()};
  all.insert(all.end(), args.begin(), args.end());
  // English messages whatever the machine's language.
  return std::make_unique<ChildProcess>(
      GPHOTO2_CLIENT_PATH, all,
      ChildProcess::Env{{"HOME", home.string()}, {"LANGUAGE", "en"}, {"LC_ALL", "C.UTF-8"}});
}

ClientRun PtpipCameraFixture::finish(ChildProcess& client) {
  client.drain(kClientTimeout);
  ClientRun run;
  run.status = client.wait_exit(std::chrono::seconds(2));
  run.lines = client.lines();
  return run;
}

ClientRun PtpipCameraFixture::gphoto(const std::vector<std::string>& args) {
  const auto client = start_gphoto(args);
  return finish(*client);
}

std::vector<uint8_t> PtpipCameraFixture::file_bytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void PtpipCameraFixture::expect_download_matches_camera(const std::string& name) {
  const std::vector<uint8_t> served = file_bytes(dump_ / name);
  const std::vector<uint8_t> downloaded = file_bytes(downloads_ / name);
  ASSERT_FALSE(served.empty()) << "the camera made no " << name;
  EXPECT_EQ(downloaded.size(), served.size()) << name;
  EXPECT_TRUE(downloaded == served) << name << " differs from what the camera served";
}
