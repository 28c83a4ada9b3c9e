// Repairing photos filed under the wrong name: a person's folder renamed with its images, photos
// moved to another name (with the suffix folders the operator picks), a folder picked by hand
// renamed, and a person's folder opened. The rules are the filing library's.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <optional>

#include "folder_renamer.h"

class BackupController;
class Dialogs;
class FilingController;
class NameRowActions;
class NamesController;
class StatusController;
class TagsController;

class FolderRepairController : public QObject {
  Q_OBJECT
 public:
  FolderRepairController(NamesController* names, FilingController* filing, TagsController* tags,
                         BackupController* backup, StatusController* status, Dialogs* dialogs,
                         QObject* parent = nullptr);

  // Answers the row menu's folder items and rows dropped onto rows.
  void installRepairActions(NameRowActions* rows);

 public slots:
  // "Rename Folder & Images…" of the row menu: the move dialog with a name to type.
  void renameFolderAndImagesForRow(qint64 row);
  // "Open Folder in File Manager" of the row menu.
  void openFolderForRow(qint64 row);
  // A row dropped onto another row: the move dialog into that row's name.
  void movePhotosFromRowToRow(qint64 source, qint64 target);
  // "Rename a Photo Folder…": a folder picked by hand, renamed with its images.
  void renameFolderInteractive();
  // The move dialog; without a fixed target the operator types the new name.
  void promptMoveFromRow(qint64 row, const std::optional<QString>& fixedTargetName);
  void movePhotosFromRow(qint64 row, const QString& name, const QStringList& selectedSuffixes);
  void applyFolderRenameFrom(const QString& folder, const QString& name);

 signals:
  // Photos were renamed or moved (old path, new path), after the backup was told.
  void photosRenamed(const std::vector<std::pair<std::string, std::string>>& renames);

 private:
  vantrel::filing::FolderRenamer folderRenamer() const;
  // Photos waiting for their backup follow their new paths.
  void tellBackup(const std::vector<vantrel::filing::PhotoRename>& renamed);

  NamesController* _names;
  FilingController* _filing;
  TagsController* _tags;
  BackupController* _backup;
  StatusController* _status;
  Dialogs* _dialogs;
};
