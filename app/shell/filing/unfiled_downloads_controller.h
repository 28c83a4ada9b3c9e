// Photos left under their camera names in the download folder after a crash, a power cut or a
// worker that ended mid-download. At launch they are offered in one alert; found in the middle
// of a shoot they are announced in the status and offered in the Camera menu. Nothing is filed
// without the operator's answer.
#pragma once

#include <QObject>
#include <QString>
#include <set>
#include <string>
#include <vector>

class Dialogs;
class FilingController;
class NamesController;
class QAction;
class StatusController;

struct UnfiledDownloadsViews {
  QAction* fileForSelectedItem = nullptr;
  QAction* fileForPersonItem = nullptr;
  QAction* leaveItem = nullptr;
};

class UnfiledDownloadsController : public QObject {
  Q_OBJECT
 public:
  // `unsetDownloadFolder` is where photos wait while no target folder is set.
  UnfiledDownloadsController(FilingController* filing, NamesController* names,
                             StatusController* status, Dialogs* dialogs,
                             QString unsetDownloadFolder, QObject* parent = nullptr);

  void attach(const UnfiledDownloadsViews& views);
  // At launch: asks in one alert what to do with the photos found.
  void offerAtLaunch();
  // In the middle of a shoot: says in the status what was found; the Camera menu offers it.
  void announceFound();
  void fileForSelectedPerson();
  // Asks for the person first.
  void fileForChosenPerson();
  // Not offered again before the next launch.
  void leaveThem();
  // The photos found and not yet answered for, oldest first.
  const std::vector<std::string>& pending() const { return _pending; }

 private:
  std::vector<std::string> findNew();
  void fileFor(qint64 row);
  void setPending(std::vector<std::string> paths);
  void updateMenu();

  FilingController* _filing;
  NamesController* _names;
  StatusController* _status;
  Dialogs* _dialogs;
  QString _unsetDownloadFolder;
  UnfiledDownloadsViews _views;
  std::vector<std::string> _pending;
  std::set<std::string> _left;
  bool _launchOfferMade = false;
};
