// The one owner of the application's state. Each subsystem keeps its state in its own class
// from the logic libraries; this controller wires them together, runs the timers and threads,
// and implements the operator's actions. Its member functions are spread over one source file
// per subsystem (app_delegate_*.cpp).
#pragma once

#include <QElapsedTimer>
#include <QIcon>
#include <QMutex>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QStringList>
#include <QThreadPool>
#include <QTimer>
#include <QWidget>
#include <atomic>
#include <memory>

#include "app_environment.h"
#include "backup_coordinator.h"
#include "camera_state.h"
#include "filing_host.h"
#include "folder_renamer.h"
#include "grid_store.h"
#include "names_list.h"
#include "single_instance_lock.h"
#include "suffix_tags.h"
#include "worker_line_assembler.h"

class Dialogs;
class FilingThread;
class NamesTableModel;
class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QSplitter;
class QStackedWidget;
class QTableView;

class UserDefaults;
struct BackupServices;
class VantrelDropZone;
class WorkerProcess;

class VantrelAppDelegate : public QObject {
  Q_OBJECT
 public:
  VantrelAppDelegate(AppEnvironment environment, Dialogs* dialogs, QObject* parent = nullptr);
  ~VantrelAppDelegate() override;

  // --- Launch and termination ---
  // The start-up sequence; false when another copy already runs (the caller then quits).
  bool applicationDidFinishLaunching();
  void applicationWillTerminate();
  bool acquireSingleInstanceLock();
  void showSplash();
  void closeSplash();
  QString resourcePath(const QString& name) const;
  QIcon imageResourceNamedAny(const QStringList& names) const;
  bool eventFilter(QObject* watched, QEvent* event) override;

  // --- Settings ---
  void savePersistentPaths();
  void restoreSavedPaths();
  void selectSavedOrFirstCSVRow();
  void selectFolder();
  // The list becomes the first column of `path` (the CSV import without its questions).
  bool importFirstColumnFromCSV(const QString& path);
  // Makes `path` the target folder as the chooser would; false (with an alert) when refused.
  bool setTargetFolder(const QString& path);

  // --- Status, storage, paths ---
  void setStatus(const QString& text, const QString& kind);
  void refreshReadyStatusIfIdle();
  void scheduleReadyStatusRefresh();
  void showAlert(const QString& title, const QString& message);
  void updateControls();
  quint64 freeLaptopBytes() const;
  quint64 totalLaptopBytes() const;
  void updateStorageLabel();
  void updatePathLabels();
  void updateEmptyState();
  bool showSelectionTotalsIfMultiple();

  // --- Worker supervision ---
  void startWorkerIfNeeded();
  void sendWorkerLine(const QString& line);
  void consumeWorkerChunk(const QByteArray& chunk);
  void handleWorkerLine(const std::string& line);
  void scheduleAutoReconnect();
  void handleUnexpectedDisconnect(const QString& message);
  void killStrayWorkers();
  bool workerRunning() const;
  qint64 workerPid() const;

  // --- Camera messages and pill ---
  QString friendlyStatusForWorker(const QString& text) const;
  void warnIfPhysicalCaptureIsNotReady();
  void refreshCameraStatus();

  // --- Connection control ---
  void connectCamera();
  void connectCameraManual();
  void disconnectCamera();
  void toggleCameraConnection();
  void forceCameraReconnect();
  void toggleAutoConnect();
  void selectDestination(int tag);
  void saveModeChanged();
  void startAutoDetectTimer();
  void autoDetectTick();
  void updateAutoWatch();
  void takePhoto();
  QString selectedSaveModeLower() const;

  // --- Backup ---
  void restoreBackupSettings();
  void backupSavedFile(const QString& path);
  void refreshBackupButton();
  void updateBackupCard();
  void refreshBackupMenu();
  void processBackupQueue();
  void backupRetryTick();
  void attemptBackupDriveRecovery(bool force);
  void chooseBackupFolder();
  // Makes `folder` the backup folder as the chooser would.
  void setBackupFolder(const QString& folder);
  void toggleBackupEnabled();
  void retryBackupNow();
  void wakeAndReconnectBackup();
  void backupMissingNow();
  void clearBackupQueue();
  void backupButtonClicked();
  void installBackupMenu(QMenu* menu);
  const vantrel::backup::BackupCoordinator& backup() const { return *_backup; }

