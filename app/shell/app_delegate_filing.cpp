// Filing each downloaded photo into the current person's folder, counting it and showing it.
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QMutexLocker>
#include <QTableView>

#include "filing_messages.h"
#include "filing_thread.h"
#include "names_table_model.h"
#include "photo_counter.h"
#include "photo_recount.h"
#include "settings_keys.h"
#include "user_defaults.h"
#include "vantrel_app_delegate.h"

namespace {
const QString& kSuffixesKey = settings_keys::kSuffixes;
}

void VantrelAppDelegate::handleDownloadedPath(const QString& path) {
  const QString trimmedPath = path.trimmed();
  if (trimmedPath.isEmpty()) return;
  const QString standard = QDir::cleanPath(trimmedPath);
  {
    QMutexLocker lock(&_renameLock);
    if (_renameQueuedPaths.contains(standard)) return;
    _renameQueuedPaths.insert(standard);
  }
  if (_filingThread) _filingThread->enqueue(standard);
}

vantrel::filing::FilingSnapshot VantrelAppDelegate::filingSnapshot() {
  vantrel::filing::FilingSnapshot snapshot;
  snapshot.targetFolder = _targetDir.toStdString();
  const qint64 tableRow = currentTableModelRow();
  if (tableRow >= 0) _names.setSelectedRow(tableRow);
  _lastCaptureRow = tableRow >= 0 ? tableRow : _names.selectedRow();
  snapshot.captureRow = _lastCaptureRow;
  snapshot.personName = std::string(_names.nameForModelRow(_lastCaptureRow));
  snapshot.suffixString = _suffixes.enabledSuffixString();
  snapshot.counterText = counterText().toStdString();
  return snapshot;
}

void VantrelAppDelegate::advanceCounterPast(std::int64_t next) {
  if (const auto text =
          vantrel::filing::counterTextAfterFiling(counterText().toStdString(), next)) {
    setCounterText(QString::fromStdString(*text));
  }
  savePersistentPaths();
}

void VantrelAppDelegate::filingFinished(const QString& sourcePath, const QString& savedPath,
                                        const QString& error, qint64 captureRow) {
  {
    QMutexLocker lock(&_renameLock);
    _renameQueuedPaths.remove(sourcePath);
  }
  if (!savedPath.isEmpty()) {
    markCaptureForRow(captureRow, savedPath);
    scheduleLatestCapturePreviewAtPath(savedPath);
    setStatus(QString::fromStdString(
                  vantrel::filing::savedStatus(QFileInfo(savedPath).fileName().toStdString())),
              _camera.watching ? QStringLiteral("watching") : QStringLiteral("good"));
    updateStorageLabel();
    scheduleReadyStatusRefresh();
    backupSavedFile(savedPath);
  } else if (!error.isEmpty()) {
    showAlert(QString::fromUtf8(vantrel::filing::kWriteErrorTitle.data(),
                                static_cast<qsizetype>(vantrel::filing::kWriteErrorTitle.size())),
              error);
    setStatus(error, QStringLiteral("error"));
  }
  emit captureFiled(savedPath, error);
}

void VantrelAppDelegate::markCaptureForRow(qint64 row, const QString&) {
  if (!_names.isValidRow(row)) return;
  _names.addCaptureToModelRow(row);
  _gridStore->saveIfChanged(_names);
  _names.applySearchFilter();
  reloadTable();
  selectModelRowInTable(_names.selectedRow(), false);
  updatePathLabels();
}

QString VantrelAppDelegate::counterText() const {
  return _counterField ? _counterField->text() : _counterFallbackText;
}

void VantrelAppDelegate::setCounterText(const QString& text) {
  if (_counterField) {
    _counterField->setText(text);
  } else {
    _counterFallbackText = text;
  }
}

void VantrelAppDelegate::counterTextEdited(const QString& text) {
  QString digits;
  for (const QChar c : text) {
    if (c.isDigit() && c.unicode() < 128) digits.append(c);
  }
  if (digits != text && _counterField) _counterField->setText(digits);
  savePersistentPaths();
  updatePathLabels();
}

void VantrelAppDelegate::rescanOutputFolders() {
  if (_targetDir.isEmpty() || _names.isEmpty()) return;
  if (vantrel::filing::syncCapturedCountsFromDisk(_names, _targetDir.toStdString())) {
    _gridStore->saveIfChanged(_names);
    reloadTable();
  }
}

void VantrelAppDelegate::updateNameColumnCount() {
  if (!_tableModel) return;
  _tableModel->setNameTitle(QString::fromStdString(
      vantrel::filing::nameColumnTitleWithCount(_names.display().sortMode(), _names.rowCount())));
}

void VantrelAppDelegate::loadSuffixes() {
  std::vector<vantrel::filing::StoredSuffixTag> stored;
  for (const QVariant& element : _defaults->value(kSuffixesKey).toList()) {
    vantrel::filing::StoredSuffixTag tag;
    if (element.typeId() != QMetaType::QVariantMap) {
      tag.isRecord = false;
      stored.push_back(tag);
      continue;
    }
    const QVariantMap record = element.toMap();
    auto text = [&](const char* key) -> std::optional<std::string> {
      const QVariant v = record.value(QString::fromLatin1(key));
      if (v.typeId() != QMetaType::QString) return std::nullopt;
      return v.toString().toStdString();
    };
    tag.label = text("label");
    tag.suffix = text("suffix");
    tag.on = record.value(QStringLiteral("on")).toBool();
    stored.push_back(tag);
  }
  _suffixes = vantrel::filing::SuffixTags::fromStored(stored);
}

void VantrelAppDelegate::saveSuffixes() {
  QVariantList list;
  for (const auto& tag : _suffixes.tags()) {
    list << QVariantMap{{QStringLiteral("label"), QString::fromStdString(tag.label)},
                        {QStringLiteral("suffix"), QString::fromStdString(tag.suffix)},
                        {QStringLiteral("on"), tag.on}};
  }
  _defaults->set(kSuffixesKey, list);
  _defaults->flush();
}

bool VantrelAppDelegate::filingIdle() const {
  return !_filingThread || _filingThread->idle();
}
