// The update check: once a day in the background and on request, against the release service
// configured for this deployment. The rules are the update library's; this is the network.
#pragma once

#include <QObject>
#include <QString>

class Dialogs;
class QNetworkAccessManager;
class QNetworkReply;
class StatusController;
class UserDefaults;

class UpdateChecker : public QObject {
  Q_OBJECT
 public:
  UpdateChecker(const QString& displayVersion, StatusController* status, Dialogs* dialogs,
                UserDefaults* defaults, QObject* parent = nullptr);

  // "Check for Updates…": reports every outcome, failures included.
  void checkForUpdatesInteractive();
  // At most one silent check a day; true when a check was started.
  bool checkForUpdatesInBackgroundIfDue();
  void checkForUpdatesShowingNoUpdate(bool reportAll);
  // The release service: $VANTREL_UPDATE_URL, else the "VantrelUpdateURL" setting; empty: none.
  QString updateServiceAddress() const;
  bool updateCheckInFlight() const { return _updateChecksInFlight > 0; }

 private:
  void updateReplyFinished(QNetworkReply* reply, bool reportAll);
  void promptUpdateToVersion(const QString& message, const QString& informativeText,
                             const QString& address);

  QString _displayVersion;
  StatusController* _status;
  Dialogs* _dialogs;
  UserDefaults* _defaults;
  QNetworkAccessManager* _updateNetwork = nullptr;
  int _updateChecksInFlight = 0;
};
