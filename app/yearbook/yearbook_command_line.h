// The words of the vantrel_yearbook command:
//
//   vantrel_yearbook --store FILE --target DIR --volume NAME --out DIR [--size large|small]
//                    [--map "Column=Field"]... [--copyright TEXT] [--require-all] [--replace]
//
// Every option also takes the form --option=VALUE. --map is given once per column, in the words
// of parseColumnAssignment; it is checked against the list's fields once the store is read.
#pragma once

#include <filesystem>
#include <string>
#include <variant>
#include <vector>

#include "portrait_size.h"

namespace vantrel::yearbook {

struct YearbookCommand {
  bool help = false;
  std::filesystem::path store;
  std::filesystem::path target;
  std::string volume;
  std::filesystem::path out;
  PortraitSize size = PortraitSize::Large;
  std::vector<std::string> maps;
  std::string copyright;
  bool requireAll = false;
  bool replace = false;
};

// The command, or the message that says what is wrong with the words (arguments after the
// program's name).
std::variant<YearbookCommand, std::string> parseYearbookCommand(
    const std::vector<std::string>& arguments);

// The usage text, ending in a line break.
std::string yearbookUsage();

}  // namespace vantrel::yearbook
