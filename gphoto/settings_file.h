// The bytes of libgphoto2's settings file ($HOME/.gphoto/settings, where libgphoto2 keeps it),
// taken before a change the user must not inherit and put back after it. libgphoto2 writes the
// whole file on every setting it stores, and a capture target set through the camera's
// configuration is one of them.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace gphoto {

class SettingsFile {
 public:
  explicit SettingsFile(std::filesystem::path path) : path_(std::move(path)) {}
  // The file libgphoto2 uses for this process.
  static SettingsFile of_user();

  // Remembers the file's bytes (or that there is no file).
  void take();
  // Puts the remembered bytes back (through a temporary file and a rename), or removes a file
  // that did not exist. False when that failed.
  bool put_back() const;

 private:
  std::filesystem::path path_;
  std::optional<std::string> bytes_;
};

}  // namespace gphoto
