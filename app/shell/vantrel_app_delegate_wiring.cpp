// How the subsystems are connected, the window they drive, and the steps that span several of
// them: restoring and saving the settings, the reset for the next job, the look of the controls.
#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "appearance.h"
#include "backup_controller.h"
#include "camera_controller.h"
#include "filing_controller.h"
#include "folder_repair_controller.h"
#include "last_photos_controller.h"
#include "ledger_controller.h"
#include "main_window.h"
#include "name_row_actions.h"
#include "names_controller.h"
#include "names_messages.h"
#include "names_table_model.h"
#include "palette.h"
#include "photo_limit_controller.h"
#include "preview_controller.h"
#include "scan_select_controller.h"
#include "settings_keys.h"
#include "status_controller.h"
#include "tags_controller.h"
#include "update_checker.h"
#include "user_defaults.h"
#include "utf8_text.h"
#include "vantrel_app_delegate.h"
#include "vantrel_drop_zone.h"
#include "vantrel_table_view.h"
#include "view_styling.h"
#include "worker_supervisor.h"
#include "yearbook_controller.h"

namespace {
constexpr int kUpdateCheckDelayMs = 3000;
}  // namespace

void VantrelAppDelegate::wireSubsystems() {
  // A downloaded photo goes to filing straight from the worker's reader thread.
  _worker->setDownloadRoute(
      [filing = _filing](const std::string& path) { filing->handleDownloadedPath(path); });
  _status->setReadinessSource([this] {
    const auto& camera = _camera->state();
    const std::size_t unaccounted = _ledger->unaccountedToday();
    return Readiness{
        camera.cameraConnected && camera.watching, !_filing->targetDir().isEmpty(),
        !_list->isEmpty(),
        unaccounted == 0 ? QString() : utf8Text(vantrel::ledger::unaccountedText(unaccounted))};
  });
  _status->setTargetFolderSource([this] { return _filing->targetDir(); });
  _preview->setTargetFolderSource([this] { return _filing->targetDir(); });
  _filing->setWatchingSource([this] { return _camera->state().watching; });
  _camera->setLibrarySource([this] { return _cameraDriver->currentChoice(); });
  connect(_cameraDriver, &CameraDriverController::driverChanged, _camera,
          &CameraController::cameraDriverChanged);

  connect(_camera, &CameraController::controlsChanged, this, [this] { updateControls(); });
  connect(_list, &NamesController::controlsChanged, this, [this] { updateControls(); });
  connect(_list, &NamesController::listChanged, _camera, &CameraController::updateAutoWatch);
  connect(_filing, &FilingController::watchConditionsChanged, _camera,
          &CameraController::updateAutoWatch);
  connect(_filing, &FilingController::targetFolderChanged, this, [this](const QString& folder) {
    _backup->setTargetDir(folder);
    _camera->targetFolderChanged(folder);
  });
  connect(_filing, &FilingController::photoFiled, this, [this](const std::string& savedPath) {
    _preview->scheduleLatestCapturePreviewAtPath(savedPath);
    _backup->backupSavedFile(savedPath);
  });
  connect(_filing, &FilingController::photoCounted, _photoLimit,
          &PhotoLimitController::photoCounted);
  // The preview keeps showing a photo that moved to another person, under its new name.
  connect(_lastPhotos, &LastPhotosController::photosMoved, _preview,
          [this](const std::vector<std::pair<std::string, std::string>>& moves) {
            for (const auto& [from, to] : moves) {
              if (_preview->currentPreviewFile() == from) _preview->showPreviewPath(to, true);
            }
          });
  connect(_filing, &FilingController::settingsChanged, this, [this] { savePersistentPaths(); });
  // The shot ledger follows every photo from the camera's announcement to its backup.
  connect(_worker, &WorkerSupervisor::lineReceived, _ledger,
          [this](const std::string& line) { _ledger->workerLine(line); });
  connect(_filing, &FilingController::photoFiledFrom, _ledger, &LedgerController::photoFiled);
  connect(_repair, &FolderRepairController::photosRenamed, _ledger,
          [this](const std::vector<std::pair<std::string, std::string>>& renames) {
            _ledger->photosRenamed(renames);
          });
  connect(_lastPhotos, &LastPhotosController::photosMoved, _ledger,
          &LedgerController::photosRenamed);
  // A chosen yearbook portrait follows its photo.
  connect(_repair, &FolderRepairController::photosRenamed, _yearbook,
          &YearbookController::photosRenamed);
  connect(_lastPhotos, &LastPhotosController::photosMoved, _yearbook,
          [this](const std::vector<std::pair<std::string, std::string>>& moves) {
            _yearbook->photosRenamed(moves);
          });
  connect(_backup, &BackupController::backupJobDone, _ledger,
          &LedgerController::refreshBackupStates);
  connect(_tags, &TagsController::tagsChanged, this, [this] { updatePathLabels(); });
  connect(_filing, &FilingController::foldersRescanned, this, [this] { updatePathLabels(); });
  // A worker that ended may leave a photo it wrote but never announced; a folder chosen later may
  // find photos that waited for one.
  connect(_worker, &WorkerSupervisor::workerExited, _unfiled, [this] {
    if (!_terminated) _unfiled->announceFound();
  });
  connect(_filing, &FilingController::targetFolderChanged, _unfiled,
          [this] { _unfiled->announceFound(); });
  connect(_status, &StatusController::storageRefreshed, _backup,
          &BackupController::updateBackupCard);
  _repair->installRepairActions(_rows);
}

