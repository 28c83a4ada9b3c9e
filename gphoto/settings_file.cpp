#include "settings_file.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "atomic_file.h"

namespace gphoto {

SettingsFile SettingsFile::of_user() {
  const char* home = std::getenv("HOME");
  return SettingsFile(std::filesystem::path(home != nullptr ? home : "") / ".gphoto" / "settings");
}

void SettingsFile::take() {
  std::ifstream in(path_, std::ios::binary);
  if (!in) {
    bytes_.reset();
    return;
  }
  bytes_ = std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool SettingsFile::put_back() const {
  if (bytes_) return vantrel::write_file_atomically(path_, *bytes_);
  std::error_code error;
  std::filesystem::remove(path_, error);
  return !error;
}

}  // namespace gphoto
