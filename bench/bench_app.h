// The real application's controller in a fresh home for the shoot-day benchmarks: its own
// settings, data and runtime folders under /tmp, the real worker and the simulated camera, dialogs
// that answer nothing. A QApplication must exist first.
#pragma once

#include <QMap>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <vector>

#include "app_subsystems.h"
#include "filing_watch.h"
#include "names_types.h"
#include "scripted_dialogs.h"

class BenchApp {
 public:
  // `camera` holds VANTREL_SIM_* settings for the simulated camera.
  BenchApp(const std::vector<vantrel::names::Row>& roster, const QMap<QString, QString>& camera);
  ~BenchApp();
  BenchApp(const BenchApp&) = delete;
  BenchApp& operator=(const BenchApp&) = delete;

  // Starts the controller and waits for its window; false when it did not come up.
  bool launch(bool autoConnect);
  // Connects the camera by hand and waits until the application watches for shots.
  bool connectAndWatch();
  // Launches, connects and watches, with the first person's folder under watch; nothing (after
  // saying why) when that fails.
  std::unique_ptr<FilingWatch> startShooting(const QString& person);
  // Serves events until `condition` holds; false after `timeoutMs`.
  bool waitFor(const std::function<bool()>& condition, int timeoutMs);

  VantrelAppDelegate& app() { return *app_; }
  QString path(const QString& relative) const;
  QString photos() const { return path(QStringLiteral("photos")); }
  // The simulated camera's call log (empty until the camera starts).
  QString cameraLog() const { return path(QStringLiteral("camera.log")); }
  // The simulated camera's control file: each appended "shoot" line is a press of the shutter.
  QString cameraControl() const { return path(QStringLiteral("camera.control")); }

 private:
  QTemporaryDir home_;
  AppEnvironment env_;
  ScriptedDialogs dialogs_;
  std::unique_ptr<VantrelAppDelegate> app_;
};
