#include "folder_repair_controller.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <filesystem>

#include "backup_controller.h"
#include "capture_naming.h"
#include "dialogs.h"
#include "entered_text.h"
#include "file_manager_reveal.h"
#include "filing_controller.h"
#include "filing_messages.h"
#include "move_candidates.h"
#include "name_row_actions.h"
#include "names_controller.h"
#include "photo_folders.h"
#include "photo_move.h"
#include "status_controller.h"
#include "tags_controller.h"

namespace {

namespace fs = std::filesystem;

QString q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

fs::path localPath(const QString& path) {
  return fs::path(path.toStdString());
}

}  // namespace

FolderRepairController::FolderRepairController(NamesController* names, FilingController* filing,
                                               TagsController* tags, BackupController* backup,
                                               StatusController* status, Dialogs* dialogs,
                                               QObject* parent)
    : QObject(parent),
      _names(names),
      _filing(filing),
      _tags(tags),
      _backup(backup),
      _status(status),
      _dialogs(dialogs) {}

vantrel::filing::FolderRenamer FolderRepairController::folderRenamer() const {
  // The backup copy of a renamed folder is renamed alike, while backup is on.
  auto backupMirror = [this](const fs::path& folder) -> std::optional<fs::path> {
    const std::optional<std::string> mirror = _backup->backupMirrorOfFolder(folder.string());
    if (!mirror) return std::nullopt;
    return fs::path(*mirror);
  };
  return vantrel::filing::FolderRenamer(localPath(_filing->targetDir()), backupMirror);
}

void FolderRepairController::tellBackup(const std::vector<vantrel::filing::PhotoRename>& renamed) {
  std::vector<std::pair<std::string, std::string>> paths;
  for (const auto& rename : renamed) paths.emplace_back(rename.from.string(), rename.to.string());
  if (paths.empty()) return;
  _backup->photosRenamed(paths);
  _filing->followRenamedPhotos(renamed);
  emit photosRenamed(paths);
}

void FolderRepairController::installRepairActions(NameRowActions* rows) {
  // Queued: the dialogs open after the menu has closed and the drop has finished.
  connect(
      rows, &NameRowActions::rowFolderActionRequested, this,
      [this](const QString& action, qint64 row) {
        if (action == QLatin1String("rename")) renameFolderAndImagesForRow(row);
        if (action == QLatin1String("open")) openFolderForRow(row);
      },
      Qt::QueuedConnection);
  connect(rows, &NameRowActions::rowDroppedOnRow, this,
          &FolderRepairController::movePhotosFromRowToRow, Qt::QueuedConnection);
}

void FolderRepairController::renameFolderAndImagesForRow(qint64 row) {
  promptMoveFromRow(row, std::nullopt);
}

void FolderRepairController::movePhotosFromRowToRow(qint64 source, qint64 target) {
  if (!_names->names().canDropRowOnto(source, target)) return;
  promptMoveFromRow(source, q(_names->names().nameForModelRow(target)));
}

void FolderRepairController::promptMoveFromRow(qint64 row,
                                               const std::optional<QString>& fixedTargetName) {
  if (!_names->names().isValidRow(row) ||
      _names->names().rows()[static_cast<std::size_t>(row)].empty())
    return;
  const QString sourceName = q(_names->names().nameForModelRow(row));
  const std::vector<vantrel::filing::MoveCandidate> candidates = vantrel::filing::moveCandidates(
      _tags->suffixes(), localPath(_filing->targetDir()), sourceName.toStdString());

  MoveFormRequest request;
  if (fixedTargetName) {
    request.message = QStringLiteral("Move photos into \"%1\"").arg(*fixedTargetName);
    request.informativeText =
        QStringLiteral("Moves \"%1\"'s photos into \"%2\" (merged, never overwritten).")
            .arg(sourceName, *fixedTargetName);
    request.acceptTitle = QStringLiteral("Move");
  } else {
    request.message = QStringLiteral("Rename / Move Photos");
    request.informativeText =
        QStringLiteral(
            "Move \"%1\" and its photos to this name. If the name already exists, the "
            "photos merge into it (never overwritten) and the list jumps to that row; "
            "otherwise a new row is created below.")
            .arg(sourceName);
    request.acceptTitle = QStringLiteral("Rename");
    request.name = sourceName;
  }
  request.heading = QStringLiteral("Suffix folders to include (pre-checked = captured with it):");
  for (const vantrel::filing::MoveCandidate& candidate : candidates)
    request.choices.append({q(candidate.title), candidate.checked});

  const std::optional<MoveFormAnswer> answer = _dialogs->moveForm(request);
  if (!answer) return;
  QStringList selected;
  for (std::size_t i = 0; i < candidates.size(); ++i) {
    const qsizetype at = static_cast<qsizetype>(i);
    if (at < answer->checked.size() && answer->checked.at(at)) selected << q(candidates[i].suffix);
  }
  // The list may have changed while the dialog was open: the row must still be the same person.
  if (!_names->names().isValidRow(row) || q(_names->names().nameForModelRow(row)) != sourceName)
    return;
  movePhotosFromRow(row, fixedTargetName ? *fixedTargetName : answer->name.trimmed(), selected);
}

