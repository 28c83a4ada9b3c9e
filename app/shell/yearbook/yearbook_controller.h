// The yearbook subsystem: the portrait chosen per person with "Use for Yearbook" (the preview's
// context menu), kept true while photos are renamed and moved; the 4:5 crop frame over the
// preview; and "Export Yearbook Package…", which builds the package on a thread of its own
// while the window goes on, then stores the file names it gave.
#pragma once

#include <QObject>
#include <QString>
#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "yearbook_result.h"

class Dialogs;
class FilingController;
class NamesController;
class PreviewController;
class QLabel;
class QPoint;
class StatusController;
class UserDefaults;

namespace vantrel::names {
class NamesList;
}

class YearbookController : public QObject {
  Q_OBJECT
 public:
  YearbookController(NamesController* names, FilingController* filing, PreviewController* preview,
                     StatusController* status, Dialogs* dialogs, UserDefaults* defaults,
                     QObject* parent = nullptr);
  ~YearbookController() override;

  // The preview's context menu: "Use for Yearbook" and "Show Yearbook Crop".
  void attachPreview(QLabel* image);
  // The crop frame as last chosen.
  void restorePortraitFrame();

  bool exportRunning() const { return _export.joinable(); }
  // Asks the running export to stop and waits for it (the application is quitting).
  void stopForTermination();

 public slots:
  void useShownPhotoForYearbook();
  void setPortraitFrameShown(bool shown);
  void exportPackage();
  // Photos were renamed or moved (old path, new path): chosen portraits follow them.
  void photosRenamed(const std::vector<std::pair<std::string, std::string>>& renames);

 signals:
  // An export ended (written, refused or failed); for tests.
  void exportFinished(const vantrel::yearbook::YearbookResult& result);

 private:
  void showPreviewMenu(const QPoint& globalPos);
  void exportProgress(int done, int total);
  void exportDone(const vantrel::names::NamesList& exported, const QString& packageFolder,
                  const vantrel::yearbook::YearbookResult& result);
  // The file names the package gave, kept for the next export: for each row still the person
  // it was when the export read the list.
  void storeAssignedFileNames(const vantrel::names::NamesList& exported,
                              const vantrel::yearbook::YearbookResult& result);
  void showSummary(const QString& packageFolder, const vantrel::yearbook::YearbookResult& result);
  double headroom() const;

  NamesController* _names;
  FilingController* _filing;
  PreviewController* _preview;
  StatusController* _status;
  Dialogs* _dialogs;
  UserDefaults* _defaults;
  bool _terminating = false;
  std::atomic<bool> _cancel{false};
  std::thread _export;
};
