// A shoot through the gphoto2 driver: the application chooses it, the worker loads the bridge,
// libgphoto2's own PTP/IP driver talks to the test camera on loopback, and every photo is filed,
// counted and backed up with the camera's exact bytes.
#include <QDirIterator>
#include <QFile>

#include "ptpip_camera_process.h"
#include "shell_fixture.h"

namespace {

using GphotoShoot = ShellTest;

QByteArray bytesOf(const QString& file) {
  QFile in(file);
  return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

TEST_F(GphotoShoot, PhotosShotOnANetworkCameraAreFiledCountedAndBackedUp) {
  PtpIpCameraProcess camera(path(QStringLiteral("camera")).toStdString(), 300000);
  ASSERT_TRUE(camera.listening());
  const std::string port = camera.gphoto_port();  // ptpip:127.0.0.1:PORT:PORT
  const QString address = QString::fromStdString(port.substr(std::string("ptpip:").size()))
                              .section(QLatin1Char(':'), 0, 1);
  env().sdkPath.clear();
  env().makersLibraryPath = path(QStringLiteral("no-maker/libEDSDK.so"));
  env().gphotoLibraryPath = QStringLiteral(VANTREL_GPHOTO_PATH);
  // As typed into the settings: the camera's address and its own port.
  setStoredValue(QStringLiteral("VantrelNetworkCameraAddress"), address);
  auto& app = launchWithBackup({"Ann Lee"});
  ASSERT_EQ(app.cameraDriver().currentChoice().driver, vantrel::link::CameraDriver::Gphoto);
  ASSERT_EQ(app.cameraDriver().currentChoice().workerEnvironment.at("VANTREL_GPHOTO_PORT"), port);

  app.camera().connectCameraManual();
  ASSERT_TRUE(waitFor([&] { return app.camera().state().watching; }, 30000))
      << app.status().lastFriendlyStatus().toStdString();
  camera.command("shoot 3");
  const QString folder = photos() + "/Ann Lee";
  ASSERT_TRUE(waitFor([&] { return app.list().names().capturedForModelRow(0) == 3; }, 30000));
  for (int n = 1; n <= 3; ++n) {
    const QString name = QStringLiteral("Ann Lee_%1.JPG").arg(n, 4, 10, QLatin1Char('0'));
    const QByteArray shot = QByteArray::fromStdString(camera.shot_bytes(
        QStringLiteral("IMG_%1.JPG").arg(n, 4, 10, QLatin1Char('0')).toStdString()));
    ASSERT_EQ(shot.size(), 300000);
    EXPECT_EQ(bytesOf(folder + "/" + name), shot) << name.toStdString();
    EXPECT_TRUE(waitFor([&] { return bytesOf(backupDir() + "/Ann Lee/" + name) == shot; }, 20000))
        << "backup of " << name.toStdString();
  }
  EXPECT_TRUE(QDir(photos()).entryList({QStringLiteral("IMG_*")}, QDir::Files).isEmpty());
}

}  // namespace