  // --- Filing ---
  void handleDownloadedPath(const QString& path);
  // Main-thread answers for the filing thread.
  vantrel::filing::FilingSnapshot filingSnapshot();
  void advanceCounterPast(std::int64_t next);
  void loadSuffixes();
  void saveSuffixes();
  void rebuildSuffixButtons();
  void restyleSuffixButtons();
  void suffixToggled(int index, bool on);
  void manageSuffixes();
  // The reset for the next job: every tag off, the tags themselves stay.
  void turnAllSuffixesOff();
  const vantrel::filing::SuffixTags& suffixes() const { return _suffixes; }
  void markCaptureForRow(qint64 row, const QString& savedPath);
  void counterTextEdited(const QString& text);
  void rescanOutputFolders();
  void updateNameColumnCount();

  // --- Preview ---
  void scheduleLatestCapturePreviewAtPath(const QString& path);
  void showPendingLatestCapturePreview();
  void showPreviewPath(const QString& path, bool refreshList);
  void refreshPreviewImageListAroundPath(const QString& path);
  // A photo read for the preview has arrived; shown unless a newer one was asked for meanwhile.
  void previewImageRead(quint64 request, const QString& path, const QImage& image);
  void previewPreviousImage();
  void previewNextImage();
  void revealPreviewInFinder();

  // --- Window ---
  void buildUI();
  // Forces the light palette, also under a dark desktop theme.
  void applyAppearance();
  void installMainMenu();
  // Re-filters and redraws the list; the current person stays selected while shown.
  void reloadTable(bool scrollToCurrent = false);
  void tableClicked(const QModelIndex& index);
  void tableSelectionChanged();
  void selectModelRowInTable(qint64 row, bool scroll);
  // Up and down arrows: the next or previous name, even while a text field has focus.
  void moveGridSelectionBy(int step);

  // --- Names list in the window ---
  // Import and export.
  void loadCSV();
  void exportGrid();
  // Files dropped on the table: asks whether to add or replace, then imports. False when
  // nothing was taken.
  bool importDroppedCSVPaths(const QStringList& paths);
  // Files dropped on the empty-list zone: appended without a question; false when nothing was
  // added.
  bool appendDroppedCSVPaths(const QStringList& paths);
  // The common tail of insertions, deletions and dropped imports.
  void afterRowMutationSelect(qint64 row);
  // Search, filter and sort.
  void searchTextEdited(const QString& text);
  void addSearchAsCSVRow();
  void clearSearch();
  void cycleCaptureFilter();
  void updateFilterButton();
  void nameHeaderClicked(int column);
  // The Edit menu: a focused text field edits itself; anywhere else copy and paste work on the
  // list.
  enum class EditCommand { Undo, Redo, Cut, Copy, Paste, SelectAll };
  void performEditCommand(EditCommand command);
  void copy();
  void paste();
  // The row menu, for the clicked display row (-1: below the rows, or from the keyboard).
  void showRowContextMenu(int displayRow, const QPoint& globalPos);
  qint64 contextTargetModelRow() const;
  void ctxInsertAbove();
  void ctxInsertBelow();
  void ctxDeleteRow();
  void ctxEditNote();
  void ctxToggleMarker();
  // The marker column's click and the row menu's "Mark Segment Start".
  void toggleMarkerForModelRow(qint64 row);
  // The note field and its indicator follow the current person.
  void syncNoteFieldToSelection();
  void refreshNoteIndicator();
  void focusNoteField();
  void noteTextEdited(const QString& text);
  // An in-place edit of a name was stored (or refused, keeping the old name).
  void tableNameEdited(qint64 row, bool accepted);
  // Row drags inside the table and roster files dropped on it.
  class QMimeData* rowDragMimeData(int displayRow) const;
  Qt::DropAction validateTableDrop(const QMimeData* data, int row, bool onto);
  bool acceptTableDrop(const QMimeData* data, int row, bool onto);
  // Clears the list, the target folder, the tags, the destination and the counter for the
  // next job; refused while watching and asked first.
  void resetWorkflow();
  // The "List" menu, for items that follow Import and Export.
  QMenu* listMenu() const { return _listMenu; }

