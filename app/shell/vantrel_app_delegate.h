// The composition root: creates the subsystem controllers, connects them, builds the window and
// runs the launch and termination order. Each controller owns its own state; this class owns
// none of theirs.
//
//   StatusController       status line, camera pill, storage card, alerts
//   WorkerSupervisor       the worker process: launch, lines, exit, stray workers
//   CameraController       connect, disconnect, reconnects, auto-connect, watching, save mode
//   CameraDriverController which camera library the worker loads
//   NamesController        the list, its store, import/export, search/filter/sort, selection
//   NameRowActions         row menu, clipboard, notes, drags
//   ScanSelectController   scan to select (Enter in the search field, keys from the table)
//   TagsController         folder suffix tags
//   FilingController       target folder, counter, filing thread, rescans
//   FolderRepairController renames and moves of photo folders
//   LastPhotosController   the last photos filed moved to another person
//   PhotoLimitController   photos per person: the warning and the move to the next person
//   UnfiledDownloadsController photos left under camera names after a crash
//   BackupController       backup queue, copies, retry, recovery, menu, button, card
//   PreviewController      the preview and stepping through photos
//   LedgerController       the shot ledger and its window
//   UpdateChecker          the update check
//   MainWindow             the widgets and menus
#pragma once

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <memory>

#include "app_environment.h"
#include "single_instance_lock.h"

class BackupController;
class CameraController;
class CameraDriverController;
class Dialogs;
class FilingController;
class FolderRepairController;
class LedgerController;
class LastPhotosController;
class MainWindow;
class NameRowActions;
class NamesController;
class PhotoLimitController;
class PreviewController;
class ScanSelectController;
class StatusController;
class TagsController;
class UnfiledDownloadsController;
class UpdateChecker;
class UserDefaults;
class WorkerSupervisor;
class YearbookController;

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
  // The application's icon, for the window and the alerts; null when no resource loads.
  const QIcon& applicationIcon() const { return _appIcon; }
  // Up and down arrows move through the list, left and right through the photos; a change of
  // the desktop's theme re-applies the light appearance.
  bool eventFilter(QObject* watched, QEvent* event) override;

  // --- Window and settings ---
  void buildUI();
  // Forces the light palette, also under a dark desktop theme.
  void applyAppearance();
  void savePersistentPaths();
  void restoreSavedPaths();
  // Clears the list, the target folder, the tags, the destination and the counter for the
  // next job; refused while watching and asked first.
  void resetWorkflow();
  void updateControls();
  void updatePathLabels();

  // --- The subsystems ---
  StatusController& status() { return *_status; }
  WorkerSupervisor& worker() { return *_worker; }
  CameraController& camera() { return *_camera; }
  CameraDriverController& cameraDriver() { return *_cameraDriver; }
  NamesController& list() { return *_list; }
  NameRowActions& rows() { return *_rows; }
  TagsController& tags() { return *_tags; }
  FilingController& filing() { return *_filing; }
  FolderRepairController& repair() { return *_repair; }
  LastPhotosController& lastPhotos() { return *_lastPhotos; }
  ScanSelectController& scanSelect() { return *_scanSelect; }
  PhotoLimitController& photoLimit() { return *_photoLimit; }
  UnfiledDownloadsController& unfiled() { return *_unfiled; }
  BackupController& backup() { return *_backup; }
  PreviewController& preview() { return *_preview; }
  LedgerController& ledger() { return *_ledger; }
  YearbookController& yearbook() { return *_yearbook; }
  UpdateChecker& updates() { return *_updates; }
  QWidget* window() const;
  AppEnvironment& environment() { return _env; }

 signals:
  void quitRequested();

 private:
  void wireSubsystems();
  void attachWindow(MainWindow* window);
  void wireWindowActions(MainWindow* window);
  void wireListViews(MainWindow* window);

  AppEnvironment _env;
  Dialogs* _dialogs;
  std::unique_ptr<UserDefaults> _defaults;
  SingleInstanceLock _instanceLock;
  QString _displayVersion;
  QIcon _appIcon;
  bool _terminated = false;
  QPointer<MainWindow> _window;
  QPointer<QWidget> _splashWindow;

  // Children of this object, created in the order they depend on each other.
  StatusController* _status;
  WorkerSupervisor* _worker;
  NamesController* _list;
  NameRowActions* _rows;
  TagsController* _tags;
  FilingController* _filing;
  CameraDriverController* _cameraDriver;
  CameraController* _camera;
  BackupController* _backup;
  FolderRepairController* _repair;
  LastPhotosController* _lastPhotos;
  PhotoLimitController* _photoLimit;
  ScanSelectController* _scanSelect;
  UnfiledDownloadsController* _unfiled;
  PreviewController* _preview;
  LedgerController* _ledger;
  YearbookController* _yearbook;
  UpdateChecker* _updates;
};
