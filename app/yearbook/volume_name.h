// The volume name: the package's top folder and every index row's Volume Name.
//
// It must be a folder name every system and every publisher's importer takes: 1 to 32 characters
// (the longest volume label of a disc), ASCII letters, digits, '_' and '-', not starting with
// '-', and not a name Windows reserves for a device (CON, PRN, AUX, NUL, COM1-9, LPT1-9).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vantrel::yearbook {

// What is wrong with the name, as a sentence; nothing for a good name.
std::optional<std::string> volumeNameProblem(std::string_view name);

}  // namespace vantrel::yearbook