  // --- Update check ---
  // "Check for Updates…": reports every outcome, failures included.
  void checkForUpdatesInteractive();
  // At most one silent check a day; true when a check was started.
  bool checkForUpdatesInBackgroundIfDue();
  void checkForUpdatesShowingNoUpdate(bool reportAll);
  // The release service: $VANTREL_UPDATE_URL, else the "VantrelUpdateURL" setting; empty: none.
  QString updateServiceAddress() const;
  bool updateCheckInFlight() const { return _updateChecksInFlight > 0; }

 public slots:
  // --- Folder repair ---
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
  // Connects the row menu's and the table's requests to the actions above.
  void installRepairActions();

 public:
  // Read access for tests and views.
  const vantrel::link::CameraState& camera() const { return _camera; }
  vantrel::names::NamesList& names() { return _names; }
  const QString& targetDir() const { return _targetDir; }
  const QString& lastFriendlyStatus() const { return _lastFriendlyStatus; }
  const QString& lastStatusKind() const { return _lastStatusKind; }
  const QString& cameraStatusText() const { return _cameraStatusText; }
  QString cameraStatusTooltip() const;
  QString counterText() const;
  void setCounterText(const QString& text);
  const QString& currentPreviewPath() const { return _currentPreviewPath; }
  const QStringList& previewImagePaths() const { return _previewImagePaths; }
  qint64 previewIndex() const { return _previewIndex; }
  QWidget* window() const { return _window; }
  AppEnvironment& environment() { return _env; }
  bool filingIdle() const;

 signals:
  // A filing task finished (success or failure); tests wait for it.
  void captureFiled(const QString& savedPath, const QString& error);
  // The worker process ended and the controller has reacted.
  void workerExited();
  void quitRequested();
  // A backup copy job ended and the controller has reacted.
  void backupJobDone();
  // The row menu asks for "rename" (Rename Folder & Images…) or "open" (Open Folder…).
  void rowFolderActionRequested(QString action, qint64 row);
  // One row was dropped onto another.
  void rowDroppedOnRow(qint64 source, qint64 target);

 private:
  friend class FilingThread;
  void ensureBackup();
  void showBackupStatus(const vantrel::backup::StatusText& status);
  bool backupFolderOnRecordedShare() const;
  void backupJobFinished(const vantrel::backup::CopyJob& job,
                         const vantrel::backup::CopyResult& result);
  void captureBackupShareInfo(const QString& backupDir);
  void applyBackupOutcome(const vantrel::backup::CommandOutcome& outcome);
  QString abbreviatedPath(const QString& path) const;
  void filingFinished(const QString& sourcePath, const QString& savedPath, const QString& error,
                      qint64 captureRow);
  void workerProcessExited();
  QString storageBaseFolder() const;
  QWidget* buildLeftPane();
  QWidget* buildRightPane();
  QWidget* buildSettingsPopover();
  void refreshSettingsPaths();
  void toggleSettingsPopover();
  qint64 currentTableModelRow() const;

  AppEnvironment _env;
  Dialogs* _dialogs;
  std::unique_ptr<UserDefaults> _defaults;
  SingleInstanceLock _instanceLock;

  // Camera and worker.
  vantrel::link::CameraState _camera;
  vantrel::link::WorkerLineAssembler _stdoutBuffer;
  QPointer<WorkerProcess> _workerTask;
  QString _cameraStatusText;
  QTimer* _detectTimer = nullptr;
  QTimer* _storageTimer = nullptr;
  QTimer* _backupTimer = nullptr;

  // Names list.
  vantrel::names::NamesList _names;
  std::unique_ptr<vantrel::names::GridStore> _gridStore;
  QString _csvPath;

