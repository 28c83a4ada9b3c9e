#include "list_export.h"

#include "atomic_file.h"
#include "grid_format.h"

namespace vantrel::names {

std::string exportText(const NamesList& list, ExportFormat format) {
  const char delimiter = format == ExportFormat::Utf8BomSemicolons ? ';' : ',';
  std::string text =
      formatGrid(list.rows(), GridColumns::NameAndNote, list.fieldNames(), delimiter);
  if (format != ExportFormat::Plain) text.insert(0, "\xEF\xBB\xBF");
  return text;
}

bool writeExport(const std::filesystem::path& path, const NamesList& list, ExportFormat format) {
  return vantrel::write_file_atomically(path, exportText(list, format));
}

}  // namespace vantrel::names
