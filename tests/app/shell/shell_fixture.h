// A controller in a fresh home: its own settings, data and runtime folders, scripted dialogs,
// the real worker and the simulated camera.
#pragma once

#include <gtest/gtest.h>

#include <QByteArrayList>
#include <QDir>
#include <QTemporaryDir>
#include <memory>

#include "app_subsystems.h"
#include "child_sanitizer_reports.h"
#include "scripted_dialogs.h"

// Readable QString values in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

// The splash of a launch in the tests (the application's own is 1.15 s).
inline constexpr int kTestSplashMs = 100;

class ShellTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The environment the controller is built with; adjust before launch().
  AppEnvironment& env() { return env_; }
  // Launches and waits for the window (after a splash of kTestSplashMs).
  VantrelAppDelegate& launch();
  // Launches with `names`, the target folder photos(), no auto-connect, and backups going to
  // backupDir().
  VantrelAppDelegate& launchWithBackup(const QByteArrayList& names);
  // Writes a grid store holding `names` before launch.
  void writeGridStore(const QStringList& names);
  // The same with each name's bytes as they are, UTF-8 or not (as an older version kept them).
  void writeGridStore(const QByteArrayList& names);
  void setStoredValue(const QString& key, const QVariant& value);
  // Processes events until `condition` holds; false on timeout.
  bool waitFor(const std::function<bool()>& condition, int timeoutMs = 20000);
  void feedLine(const std::string& line) { app().camera().handleWorkerLine(line); }

  VantrelAppDelegate& app() { return *app_; }
  QString path(const QString& relative) const { return QDir(home_.path()).filePath(relative); }
  QString photos() const { return path(QStringLiteral("photos")); }
  QString backupDir() const { return path(QStringLiteral("backup")); }

  ScriptedDialogs dialogs_;

 private:
  QTemporaryDir home_;
  AppEnvironment env_;
  // Reports of the workers (and programs) this test starts: the controller ignores them.
  std::unique_ptr<ChildSanitizerReports> childReports_;
  std::unique_ptr<VantrelAppDelegate> app_;
};