  // Folders and filing.
  QString _targetDir;
  vantrel::filing::SuffixTags _suffixes;
  qint64 _lastCaptureRow = -1;
  QMutex _renameLock;
  QSet<QString> _renameQueuedPaths;
  std::unique_ptr<FilingThread> _filingThread;

  // Backup.
  std::unique_ptr<vantrel::backup::BackupCoordinator> _backup;
  std::unique_ptr<BackupServices> _backupServices;
  bool _lowLaptopStorageWarningShown = false;

  // Update check and folder repair.
  void updateReplyFinished(class QNetworkReply* reply, bool reportAll);
  void promptUpdateToVersion(const QString& message, const QString& informativeText,
                             const QString& address);
  vantrel::filing::FolderRenamer folderRenamer() const;
  class QNetworkAccessManager* _updateNetwork = nullptr;
  int _updateChecksInFlight = 0;

  // Status.
  QString _lastFriendlyStatus;
  QString _lastStatusKind;
  bool _statusIsReadiness = false;
  qint64 _statusRevertGen = 0;

  // Preview.
  QStringList _previewImagePaths;
  qint64 _previewIndex = -1;
  QString _currentPreviewPath;
  QString _pendingPreviewPath;
  QTimer* _previewDebounce = nullptr;

  QString _counterFallbackText = QStringLiteral("1");  // before the window exists
  QString _displayVersion;
  QIcon _appIcon;
  bool _terminated = false;

  // Views.
  QPointer<QWidget> _window;
  QPointer<QWidget> _splashWindow;
  QLabel* _cameraStatusLabel = nullptr;
  QLabel* _statusLabel = nullptr;
  QLabel* _storageValueLabel = nullptr;
  QFrame* _storageCard = nullptr;
  QLabel* _backupCardValue = nullptr;
  QLineEdit* _counterField = nullptr;
  QPushButton* _gearButton = nullptr;
  QPushButton* _forceReconnectButton = nullptr;
  QPointer<QWidget> _settingsPopover;
  QPushButton* _folderButton = nullptr;
  QLabel* _settingsFolderPathLabel = nullptr;
  QPushButton* _backupButton = nullptr;
  QLabel* _settingsBackupPathLabel = nullptr;
  QList<QPushButton*> _destButtons;
  class QHBoxLayout* _tagRow = nullptr;
  QList<QPushButton*> _suffixButtons;
  QPushButton* _suffixManageButton = nullptr;
  QPushButton* _resetButton = nullptr;
  QLineEdit* _searchField = nullptr;
  QPushButton* _addSearchButton = nullptr;
  QPushButton* _clearSearchButton = nullptr;
  QPushButton* _filterButton = nullptr;
  QPushButton* _exportButton = nullptr;
  QLineEdit* _noteField = nullptr;
  QTableView* _table = nullptr;
  NamesTableModel* _tableModel = nullptr;
  QStackedWidget* _tableStack = nullptr;
  VantrelDropZone* _emptyDropButton = nullptr;
  QLabel* _preview = nullptr;
  QLabel* _previewFilenameLabel = nullptr;
  QLabel* _previewDownloadedPill = nullptr;
  QPushButton* _previewPrevButton = nullptr;
  QPushButton* _previewNextButton = nullptr;
  QPushButton* _previewRevealButton = nullptr;
  QAction* _autoConnectMenuItem = nullptr;
  QAction* _takePhotoMenuItem = nullptr;

  // Names list in the window.
  QPushButton* _noteIndicator = nullptr;
  QMenu* _rowMenu = nullptr;
  QMenu* _listMenu = nullptr;
  QAction* _rowRenameFolderItem = nullptr;
  QAction* _rowOpenFolderItem = nullptr;
  // The display row the row menu was opened on; -1 when none.
  int _contextClickedDisplayRow = -1;
  QAction* _backupEnableMenuItem = nullptr;
  QAction* _backupSyncMenuItem = nullptr;

  // Reads photos for the preview off the main thread, newest request only. Declared last, so it is
  // destroyed first: its destructor waits for a read in progress while everything else still
  // exists.
  std::atomic<quint64> _previewRequest{0};
  QThreadPool _previewReader;
};
