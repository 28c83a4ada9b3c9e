// Where the application finds its companions and keeps its files. Tests replace any of these.
#pragma once

#include <QMap>
#include <QString>

struct AppEnvironment {
  QString workerPath;  // the camera worker, beside the application
  // $VANTREL_SDK_PATH: when set, the camera library whatever driver is chosen.
  QString sdkPath;
  // The camera libraries the driver setting chooses from; the simulated camera's is empty in
  // builds without it.
  QString makersLibraryPath;     // <app dir>/../lib/vantrel/libEDSDK.so
  QString gphotoLibraryPath;     // <app dir>/../lib/vantrel/libvantrel_gphoto.so
  QString simulatedLibraryPath;  // <app dir>/../lib/libvantrel_simcam.so, build tree only
  QString gridStorePath;         // <data location>/Vantrel Tether/vantrel_grid.csv
  QString dataFolder;            // <data location>/Vantrel Tether
  QString lockPath;              // the single-instance lock file
  QString tempFolder;            // the per-user temporary folder
  // Where the worker downloads while no target folder is set: per user, and surviving a reboot
  // or a logout ($XDG_CACHE_HOME/vantrel-tether/VantrelTether-unset, else under ~/.cache).
  QString unsetDownloadFolder;
  QString resourceFolder;  // icons and the splash mark
  // Where the wake-on-LAN packet for a sleeping backup drive goes (tests use loopback).
  QString wakeAddress = QStringLiteral("255.255.255.255");
  quint16 wakePort = 9;
  // The mount table the backup reads to tell which drive holds its folder (tests write their
  // own to simulate unplugged drives).
  QString mountInfoFile = QStringLiteral("/proc/self/mountinfo");
  // How long the splash shows before the window is built (tests shorten it).
  int splashMs = 1150;
  // Options given to every worker. Production values; tests may adjust them.
  QMap<QString, QString> workerEnvironment;

  static AppEnvironment standard();
};
