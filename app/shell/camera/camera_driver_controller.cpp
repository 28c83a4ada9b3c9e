#include "camera_driver_controller.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QSignalBlocker>

#include "settings_keys.h"
#include "user_defaults.h"
#include "utf8_text.h"

using vantrel::link::CameraDriver;

CameraDriverController::CameraDriverController(const AppEnvironment& env, UserDefaults* defaults,
                                               QObject* parent)
    : QObject(parent), _env(env), _defaults(defaults) {}

void CameraDriverController::attach(const CameraDriverViews& views) {
  _views = views;
  if (_views.driverChoice) {
    for (CameraDriver driver :
         {CameraDriver::MakersLibrary, CameraDriver::Gphoto, CameraDriver::Simulated}) {
      if (driver == CameraDriver::Simulated && _env.simulatedLibraryPath.isEmpty()) continue;
      _views.driverChoice->addItem(utf8Text(vantrel::link::driverTitle(driver)),
                                   static_cast<int>(driver));
    }
    connect(_views.driverChoice, &QComboBox::activated, this, [this](int index) {
      chooseDriver(static_cast<CameraDriver>(_views.driverChoice->itemData(index).toInt()));
    });
  }
  if (_views.networkAddress) {
    _views.networkAddress->setPlaceholderText(QStringLiteral("Network camera address (optional)"));
    _views.networkAddress->setToolTip(
        QStringLiteral("Empty: a camera on USB is found by itself. For a camera on the network, "
                       "its address (192.168.1.20), with its port when it is not the standard "
                       "one (192.168.1.20:15740)."));
    connect(_views.networkAddress, &QLineEdit::editingFinished, this,
            [this] { setNetworkAddress(_views.networkAddress->text()); });
  }
  showChoice();
}

void CameraDriverController::restoreSettings() {
  _chosen.reset();
  if (const auto value = _defaults->string(settings_keys::kCameraDriver)) {
    _chosen = vantrel::link::driverFromSettingValue(value->toStdString());
  }
  _networkAddress = _defaults->string(settings_keys::kNetworkCameraAddress).value_or(QString());
  showChoice();
}

vantrel::link::CameraLibraryChoice CameraDriverController::currentChoice() const {
  const vantrel::link::CameraLibraries libraries{_env.makersLibraryPath.toStdString(),
                                                 _env.gphotoLibraryPath.toStdString(),
                                                 _env.simulatedLibraryPath.toStdString()};
  return vantrel::link::chooseCameraLibrary(
      _chosen, _env.sdkPath.toStdString(), libraries, _networkAddress.toStdString(),
      [](const std::string& path) { return QFileInfo(QString::fromStdString(path)).isFile(); });
}

void CameraDriverController::chooseDriver(CameraDriver driver) {
  _chosen = driver;
  _defaults->set(settings_keys::kCameraDriver, utf8Text(vantrel::link::driverSettingValue(driver)));
  _defaults->flush();
  showChoice();
  // Also when chosen again: a library installed meanwhile is tried at once.
  emit driverChanged();
}

void CameraDriverController::setNetworkAddress(const QString& address) {
  const QString trimmed = address.trimmed();
  if (trimmed == _networkAddress) return;
  _networkAddress = trimmed;
  _defaults->set(settings_keys::kNetworkCameraAddress, trimmed);
  _defaults->flush();
  showChoice();
  if (currentChoice().driver == CameraDriver::Gphoto) emit driverChanged();
}

void CameraDriverController::showChoice() {
  const auto choice = currentChoice();
  if (_views.driverChoice) {
    const QSignalBlocker blocker(_views.driverChoice);
    _views.driverChoice->setCurrentIndex(
        _views.driverChoice->findData(static_cast<int>(choice.driver)));
    _views.driverChoice->setEnabled(!choice.fromEnvironment);
    _views.driverChoice->setToolTip(
        choice.fromEnvironment ? QStringLiteral("Set by VANTREL_SDK_PATH: %1").arg(_env.sdkPath)
                               : QStringLiteral("The camera library: %1")
                                     .arg(QString::fromStdString(choice.libraryPath)));
  }
  if (_views.networkAddress) {
    if (_views.networkAddress->text() != _networkAddress) {
      _views.networkAddress->setText(_networkAddress);
    }
    _views.networkAddress->setVisible(choice.driver == CameraDriver::Gphoto &&
                                      !choice.fromEnvironment);
  }
}
