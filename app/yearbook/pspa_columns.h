// The thirteen columns of a PSPA index file (INDEX.TXT), in the order the guidelines give them.
// The first three and the last are the package's own (where the image is and how large); the
// others describe the person and come from the roster.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace vantrel::yearbook {

enum class PspaColumn : std::size_t {
  VolumeName,
  ImageFolder,
  ImageFileName,
  Grade,
  LastName,
  FirstName,
  HomeRoom,
  Period,
  TeacherName,
  Track,
  Department,
  Title,
  ImageSize,
};
inline constexpr std::size_t kPspaColumnCount = 13;

// Every column in index order, for loops.
inline constexpr std::array<PspaColumn, kPspaColumnCount> kPspaColumns = {
    PspaColumn::VolumeName,  PspaColumn::ImageFolder, PspaColumn::ImageFileName, PspaColumn::Grade,
    PspaColumn::LastName,    PspaColumn::FirstName,   PspaColumn::HomeRoom,      PspaColumn::Period,
    PspaColumn::TeacherName, PspaColumn::Track,       PspaColumn::Department,    PspaColumn::Title,
    PspaColumn::ImageSize};

// The header text, e.g. "Home Room", "Teacher Name".
std::string_view pspaColumnName(PspaColumn column);

// Whether the roster fills the column (Grade to Title); the exporter fills the other four.
bool isMappedColumn(PspaColumn column);

// The column a name means, compared as columnNameKey does ("home room", "HOMEROOM" and
// "Home_Room" all give Home Room); nothing for a name that is none of the thirteen.
std::optional<PspaColumn> pspaColumnNamed(std::string_view name);

}  // namespace vantrel::yearbook
