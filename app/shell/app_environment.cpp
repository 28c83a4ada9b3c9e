#include "app_environment.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QStandardPaths>

#include "single_instance_lock.h"

AppEnvironment AppEnvironment::standard() {
  AppEnvironment env;
  const QString appDir = QCoreApplication::applicationDirPath();
  env.workerPath = QDir(appDir).filePath(QStringLiteral("vantrel_cpp_worker"));
  env.sdkPath = qEnvironmentVariable("VANTREL_SDK_PATH");
  // Installed under lib/vantrel/; in the build tree beside the other libraries.
  const auto firstPresent = [&appDir](const QStringList& relatives) {
    for (const QString& relative : relatives) {
      const QString path = QDir::cleanPath(appDir + relative);
      if (QFileInfo::exists(path)) return path;
    }
    return QString();
  };
  env.makersLibraryPath = QDir::cleanPath(appDir + QStringLiteral("/../lib/vantrel/libEDSDK.so"));
  env.gphotoLibraryPath = firstPresent({QStringLiteral("/../lib/vantrel/libvantrel_gphoto.so"),
                                        QStringLiteral("/../lib/libvantrel_gphoto.so")});
  if (env.gphotoLibraryPath.isEmpty()) {
    env.gphotoLibraryPath =
        QDir::cleanPath(appDir + QStringLiteral("/../lib/vantrel/libvantrel_gphoto.so"));
  }
  // Offered in development builds only: an installed application keeps its simulated camera for
  // VANTREL_SDK_PATH, so that nobody shoots a day into a pretend camera by a slip in the settings.
  env.simulatedLibraryPath = firstPresent({QStringLiteral("/../lib/libvantrel_simcam.so")});
  env.dataFolder = QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
                       .filePath(QStringLiteral("Vantrel Tether"));
  env.gridStorePath = QDir(env.dataFolder).filePath(QStringLiteral("vantrel_grid.csv"));
  env.lockPath = SingleInstanceLock::defaultLockPath();
  env.tempFolder = SingleInstanceLock::perUserTempFolder();
  QString cache = qEnvironmentVariable("XDG_CACHE_HOME");
  if (cache.isEmpty()) cache = QDir::home().filePath(QStringLiteral(".cache"));
  env.unsetDownloadFolder =
      QDir(cache).filePath(QStringLiteral("vantrel-tether/VantrelTether-unset"));
  const QStringList resourceCandidates = {
      QDir(appDir).filePath(QStringLiteral("resources")),
      QDir::cleanPath(appDir + QStringLiteral("/../share/vantrel-tether")),
      QStringLiteral(VANTREL_SOURCE_RESOURCES)};
  for (const QString& folder : resourceCandidates) {
    if (QDir(folder).exists()) {
      env.resourceFolder = folder;
      break;
    }
  }
  env.workerEnvironment = {
      {QStringLiteral("VANTREL_VERBOSE_LOGS"), QStringLiteral("0")},
      {QStringLiteral("VANTREL_DIAG"), QStringLiteral("0")},
      {QStringLiteral("VANTREL_CPP_DETECT_STRATEGY"), QStringLiteral("matrix")},
      {QStringLiteral("VANTREL_CPP_REGISTER_STATE_HANDLER"), QStringLiteral("1")},
  };
  // The vendor's Linux library delivers events only through EdsGetEvent.
  if (!QProcessEnvironment::systemEnvironment().contains(QStringLiteral("VANTREL_CPP_PUMP_MODE"))) {
    env.workerEnvironment.insert(QStringLiteral("VANTREL_CPP_PUMP_MODE"), QStringLiteral("both"));
  }
  return env;
}
