// A fresh home for a controller: its own settings, data, runtime, photo and scratch folders below
// `home`, the XDG variables and QSettings pointed there, and an environment that starts the real
// worker on the simulated camera with a short discovery.
#pragma once

#include <QDir>
#include <QFile>
#include <QSettings>

#include "app_environment.h"

inline AppEnvironment prepareFreshHome(const QString& home, const QString& workerPath,
                                       const QString& sdkPath) {
  const QDir root(home);
  for (const char* sub : {"config", "data", "run", "home", "cache", "photos", "tmp"}) {
    root.mkpath(QString::fromLatin1(sub));
  }
  QFile::setPermissions(root.filePath(QStringLiteral("run")),
                        QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  qputenv("XDG_CONFIG_HOME", root.filePath(QStringLiteral("config")).toUtf8());
  qputenv("XDG_DATA_HOME", root.filePath(QStringLiteral("data")).toUtf8());
  qputenv("XDG_CACHE_HOME", root.filePath(QStringLiteral("cache")).toUtf8());
  qputenv("XDG_RUNTIME_DIR", root.filePath(QStringLiteral("run")).toUtf8());
  qputenv("HOME", root.filePath(QStringLiteral("home")).toUtf8());
  // QSettings reads its folder once per process; point it at this home's folder.
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                     root.filePath(QStringLiteral("config")));
  AppEnvironment env = AppEnvironment::standard();
  env.workerPath = workerPath;
  env.sdkPath = sdkPath;
  env.dataFolder = root.filePath(QStringLiteral("data/Vantrel Tether"));
  env.gridStorePath = env.dataFolder + QStringLiteral("/vantrel_grid.csv");
  env.lockPath = root.filePath(QStringLiteral("run/com.vantrel.tether.single-instance.lock"));
  env.tempFolder = root.filePath(QStringLiteral("run"));
  env.wakeAddress = QStringLiteral("127.0.0.1");
  // A short discovery: the production strategy polls for two minutes without a camera.
  env.workerEnvironment[QStringLiteral("VANTREL_CPP_DETECT_STRATEGY")] = QStringLiteral("v21");
  return env;
}
