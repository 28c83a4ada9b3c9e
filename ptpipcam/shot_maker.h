// The files one press of the shutter leaves on the card. Each is the same, byte for byte, for the
// same shot number and options, so a test can tell a download is whole and belongs to its shot.
//
// IMG_nnnn.JPG is the simulated camera's picture of the shot number (a 320x240 baseline JPEG),
// grown with JPEG comment segments to exactly --image-bytes when that is larger. With --raw the
// shot first makes IMG_nnnn.CR2, of the same size: a TIFF header with Canon's "CR" mark, then the
// byte (i * 31 + n) mod 256 at every offset i of shot n. It looks like a raw file to a file
// manager; it is not an image.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace ptpipcam {

struct ShotFile {
  int number = 0;
  std::string name;
  uint16_t format = 0;
  uint64_t size = 0;
  // The plain picture: the JPEG's image before it is grown, and every file's thumbnail.
  std::shared_ptr<const std::vector<uint8_t>> picture;
  // Every byte of the file, made when the shot is taken so that a download right after the
  // ObjectAdded event waits for nothing but the transfer; null once dropped (see ObjectStore).
  std::shared_ptr<const std::vector<uint8_t>> prepared;
};

class ShotMaker {
 public:
  ShotMaker(uint64_t image_bytes, bool raw) : image_bytes_(image_bytes), raw_(raw) {}

  // The raw file first, when there is one: a camera writes it first, and the JPEG's ObjectAdded
  // then comes last, which is the file a client's capture call returns.
  std::vector<ShotFile> make(int number) const;
  // Every byte of the file: the prepared bytes, or made again when they were dropped.
  static std::shared_ptr<const std::vector<uint8_t>> contents(const ShotFile& file);
  // Makes the file's bytes and keeps them in it.
  static void prepare(ShotFile& file);

 private:
  uint64_t image_bytes_;
  bool raw_;
};

}  // namespace ptpipcam
