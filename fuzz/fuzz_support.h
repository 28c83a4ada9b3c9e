// Small helpers shared by the fuzz targets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

inline std::string_view asText(const uint8_t* data, size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// `text` cut into pieces whose lengths follow from the text itself: a reader fed piece by piece
// must give what it gives when fed the whole, and the same input always gives the same pieces.
std::vector<std::string_view> piecesOf(std::string_view text);

// The input read as a list of strings separated by its last byte, so that a string may hold any
// byte at all. Empty input gives none.
std::vector<std::string> stringsSeparatedByLastByte(std::string_view text);

// A fresh folder of our own (mode 0700) in /dev/shm when there is one, where fsync costs
// nothing, else in the temp dir. Removed with everything in it when the process exits.
std::filesystem::path privateTempDir(const char* label);

// Reports a broken property on standard error and aborts, so that libFuzzer keeps the input.
[[noreturn]] void fail(const char* file, int line, const char* what);

}  // namespace fuzz

#define FUZZ_CHECK(condition) \
  ((condition) ? static_cast<void>(0) : ::fuzz::fail(__FILE__, __LINE__, #condition))
