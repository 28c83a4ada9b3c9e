// The application's settings store (organization "Vantrel", application "Vantrel Tether").
#pragma once

#include <QSettings>
#include <QString>
#include <QVariant>
#include <optional>

class UserDefaults {
 public:
  UserDefaults();

  std::optional<QString> string(const QString& key) const;
  std::optional<qint64> integer(const QString& key) const;
  bool boolean(const QString& key, bool whenAbsent) const;
  QVariant value(const QString& key) const { return settings_.value(key); }
  bool contains(const QString& key) const { return settings_.contains(key); }

  void set(const QString& key, const QVariant& value) { settings_.setValue(key, value); }
  void remove(const QString& key) { settings_.remove(key); }
  // Writes to disk at once.
  void flush() { settings_.sync(); }

 private:
  QSettings settings_;
};
