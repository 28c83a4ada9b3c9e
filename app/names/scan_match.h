// Scan to select: a barcode scanner types a code and Enter; the person whose name, note or any
// field equals it (letter case and surrounding spaces aside) is the one in front of the camera.
#pragma once

#include <string_view>
#include <vector>

#include "names_list.h"

namespace vantrel::names {

// The rows holding the code, in list order, at most `limit` of them (two tell "several" apart
// from "one"). An empty code matches nobody.
std::vector<ModelRow> rowsMatchingScan(const NamesList& list, std::string_view code,
                                       std::size_t limit = 2);

// The status texts: the person selected, nobody, or several.
std::string scanSelectedStatus(std::string_view name);
std::string scanNoMatchStatus(std::string_view code);
std::string scanSeveralStatus(std::string_view code);

}  // namespace vantrel::names
