// Filing: the target folder, the photo counter, the filing thread that moves each download into
// the current person's folder, and the folder rescans that keep the counts true.
#pragma once

#include <QMutex>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "filed_photos.h"
#include "photo_refiling.h"
#include "published_filing_state.h"

class Dialogs;
class FilingThread;
class NamesController;
class QLabel;
class QLineEdit;
class QPushButton;
class StatusController;
class TagsController;
class UserDefaults;
struct FilingOutcome;

struct FilingViews {
  QLineEdit* counterField = nullptr;
  QPushButton* folderButton = nullptr;
  QLabel* folderPathLabel = nullptr;
};

class FilingController : public QObject {
  Q_OBJECT
 public:
  FilingController(NamesController* names, TagsController* tags, StatusController* status,
                   Dialogs* dialogs, UserDefaults* defaults, QObject* parent = nullptr);
  ~FilingController() override;

  void attach(const FilingViews& views);
  // Whether the camera is watching, for the look of the "Saved" status.
  void setWatchingSource(std::function<bool()> watching) { _watching = std::move(watching); }
  void startFilingThread();
  // Lets the photo in progress finish and ends the filing thread.
  void finishAndStop();
  bool filingIdle() const;

  const QString& targetDir() const { return _targetDir; }
  void selectFolder();
  // Makes `path` the target folder as the chooser would; false (with an alert) when refused.
  bool setTargetFolder(const QString& path);
  void restoreSettings();
  void saveSettings();
  // No target folder and the counter back at 1, for the next job.
  void resetForNextJob();

  // A downloaded photo to file, by its file-name bytes; from any thread. A path already waiting
  // is not taken twice.
  void handleDownloadedPath(const std::string& path);
  // Photos found under their camera names, filed in this order for the person at model row
  // `row`, whoever is selected meanwhile.
  void fileDownloadsFor(const std::vector<std::string>& paths, qint64 row);
  // Whether `path` is waiting for the filing thread or being filed now.
  bool waitingForFiling(const std::string& path);
  // The person, tags, folder and row the next photo is filed under, handed to the filing thread.
  void publishSnapshot();

  // The photos filed this session into the current target folder, in filing order.
  const vantrel::filing::FiledPhotos& filedPhotos() const { return _filedPhotos; }
  // Filed photos renamed or moved elsewhere: the record follows them.
  void followRenamedPhotos(const std::vector<vantrel::filing::PhotoRename>& renames);
  // The last `count` photos filed, filed again for the person at model row `row` with the next
  // numbers in that person's folders; the counter moves past them as for new photos.
  vantrel::filing::RefilingResult refileLastPhotos(std::size_t count, qint64 row);

  QString counterText() const;
  void setCounterText(const QString& text);
  void counterTextEdited(const QString& text);
  void rescanOutputFolders();
  void refreshFolderLabel();
  void updateControls(bool setupAllowed);

 signals:
  // A filing task finished (success or failure); tests wait for it. The path is for reading
  // only: a name that is not UTF-8 shows replacement characters.
  void captureFiled(const QString& savedPath, const QString& error);
  // A photo stands in its person's folder, counted; `savedPath` is its file-name bytes.
  void photoFiled(const std::string& savedPath);
  // The same, after every photoFiled receiver: the download it came from and the person's name.
  void photoFiledFrom(const std::string& sourcePath, const std::string& savedPath,
                      const std::string& person);
  // After photoFiled: the photo was counted against model row `row` (-1: nobody's).
  void photoCounted(qint64 row);
  void targetFolderChanged(const QString& folder);
  // The folder or the counter changed: the application's settings are saved (all of them, as
  // the selection goes with each photo).
  void settingsChanged();
  // Something watching depends on changed.
  void watchConditionsChanged();
  // The photo folders were read again: the path-dependent displays follow.
  void foldersRescanned();

 private:
  void filingFinished(const FilingOutcome& outcome);
  void counterAdvanced();
  vantrel::filing::PersonChoice personAt(qint64 row) const;
  // The spelling `path` is queued under, or empty when it is already waiting.
  std::string claimForFiling(const std::string& path);

  NamesController* _names;
  TagsController* _tags;
  StatusController* _status;
  Dialogs* _dialogs;
  UserDefaults* _defaults;
  std::function<bool()> _watching;
  FilingViews _views;
  QString _targetDir;
  QString _counterFallbackText = QStringLiteral("1");  // before the window exists
  vantrel::filing::PublishedFilingState _published;
  vantrel::filing::FiledPhotos _filedPhotos;
  QMutex _renameLock;
  std::unordered_set<std::string> _renameQueuedPaths;
  std::unique_ptr<FilingThread> _filingThread;
};
