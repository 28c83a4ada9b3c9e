#include "yearbook_command_line.h"

#include <optional>

namespace vantrel::yearbook {

std::variant<YearbookCommand, std::string> parseYearbookCommand(
    const std::vector<std::string>& arguments) {
  YearbookCommand command;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    std::string option = arguments[i];
    std::optional<std::string> value;
    if (const std::size_t equals = option.find('=');
        option.starts_with("--") && equals != std::string::npos) {
      value = option.substr(equals + 1);
      option.resize(equals);
    }
    if (option == "--help" || option == "-h") {
      command.help = true;
      continue;
    }
    if (option == "--require-all" || option == "--replace") {
      if (value) return option + " takes no value";
      (option == "--replace" ? command.replace : command.requireAll) = true;
      continue;
    }
    const bool known = option == "--store" || option == "--target" || option == "--volume" ||
                       option == "--out" || option == "--size" || option == "--map" ||
                       option == "--copyright";
    if (!known) return "unknown argument \"" + arguments[i] + "\"";
    if (!value) {
      if (i + 1 >= arguments.size()) return option + " needs a value";
      value = arguments[++i];
    }
    if (option == "--store") command.store = *value;
    if (option == "--target") command.target = *value;
    if (option == "--volume") command.volume = *value;
    if (option == "--out") command.out = *value;
    if (option == "--map") command.maps.push_back(*value);
    if (option == "--copyright") command.copyright = *value;
    if (option == "--size") {
      if (*value == "large")
        command.size = PortraitSize::Large;
      else if (*value == "small")
        command.size = PortraitSize::Small;
      else
        return "--size is large or small, not \"" + *value + "\"";
    }
  }
  if (command.help) return command;
  for (const auto& [given, name] :
       {std::pair{command.store.empty(), "--store"}, std::pair{command.target.empty(), "--target"},
        std::pair{command.volume.empty(), "--volume"}, std::pair{command.out.empty(), "--out"}})
    if (given) return std::string(name) + " is missing";
  return command;
}

std::string yearbookUsage() {
  return "usage: vantrel_yearbook --store FILE --target DIR --volume NAME --out DIR\n"
         "                        [--size large|small] [--map \"Column=Field\"]...\n"
         "                        [--copyright TEXT] [--require-all] [--replace]\n"
         "\n"
         "Writes a yearbook package (PSPA format) to DIR/NAME: INDEX.TXT, IMAGES/, COPYRIGHT.TXT\n"
         "and README.TXT, one 4:5 portrait per person of the store FILE, from the photos filed\n"
         "in the target folder. The file names the portraits get are kept in the store's\n"
         "\"Yearbook File\" field, so the next package names them the same way.\n"
         "\n"
         "  --size large|small    640x800 (the default) or 320x400 pixels\n"
         "  --map \"Column=Field\"  the index column takes the person's field; \"Column==Text\"\n"
         "                        a fixed text; \"Column=\" nothing (Last Name and First Name\n"
         "                        then come from the list name). Columns not given are guessed\n"
         "                        from the field names.\n"
         "  --copyright TEXT      the notice for COPYRIGHT.TXT\n"
         "  --require-all         write nothing when anyone has no photo\n"
         "  --replace             replace DIR/NAME when it exists and is not empty\n"
         "\n"
         "Exit status: 0 written (people without a photo are listed on standard error), 1 not\n"
         "written (someone has no photo with --require-all, no one has a photo, or a write\n"
         "failed), 2 bad input.\n";
}

}  // namespace vantrel::yearbook