void FolderRepairController::movePhotosFromRow(qint64 row, const QString& name,
                                               const QStringList& selectedSuffixes) {
  std::vector<std::string> suffixes;
  for (const QString& suffix : selectedSuffixes) suffixes.push_back(suffix.toStdString());
  const vantrel::filing::PhotoMoveResult result = vantrel::filing::movePhotosFromRow(
      _names->names(), row, name.toStdString(), suffixes, folderRenamer());
  if (!result.performed) return;
  tellBackup(result.renamed);
  _names->afterPhotosMoved(result.destinationRow);
  if (!result.firstError.empty()) {
    _status->showAlert(q(vantrel::filing::kMoveProblemTitle), q(result.firstError));
    return;
  }
  _status->setStatus(
      q(vantrel::filing::movedPhotosStatus(result.photos, result.destinationName, result.rowAdded)),
      QStringLiteral("good"));
}

void FolderRepairController::renameFolderInteractive() {
  if (_filing->targetDir().isEmpty()) {
    _status->showAlert(QStringLiteral("No Target Folder"),
                       QStringLiteral("Choose a target folder first."));
    return;
  }
  const QString folder = _dialogs->chooseFolder(
      QStringLiteral("Choose the photo folder that was filed under the wrong name."),
      _filing->targetDir());
  if (folder.isEmpty()) return;
  const QString current = QFileInfo(QDir::cleanPath(folder)).fileName();
  const std::optional<QString> name =
      _dialogs->prompt(QStringLiteral("Rename Photo Folder"),
                       QStringLiteral("Rename \"%1\" and the images inside it to:").arg(current),
                       current, QStringLiteral("Rename"));
  if (name) applyFolderRenameFrom(folder, *name);
}

void FolderRepairController::applyFolderRenameFrom(const QString& folder, const QString& name) {
  const std::string typed = name.toStdString();
  const vantrel::filing::FolderRenameResult result =
      folderRenamer().renameFolderAt(localPath(QDir::cleanPath(folder)), typed);
  tellBackup(result.renamed);
  _filing->rescanOutputFolders();
  if (!result.succeeded()) {
    _status->showAlert(q(vantrel::filing::kRenameFailedTitle), q(result.error));
    return;
  }
  const std::string sanitized =
      vantrel::filing::sanitize_filename(vantrel::names::trimWhitespace(typed));
  _status->setStatus(q(vantrel::filing::renamedFolderStatus(sanitized, result.photos)),
                     QStringLiteral("good"));
}

void FolderRepairController::openFolderForRow(qint64 row) {
  if (!_names->names().isValidRow(row) ||
      _names->names().rows()[static_cast<std::size_t>(row)].empty())
    return;
  const std::string person =
      vantrel::filing::sanitize_filename(_names->names().nameForModelRow(row));
  const std::vector<fs::path> folders =
      vantrel::filing::foldersForRowName(localPath(_filing->targetDir()), person);
  if (!folders.empty()) {
    revealInFileManager(folders.front().string(), folders.front().string(), this);
    return;
  }
  _status->setStatus(QStringLiteral("No photo folder exists yet for \"%1\".").arg(q(person)),
                     QStringLiteral("neutral"));
  if (!_filing->targetDir().isEmpty())
    QDesktopServices::openUrl(QUrl::fromLocalFile(_filing->targetDir()));
}
