// The list written out for the operator: the Part's plain CSV, or a CSV a spreadsheet opens with
// its accents intact (a UTF-8 byte-order mark), with semicolons for a spreadsheet set to a
// European locale, where a comma is the decimal separator.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "names_list.h"

namespace vantrel::names {

enum class ExportFormat { Plain = 0, Utf8Bom = 1, Utf8BomSemicolons = 2 };
inline constexpr int kExportFormatCount = 3;

// "File Name,Notes", then the fields, one row per person (grid_format.h), in the format's
// byte-order mark and delimiter.
std::string exportText(const NamesList& list, ExportFormat format);

// Writes the export through a temporary file and a rename; false when it could not be written.
bool writeExport(const std::filesystem::path& path, const NamesList& list, ExportFormat format);

}  // namespace vantrel::names
