// The camera driver setting: a library that is missing or does not load is said in plain words,
// is not retried behind the operator's back, and choosing another driver connects.
#include <QFile>
#include <QSettings>
#include <QTest>

#include "shell_fixture.h"

namespace {

class CameraDriverTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    env().sdkPath.clear();
    env().makersLibraryPath = path(QStringLiteral("lib/libEDSDK.so"));
    env().gphotoLibraryPath = path(QStringLiteral("lib/libvantrel_gphoto.so"));
    env().simulatedLibraryPath = QStringLiteral(VANTREL_SIMCAM_PATH);
    writeGridStore({QStringLiteral("Ann")});
    setStoredValue(QStringLiteral("VantrelLastTargetDir"), photos());
  }
  std::string pillText(VantrelAppDelegate& app) {
    return vantrel::link::cameraPill(app.camera().state(), true).text;
  }
};

TEST_F(CameraDriverTest, AMissingLibraryIsNamedWithTheWayOutAndNotRetriedUntilTheDriverChanges) {
  auto& app = launch();
  // Nothing chosen and no maker's library: gphoto2, whose bridge is not there either.
  ASSERT_TRUE(waitFor([&] { return pillText(app) == "No driver"; }, 8000));
  const QString status = app.status().lastFriendlyStatus();
  EXPECT_TRUE(status.startsWith("The gphoto2 camera driver is not installed"))
      << status.toStdString();
  EXPECT_TRUE(status.contains("libgphoto2-6")) << status.toStdString();
  EXPECT_FALSE(app.worker().workerRunning());
  // Auto-connect keeps away from it.
  QTest::qWait(3000);
  EXPECT_EQ(pillText(app), "No driver");
  EXPECT_FALSE(app.worker().workerRunning());

  app.cameraDriver().chooseDriver(vantrel::link::CameraDriver::Simulated);
  EXPECT_TRUE(waitFor([&] { return app.camera().state().cameraConnected; }, 20000));
  QSettings settings(QStringLiteral("Vantrel"), QStringLiteral("Vantrel Tether"));
  EXPECT_EQ(settings.value(QStringLiteral("VantrelCameraDriver")).toString(), "simulated");
}

TEST_F(CameraDriverTest, ALibraryThatDoesNotLoadEndsTheWorkerAndSaysWhy) {
  QDir().mkpath(path(QStringLiteral("lib")));
  QFile notALibrary(env().makersLibraryPath);
  ASSERT_TRUE(notALibrary.open(QIODevice::WriteOnly));
  notALibrary.write("not a shared object");
  notALibrary.close();
  auto& app = launch();
  ASSERT_TRUE(waitFor([&] { return pillText(app) == "No driver"; }, 15000));
  const QString status = app.status().lastFriendlyStatus();
  EXPECT_TRUE(status.startsWith("The camera maker's library could not be loaded"))
      << status.toStdString();
  EXPECT_TRUE(status.contains("Any USB or network camera (gphoto2)")) << status.toStdString();
  EXPECT_TRUE(waitFor([&] { return !app.worker().workerRunning(); }, 8000));
  QTest::qWait(3000);
  EXPECT_FALSE(app.worker().workerRunning()) << "no retry of a library that does not load";
}

}  // namespace
