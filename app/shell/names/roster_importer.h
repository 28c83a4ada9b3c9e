// The questions of an import: reading the roster files, the preview with its column choice
// (remembered by the files' headers), and the names the import put into the list twice.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "names_list.h"
#include "roster.h"
#include "roster_table.h"

class Dialogs;
class UserDefaults;

class RosterImporter {
 public:
  RosterImporter(Dialogs* dialogs, UserDefaults* defaults);

  struct RosterFile {
    QString path;
    vantrel::names::RosterTable table;
  };
  // The readable files among `paths`, in order. When none can be read, the operator is told.
  std::vector<RosterFile> read(const QStringList& paths) const;

  // The preview of the first file; its choice, remembered for that file's header, applied to
  // each file. One roster per file, or nothing when the operator cancelled.
  std::optional<std::vector<vantrel::names::Roster>> chooseColumns(
      const std::vector<RosterFile>& files);
  // Without a question: the choice remembered for the file's header, or the default.
  vantrel::names::Roster withRememberedChoice(const vantrel::names::RosterTable& table) const;

  // After an import that added rows from `firstImported` on: when names are the same ignoring
  // case or would share a photo folder, asks whether to keep them or make the imported ones
  // unique. Returns how many were renamed.
  std::int64_t offerMakeUnique(vantrel::names::NamesList& list,
                               vantrel::names::ModelRow firstImported);

 private:
  Dialogs* _dialogs;
  UserDefaults* _defaults;
};
