// Every modal question the application asks goes through this interface, so that tests can
// answer it without a real dialog.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // An alert with one "OK" button.
  virtual void alert(const QString& title, const QString& message) = 0;
  // An alert with several buttons; returns the index of the one pressed (0 is the default).
  virtual int ask(const QString& title, const QString& message, const QStringList& buttons) = 0;
  // A folder chooser; empty when cancelled.
  virtual QString chooseFolder(const QString& title, const QString& startFolder) = 0;
  // Files to open with one of `extensions` (without dots); empty when cancelled.
  virtual QStringList chooseFiles(const QString& title, const QStringList& extensions,
                                  bool multiple) = 0;
  // Where to save, with a proposed file name; empty when cancelled.
  virtual QString chooseSaveFile(const QString& title, const QString& proposedName) = 0;
  // A one-line text prompt; nothing when cancelled.
  virtual std::optional<QString> prompt(const QString& title, const QString& message,
                                        const QString& text, const QString& okTitle) = 0;
};
