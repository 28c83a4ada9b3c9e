#include "fuzz_support.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <system_error>

namespace fuzz {

namespace {

// Never destroyed: the exit handler that reads it may run after static destructors.
std::vector<std::filesystem::path>& foldersToRemove() {
  static auto* folders = new std::vector<std::filesystem::path>;
  return *folders;
}

void removeFolders() {
  std::error_code ignored;
  for (const auto& folder : foldersToRemove()) std::filesystem::remove_all(folder, ignored);
}

}  // namespace

std::vector<std::string_view> piecesOf(std::string_view text) {
  // FNV-1a of the text seeds a xorshift generator.
  uint64_t state = 14695981039346656037ull;
  for (const char c : text) state = (state ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  if (state == 0) state = 1;
  std::vector<std::string_view> pieces;
  while (!text.empty()) {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    // Mostly short pieces, so that line ends and CR LF pairs fall on every boundary; now and then
    // a long one.
    const size_t length = (state & 7) == 0 ? 1 + (state >> 8) % 512 : 1 + (state >> 8) % 8;
    pieces.push_back(text.substr(0, length));
    text.remove_prefix(pieces.back().size());
  }
  return pieces;
}

std::vector<std::string> stringsSeparatedByLastByte(std::string_view text) {
  std::vector<std::string> strings;
  if (text.empty()) return strings;
  const char separator = text.back();
  text.remove_suffix(1);
  size_t start = 0;
  for (size_t at; (at = text.find(separator, start)) != std::string_view::npos; start = at + 1) {
    strings.emplace_back(text.substr(start, at - start));
  }
  strings.emplace_back(text.substr(start));
  return strings;
}

std::filesystem::path privateTempDir(const char* label) {
  std::error_code error;
  std::filesystem::path base = "/dev/shm";
  if (::access(base.c_str(), W_OK) != 0) base = std::filesystem::temp_directory_path(error);
  std::string pattern = (base / (std::string("vantrel-fuzz-") + label + ".XXXXXX")).string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    std::perror("mkdtemp");
    std::abort();
  }
  static std::once_flag registered;
  std::call_once(registered, [] { std::atexit(removeFolders); });
  foldersToRemove().emplace_back(pattern);
  return pattern;
}

void fail(const char* file, int line, const char* what) {
  std::fprintf(stderr, "%s:%d: property broken: %s\n", file, line, what);
  std::abort();
}

}  // namespace fuzz
