#include "roster_importer.h"

#include <QFile>
#include <QFileInfo>

#include "capture_naming.h"
#include "csv_import.h"
#include "dialogs.h"
#include "name_clashes.h"
#include "names_messages.h"
#include "names_question.h"
#include "roster_choice_memory.h"
#include "settings_keys.h"
#include "user_defaults.h"
#include "utf8_text.h"

namespace names = vantrel::names;

namespace {

// A roster that cannot be read must not replace a list with nothing.
const QString kImportFailedTitle = QStringLiteral("Import Failed");
const QString kImportFailedMessage =
    QStringLiteral("Could not read the CSV file. Check that it still exists and can be opened.");

names::RosterChoiceMemory rememberedChoices(const UserDefaults& defaults) {
  return names::RosterChoiceMemory::parse(
      defaults.string(settings_keys::kImportChoices).value_or(QString()).toStdString());
}

}  // namespace

RosterImporter::RosterImporter(Dialogs* dialogs, UserDefaults* defaults)
    : _dialogs(dialogs), _defaults(defaults) {}

std::vector<RosterImporter::RosterFile> RosterImporter::read(const QStringList& paths) const {
  std::vector<RosterFile> files;
  for (const QString& path : paths) {
    if (auto table = names::readRosterFile(QFile::encodeName(path).toStdString())) {
      files.push_back({path, std::move(*table)});
    }
  }
  if (files.empty() && !paths.isEmpty()) _dialogs->alert(kImportFailedTitle, kImportFailedMessage);
  return files;
}

std::optional<std::vector<names::Roster>> RosterImporter::chooseColumns(
    const std::vector<RosterFile>& files) {
  if (files.empty()) return std::vector<names::Roster>();
  const names::RosterTable& shown = files.front().table;
  names::RosterChoiceMemory memory = rememberedChoices(*_defaults);
  std::vector<std::string> fileNames;
  for (const RosterFile& file : files)
    fileNames.push_back(QFileInfo(file.path).fileName().toStdString());
  const ImportPreviewRequest request{utf8Text(names::importPreviewTitle(fileNames)),
                                     utf8Text(names::importPreviewSummary(shown, files.size())),
                                     shown, memory.choiceFor(shown)};
  const std::optional<names::RosterChoice> answer = _dialogs->importPreview(request);
  if (!answer) return std::nullopt;

  const names::RosterChoice choice = shown.fitted(*answer);
  memory.remember(shown, choice);
  _defaults->set(settings_keys::kImportChoices, utf8Text(memory.serialize()));
  std::vector<names::Roster> rosters;
  for (std::size_t i = 0; i < files.size(); ++i) {
    const names::RosterTable& table = files[i].table;
    rosters.push_back(table.roster(i == 0 ? choice : table.adoptedFrom(choice, shown)));
  }
  return rosters;
}

names::Roster RosterImporter::withRememberedChoice(const names::RosterTable& table) const {
  return table.roster(rememberedChoices(*_defaults).choiceFor(table));
}

std::int64_t RosterImporter::offerMakeUnique(names::NamesList& list,
                                             names::ModelRow firstImported) {
  const names::FolderNaming folderName = vantrel::filing::sanitize_filename;
  const auto clashes = names::findNameClashes(list, firstImported, folderName);
  if (clashes.empty()) return 0;
  if (askNamesQuestion(*_dialogs, names::nameClashesQuestion(list, clashes)) != 1) return 0;
  return names::makeNamesUnique(list, clashes, firstImported, folderName);
}
