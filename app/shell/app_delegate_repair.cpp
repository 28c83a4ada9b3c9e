// Repairing photos filed under the wrong name: a person's folder renamed with its images, photos
// moved to another name (with the suffix folders the operator picks), a folder picked by hand
// renamed, and a person's folder opened. The rules are the filing library's.
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <filesystem>

#include "capture_naming.h"
#include "dialogs.h"
#include "entered_text.h"
#include "file_manager_reveal.h"
#include "filing_messages.h"
#include "move_candidates.h"
#include "photo_folders.h"
#include "photo_move.h"
#include "vantrel_app_delegate.h"

namespace {

namespace fs = std::filesystem;

QString q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

fs::path localPath(const QString& path) {
  return fs::path(path.toStdString());
}

}  // namespace

vantrel::filing::FolderRenamer VantrelAppDelegate::folderRenamer() const {
  // The backup copy of a renamed folder is renamed alike, while backup is on.
  auto backupMirror = [this](const fs::path& folder) -> std::optional<fs::path> {
    if (!_backup) return std::nullopt;
    const std::optional<std::string> mirror = _backup->backupMirrorOfFolder(folder.string());
    if (!mirror) return std::nullopt;
    return fs::path(*mirror);
  };
  return vantrel::filing::FolderRenamer(localPath(_targetDir), backupMirror);
}

void VantrelAppDelegate::installRepairActions() {
  // Queued: the dialogs open after the menu has closed and the drop has finished.
  connect(
      this, &VantrelAppDelegate::rowFolderActionRequested, this,
      [this](const QString& action, qint64 row) {
        if (action == QLatin1String("rename")) renameFolderAndImagesForRow(row);
        if (action == QLatin1String("open")) openFolderForRow(row);
      },
      Qt::QueuedConnection);
  connect(this, &VantrelAppDelegate::rowDroppedOnRow, this,
          &VantrelAppDelegate::movePhotosFromRowToRow, Qt::QueuedConnection);
}

void VantrelAppDelegate::renameFolderAndImagesForRow(qint64 row) {
  promptMoveFromRow(row, std::nullopt);
}

void VantrelAppDelegate::movePhotosFromRowToRow(qint64 source, qint64 target) {
  if (!_names.canDropRowOnto(source, target)) return;
  promptMoveFromRow(source, q(_names.nameForModelRow(target)));
}

void VantrelAppDelegate::promptMoveFromRow(qint64 row,
                                           const std::optional<QString>& fixedTargetName) {
  if (!_names.isValidRow(row) || _names.rows()[static_cast<std::size_t>(row)].empty()) return;
  const QString sourceName = q(_names.nameForModelRow(row));
  const std::vector<vantrel::filing::MoveCandidate> candidates =
      vantrel::filing::moveCandidates(_suffixes, localPath(_targetDir), sourceName.toStdString());

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
  if (!_names.isValidRow(row) || q(_names.nameForModelRow(row)) != sourceName) return;
  movePhotosFromRow(row, fixedTargetName ? *fixedTargetName : answer->name.trimmed(), selected);
}

void VantrelAppDelegate::movePhotosFromRow(qint64 row, const QString& name,
                                           const QStringList& selectedSuffixes) {
  std::vector<std::string> suffixes;
  for (const QString& suffix : selectedSuffixes) suffixes.push_back(suffix.toStdString());
  const vantrel::filing::PhotoMoveResult result = vantrel::filing::movePhotosFromRow(
      _names, row, name.toStdString(), suffixes, folderRenamer());
  if (!result.performed) return;
  _gridStore->saveIfChanged(_names);
  reloadTable();
  selectModelRowInTable(result.destinationRow, true);
  updatePathLabels();
  updateAutoWatch();
  if (!result.firstError.empty()) {
    showAlert(q(vantrel::filing::kMoveProblemTitle), q(result.firstError));
    return;
  }
  setStatus(
      q(vantrel::filing::movedPhotosStatus(result.photos, result.destinationName, result.rowAdded)),
      QStringLiteral("good"));
}

void VantrelAppDelegate::renameFolderInteractive() {
  if (_targetDir.isEmpty()) {
    showAlert(QStringLiteral("No Target Folder"), QStringLiteral("Choose a target folder first."));
    return;
  }
  const QString folder = _dialogs->chooseFolder(
      QStringLiteral("Choose the photo folder that was filed under the wrong name."), _targetDir);
  if (folder.isEmpty()) return;
  const QString current = QFileInfo(QDir::cleanPath(folder)).fileName();
  const std::optional<QString> name =
      _dialogs->prompt(QStringLiteral("Rename Photo Folder"),
                       QStringLiteral("Rename \"%1\" and the images inside it to:").arg(current),
                       current, QStringLiteral("Rename"));
  if (name) applyFolderRenameFrom(folder, *name);
}

void VantrelAppDelegate::applyFolderRenameFrom(const QString& folder, const QString& name) {
  const std::string typed = name.toStdString();
  const vantrel::filing::FolderRenameResult result =
      folderRenamer().renameFolderAt(localPath(QDir::cleanPath(folder)), typed);
  rescanOutputFolders();
  if (!result.succeeded()) {
    showAlert(q(vantrel::filing::kRenameFailedTitle), q(result.error));
    return;
  }
  const std::string sanitized =
      vantrel::filing::sanitize_filename(vantrel::names::trimWhitespace(typed));
  setStatus(q(vantrel::filing::renamedFolderStatus(sanitized, result.photos)),
            QStringLiteral("good"));
}

void VantrelAppDelegate::openFolderForRow(qint64 row) {
  if (!_names.isValidRow(row) || _names.rows()[static_cast<std::size_t>(row)].empty()) return;
  const std::string person = vantrel::filing::sanitize_filename(_names.nameForModelRow(row));
  const std::vector<fs::path> folders =
      vantrel::filing::foldersForRowName(localPath(_targetDir), person);
  if (!folders.empty()) {
    const QString folder = QString::fromStdString(folders.front().string());
    revealInFileManager(folder, folder, this);
    return;
  }
  setStatus(QStringLiteral("No photo folder exists yet for \"%1\".").arg(q(person)),
            QStringLiteral("neutral"));
  if (!_targetDir.isEmpty()) QDesktopServices::openUrl(QUrl::fromLocalFile(_targetDir));
}