void VantrelAppDelegate::buildUI() {
  if (_window) return;
  applyAppearance();
  auto* window = new MainWindow(_displayVersion, _list->tableModel());
  _window = window;
  connect(this, &VantrelAppDelegate::quitRequested, qApp, &QApplication::quit,
          Qt::QueuedConnection);
  connect(window, &MainWindow::closeRequested, this, [this] { emit quitRequested(); });
  connect(window, &MainWindow::settingsPopoverOpening, this, [this] { updatePathLabels(); });
  attachWindow(window);
  wireWindowActions(window);
  wireListViews(window);
  window->show();

  // The tail of start-up.
  restoreSavedPaths();
  // Before the camera connects: what a crash left behind is asked about on its own.
  _unfiled->offerAtLaunch();
  _status->updateStorageLabel();
  _status->startStorageTimer();
  QTimer::singleShot(kUpdateCheckDelayMs, _updates,
                     [this] { _updates->checkForUpdatesInBackgroundIfDue(); });
  _camera->startAutoDetectTimer();
}

void VantrelAppDelegate::attachWindow(MainWindow* window) {
  _status->attach(window->statusViews);
  _camera->attach(window->cameraViews);
  _cameraDriver->attach(window->cameraDriverViews);
  _list->attach(window->namesViews);
  _rows->attach(window->rowViews);
  _filing->attach(window->filingViews);
  _tags->attach(window->settings.tagRow, window->settings.tagManageButton);
  _backup->attach(window->backupViews);
  _backup->installBackupMenu(window->actions.backupMenu);
  _preview->attach(window->previewViews);
  _yearbook->attachPreview(window->previewViews.image);
  _yearbook->restorePortraitFrame();
  _unfiled->attach(window->unfiledViews);
  _scanSelect->attach(window->namesViews.searchField, window->namesViews.table, window);
  _photoLimit->attach(window->photoLimitViews);
}

