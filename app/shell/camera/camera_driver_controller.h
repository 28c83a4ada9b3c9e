// The camera driver setting: which camera library the worker loads (the maker's, the gphoto2
// bridge, or the simulated camera where the build has one) and, for gphoto2, a network camera's
// address. Owns the setting and its controls in the settings popover.
#pragma once

#include <QObject>
#include <optional>

#include "app_environment.h"
#include "camera_driver.h"

class QComboBox;
class QLineEdit;
class UserDefaults;

struct CameraDriverViews {
  QComboBox* driverChoice = nullptr;
  QLineEdit* networkAddress = nullptr;
};

class CameraDriverController : public QObject {
  Q_OBJECT
 public:
  CameraDriverController(const AppEnvironment& env, UserDefaults* defaults,
                         QObject* parent = nullptr);

  void attach(const CameraDriverViews& views);
  void restoreSettings();
  // The library the next worker loads, with what it needs besides.
  vantrel::link::CameraLibraryChoice currentChoice() const;
  // As chosen in the settings popover.
  void chooseDriver(vantrel::link::CameraDriver driver);
  void setNetworkAddress(const QString& address);

 signals:
  // The driver was chosen (again) or the address changed: a worker with another library is to
  // be restarted, and a library found missing is to be tried again.
  void driverChanged();

 private:
  void showChoice();

  const AppEnvironment& _env;
  UserDefaults* _defaults;
  CameraDriverViews _views;
  std::optional<vantrel::link::CameraDriver> _chosen;
  QString _networkAddress;
};
