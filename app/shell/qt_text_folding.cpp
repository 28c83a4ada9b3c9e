#include "qt_text_folding.h"

#include <QCollator>
#include <QString>
#include <memory>

vantrel::names::TextFolding namesTextFolding() {
  auto collator = std::make_shared<QCollator>();
  collator->setCaseSensitivity(Qt::CaseInsensitive);
  collator->setNumericMode(true);
  auto fromUtf8 = [](std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
  };
  return {[fromUtf8](std::string_view s) { return fromUtf8(s).toLower().toStdString(); },
          [collator, fromUtf8](std::string_view a, std::string_view b) {
            return collator->compare(fromUtf8(a), fromUtf8(b));
          }};
}
