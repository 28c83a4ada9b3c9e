// Remembering where the operator was between runs, and choosing the target folder.
#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

#include "dialogs.h"
#include "settings_keys.h"
#include "user_defaults.h"
#include "vantrel_app_delegate.h"

namespace {
using namespace settings_keys;
}  // namespace

void VantrelAppDelegate::savePersistentPaths() {
  if (!_csvPath.isEmpty()) _defaults->set(kCsvPath, _csvPath);
  if (!_targetDir.isEmpty()) _defaults->set(kTargetDir, _targetDir);
  if (_names.selectedRow() >= 0)
    _defaults->set(kSelectedRow, static_cast<qlonglong>(_names.selectedRow()));
  if (_counterField) {
    bool ok = false;
    const qint64 counter = _counterField->text().toLongLong(&ok);
    if (ok && counter > 0) _defaults->set(kCounter, static_cast<qlonglong>(counter));
  }
  _defaults->flush();
}

void VantrelAppDelegate::restoreSavedPaths() {
  if (const auto target = _defaults->string(kTargetDir);
      target && !target->isEmpty() && QFileInfo::exists(*target)) {
    _targetDir = *target;
    rescanOutputFolders();
  }
  _camera.autoConnect = _defaults->boolean(kAutoConnect, true);
  _camera.autoConnectSuppressed = false;
  if (_autoConnectMenuItem) _autoConnectMenuItem->setChecked(_camera.autoConnect);

  restoreBackupSettings();

  if (const auto counter = _defaults->integer(kCounter); counter && *counter > 0) {
    setCounterText(QString::number(*counter));
  }
  if (const auto csv = _defaults->string(kCsvPath);
      csv && !csv->isEmpty() && QFileInfo::exists(*csv)) {
    _csvPath = *csv;
  }
  if (_gridStore->loadGridFromDisk(_names)) {
    reloadTable();
    selectSavedOrFirstCSVRow();
  } else if (!_csvPath.isEmpty()) {
    importFirstColumnFromCSV(_csvPath);
    _gridStore->save(_names);
  }
  // The folder scan above ran before the list was back; count against the restored names.
  rescanOutputFolders();
  _camera.saveModeIndex = 0;
  updatePathLabels();
  updateStorageLabel();
  updateControls();
}

void VantrelAppDelegate::selectSavedOrFirstCSVRow() {
  if (_names.isEmpty() || !_table) {
    _names.setSelectedRow(vantrel::names::kNoRow);
    return;
  }
  std::optional<std::int64_t> saved;
  if (const auto stored = _defaults->integer(kSelectedRow)) saved = *stored;
  _names.selectSavedOrFirst(saved);
  reloadTable();
  selectModelRowInTable(_names.selectedRow(), true);
  savePersistentPaths();
}

void VantrelAppDelegate::selectFolder() {
  const QString chosen = _dialogs->chooseFolder(QStringLiteral("Choose Target Folder"), _targetDir);
  if (chosen.isEmpty()) return;
  setTargetFolder(chosen);
}

bool VantrelAppDelegate::setTargetFolder(const QString& path) {
  // The worker takes the folder as a command argument: a bar would cut it short there, and a
  // line break would end the command early.
  if (path.contains(QLatin1Char('|')) || path.contains(QLatin1Char('\n')) ||
      path.contains(QLatin1Char('\r'))) {
    showAlert(QStringLiteral("Folder Not Usable"),
              QStringLiteral("The folder path contains a \"|\" or a line break, which the camera "
                             "connection cannot carry. Please rename the folder or choose "
                             "another one.\n\n%1")
                  .arg(path));
    return false;
  }
  _targetDir = path;
  if (_backup) _backup->setTargetDir(_targetDir.toStdString());
  if (workerRunning()) sendWorkerLine(QStringLiteral("SET_DOWNLOAD_DIR|%1").arg(_targetDir));
  rescanOutputFolders();
  updatePathLabels();
  savePersistentPaths();
  updateStorageLabel();
  setStatus(QStringLiteral("Target folder selected."), QStringLiteral("good"));
  updateAutoWatch();
  return true;
}