void VantrelAppDelegate::wireWindowActions(MainWindow* window) {
  const WindowActions& a = window->actions;
  connect(a.checkForUpdates, &QAction::triggered, _updates,
          [this] { _updates->checkForUpdatesInteractive(); });
  connect(a.quit, &QAction::triggered, this, [this] { emit quitRequested(); });
  for (const auto& [action, command] : a.edit) {
    connect(action, &QAction::triggered, _rows,
            [this, command = command] { _rows->performEditCommand(command); });
  }
  connect(a.shotLedger, &QAction::triggered, _ledger, [this] { _ledger->showLedgerWindow(); });
  connect(a.exportLedger, &QAction::triggered, _ledger, [this] { _ledger->exportLedger(); });
  connect(a.importList, &QAction::triggered, _list, [this] { _list->loadCSV(); });
  connect(a.exportList, &QAction::triggered, _list, [this] { _list->exportGrid(); });
  connect(a.renamePhotoFolder, &QAction::triggered, _repair,
          [this] { _repair->renameFolderInteractive(); });
  connect(a.moveLastPhotos, &QAction::triggered, _lastPhotos,
          [this] { _lastPhotos->moveLastPhotos(); });
  connect(a.exportYearbook, &QAction::triggered, _yearbook, [this] { _yearbook->exportPackage(); });
  connect(a.connectNow, &QAction::triggered, _camera, [this] { _camera->connectCameraManual(); });
  connect(a.forceReconnect, &QAction::triggered, _camera,
          [this] { _camera->forceCameraReconnect(); });
  connect(a.disconnect, &QAction::triggered, _camera, [this] { _camera->disconnectCamera(); });
  const UnfiledDownloadsViews& unfiled = window->unfiledViews;
  connect(unfiled.fileForSelectedItem, &QAction::triggered, _unfiled,
          [this] { _unfiled->fileForSelectedPerson(); });
  connect(unfiled.fileForPersonItem, &QAction::triggered, _unfiled,
          [this] { _unfiled->fileForChosenPerson(); });
  connect(unfiled.leaveItem, &QAction::triggered, _unfiled, [this] { _unfiled->leaveThem(); });
  const CameraViews& camera = window->cameraViews;
  connect(camera.autoConnectItem, &QAction::triggered, _camera,
          [this] { _camera->toggleAutoConnect(); });
  connect(camera.takePhotoItem, &QAction::triggered, _camera, [this] { _camera->takePhoto(); });
  connect(camera.forceReconnectButton, &QPushButton::clicked, _camera,
          [this] { _camera->forceCameraReconnect(); });
  for (int tag = 0; tag < camera.destinationButtons.size(); ++tag) {
    connect(camera.destinationButtons[tag], &QPushButton::clicked, _camera,
            [this, tag] { _camera->selectDestination(tag); });
  }
  const FilingViews& filing = window->filingViews;
  connect(filing.counterField, &QLineEdit::textEdited, _filing,
          [this](const QString& typed) { _filing->counterTextEdited(typed); });
  connect(filing.folderButton, &QPushButton::clicked, _filing, [this] { _filing->selectFolder(); });
  connect(window->settings.tagManageButton, &QPushButton::clicked, _tags,
          [this] { _tags->manageSuffixes(); });
  connect(window->settings.resetButton, &QPushButton::clicked, this, [this] { resetWorkflow(); });
  const PreviewViews& preview = window->previewViews;
  connect(preview.previousButton, &QPushButton::clicked, _preview,
          [this] { _preview->previewPreviousImage(); });
  connect(preview.nextButton, &QPushButton::clicked, _preview,
          [this] { _preview->previewNextImage(); });
  connect(preview.revealButton, &QPushButton::clicked, _preview,
          [this] { _preview->revealPreviewInFinder(); });
}

