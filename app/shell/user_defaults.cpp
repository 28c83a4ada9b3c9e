#include "user_defaults.h"

UserDefaults::UserDefaults()
    : settings_(QStringLiteral("Vantrel"), QStringLiteral("Vantrel Tether")) {}

std::optional<QString> UserDefaults::string(const QString& key) const {
  const QVariant v = settings_.value(key);
  if (!v.isValid()) return std::nullopt;
  return v.toString();
}

std::optional<qint64> UserDefaults::integer(const QString& key) const {
  const QVariant v = settings_.value(key);
  bool ok = false;
  const qint64 n = v.toLongLong(&ok);
  if (!v.isValid() || !ok) return std::nullopt;
  return n;
}

bool UserDefaults::boolean(const QString& key, bool whenAbsent) const {
  const QVariant v = settings_.value(key);
  return v.isValid() ? v.toBool() : whenAbsent;
}
