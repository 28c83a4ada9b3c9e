#include "qt_text_folding.h"

#include <QCollator>
#include <QLocale>
#include <QString>
#include <memory>

namespace {

QString fromUtf8(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Qt turns every byte that is not UTF-8 into the same replacement character: such bytes are kept
// as they are, so that two different names never fold to the same text.
std::string lowerKeepingInvalidBytes(std::string_view text) {
  std::string lowered;
  lowered.reserve(text.size());
  for (const auto& piece : vantrel::names::utf8Pieces(text)) {
    if (piece.valid) {
      lowered += fromUtf8(piece.bytes).toLower().toStdString();
    } else {
      lowered += piece.bytes;
    }
  }
  return lowered;
}

std::string invalidBytes(std::string_view text) {
  std::string bytes;
  for (const auto& piece : vantrel::names::utf8Pieces(text))
    if (!piece.valid) bytes += piece.bytes;
  return bytes;
}

}  // namespace

vantrel::names::TextFolding namesTextFolding() {
  // In the C locale (LANG=C.UTF-8, common on small systems) Qt's collator ignores every setting
  // and compares code points: "Room 10" would sort before "Room 9". English collation there.
  const QLocale system;
  auto collator = std::make_shared<QCollator>(
      system.language() == QLocale::C ? QLocale(QLocale::English) : system);
  collator->setCaseSensitivity(Qt::CaseInsensitive);
  collator->setNumericMode(true);
  return {lowerKeepingInvalidBytes, [collator](std::string_view a, std::string_view b) {
            // Names the collator cannot tell apart are told apart by their bytes that are not
            // UTF-8, which it sees only as replacement characters.
            const int order = collator->compare(fromUtf8(a), fromUtf8(b));
            if (order != 0) return order;
            return invalidBytes(a).compare(invalidBytes(b));
          }};
}