void VantrelAppDelegate::wireListViews(MainWindow* window) {
  const NamesViews& views = window->namesViews;
  connect(views.searchField, &QLineEdit::textEdited, _list,
          [this](const QString& typed) { _list->searchTextEdited(typed); });
  connect(views.addSearchButton, &QPushButton::clicked, _list,
          [this] { _list->addSearchAsCSVRow(); });
  connect(views.clearSearchButton, &QPushButton::clicked, _list, [this] { _list->clearSearch(); });
  connect(views.filterButton, &QPushButton::clicked, _list,
          [this] { _list->cycleCaptureFilter(); });
  connect(views.exportButton, &QPushButton::clicked, _list, [this] { _list->exportGrid(); });
  VantrelTableView* table = window->table;
  connect(table->horizontalHeader(), &QHeaderView::sectionClicked, _list,
          [this](int column) { _list->nameHeaderClicked(column); });
  connect(table, &QTableView::clicked, _list,
          [this](const QModelIndex& index) { _list->tableClicked(index); });
  connect(table->selectionModel(), &QItemSelectionModel::selectionChanged, _list,
          [this] { _list->tableSelectionChanged(); });
  connect(_list->tableModel(), &NamesTableModel::nameEdited, _rows,
          [this](qint64 row, bool accepted) { _rows->tableNameEdited(row, accepted); });
  table->_rowDragData = [this](int displayRow) { return _rows->rowDragMimeData(displayRow); };
  table->_validateDrop = [this](const QMimeData* data, VantrelTableView::DropTarget target) {
    return _rows->validateTableDrop(data, target.row, target.onto);
  };
  table->_acceptDrop = [this](const QMimeData* data, VantrelTableView::DropTarget target) {
    return _rows->acceptTableDrop(data, target.row, target.onto);
  };
  table->_onContextMenu = [this](int displayRow, const QPoint& globalPos) {
    _rows->showRowContextMenu(displayRow, globalPos);
  };
  window->emptyDropZone->_onClick = [this] { _list->loadCSV(); };
  window->emptyDropZone->_onDropPaths = [this](const QStringList& paths) {
    return _list->appendDroppedCSVPaths(paths);
  };
  const RowEditViews& rows = window->rowViews;
  connect(rows.noteField, &QLineEdit::textEdited, _rows,
          [this](const QString& note) { _rows->noteTextEdited(note); });
  connect(rows.noteIndicator, &QPushButton::clicked, _rows, [this] { _rows->focusNoteField(); });
  const WindowActions& a = window->actions;
  connect(a.insertAbove, &QAction::triggered, _rows, [this] { _rows->ctxInsertAbove(); });
  connect(a.insertBelow, &QAction::triggered, _rows, [this] { _rows->ctxInsertBelow(); });
  connect(a.editNote, &QAction::triggered, _rows, [this] { _rows->ctxEditNote(); });
  connect(a.toggleMarker, &QAction::triggered, _rows, [this] { _rows->ctxToggleMarker(); });
  connect(a.deleteRow, &QAction::triggered, _rows, [this] { _rows->ctxDeleteRow(); });
  connect(rows.renameFolderItem, &QAction::triggered, _rows,
          [this] { _rows->requestFolderAction(QStringLiteral("rename")); });
  connect(rows.openFolderItem, &QAction::triggered, _rows,
          [this] { _rows->requestFolderAction(QStringLiteral("open")); });
}

void VantrelAppDelegate::applyAppearance() {
  applyLightAppearance();
  updateControls();
  _status->updateStorageLabel();
}

void VantrelAppDelegate::savePersistentPaths() {
  _list->saveSelection();
  _filing->saveSettings();
}

void VantrelAppDelegate::restoreSavedPaths() {
  _filing->restoreSettings();
  _cameraDriver->restoreSettings();
  _camera->restoreSettings();
  _backup->setTargetDir(_filing->targetDir());
  _backup->restoreBackupSettings();
  _photoLimit->restoreSettings();
  _list->restoreList();
  // The folder scan above ran before the list was back; count against the restored names.
  _filing->rescanOutputFolders();
  updatePathLabels();
  _status->updateStorageLabel();
  updateControls();
}

void VantrelAppDelegate::resetWorkflow() {
  if (_camera->state().watching) {
    const auto stop = vantrel::names::stopWatchingFirstAlert();
    _status->showAlert(utf8Text(stop.title), utf8Text(stop.message));
    return;
  }
  if (!_list->confirmReset()) return;
  _list->resetList();
  _filing->resetForNextJob();
  _tags->turnAllSuffixesOff();
  // Through the destination control, so that a connected camera is told as well.
  _camera->selectDestination(0);
  for (const QString& key : settings_keys::kWorkflowKeys) _defaults->remove(key);
  _defaults->flush();
  updatePathLabels();
  _status->updateStorageLabel();
  _camera->updateAutoWatch();
  _status->setStatus(utf8Text(vantrel::names::resetCompleteStatus()), QStringLiteral("neutral"));
}

void VantrelAppDelegate::updateControls() {
  _camera->updateControls();
  if (!_window) return;
  const bool setupAllowed = _camera->setupAllowed();
  const SettingsViews& settings = _window->settings;
  styleButton(settings.gearButton, QStringLiteral("⚙"), palette::brand(), true);
  styleButton(settings.resetButton, QStringLiteral("↻ Reset workflow"), palette::red(),
              setupAllowed);
  _filing->updateControls(setupAllowed);
  _tags->updateControls(setupAllowed);
  _list->updateControls();
  _preview->updateControls();
}

void VantrelAppDelegate::updatePathLabels() {
  _filing->refreshFolderLabel();
  _backup->refreshBackupButton();
  _list->updateNameColumnCount();
}
