#include "filing_controller.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QMutexLocker>
#include <QPushButton>
#include <filesystem>

#include "dialogs.h"
#include "download_path.h"
#include "filing_messages.h"
#include "filing_thread.h"
#include "names_controller.h"
#include "palette.h"
#include "settings_keys.h"
#include "status_controller.h"
#include "tags_controller.h"
#include "user_defaults.h"
#include "view_styling.h"

FilingController::FilingController(NamesController* names, TagsController* tags,
                                   StatusController* status, Dialogs* dialogs,
                                   UserDefaults* defaults, QObject* parent)
    : QObject(parent),
      _names(names),
      _tags(tags),
      _status(status),
      _dialogs(dialogs),
      _defaults(defaults) {
  _published.setCounterText(_counterFallbackText.toStdString());
  connect(_names, &NamesController::selectionChanged, this, [this] { publishSnapshot(); });
  connect(_tags, &TagsController::tagsChanged, this, [this] { publishSnapshot(); });
}

FilingController::~FilingController() {
  finishAndStop();
}

void FilingController::attach(const FilingViews& views) {
  _views = views;
  if (_views.counterField) _views.counterField->setText(_counterFallbackText);
  refreshFolderLabel();
}

void FilingController::startFilingThread() {
  if (_filingThread) return;
  _filingThread = std::make_unique<FilingThread>(
      _published,
      [this] {
        QMetaObject::invokeMethod(
            this, [this] { counterAdvanced(); }, Qt::QueuedConnection);
      },
      [this](const FilingOutcome& outcome) {
        QMetaObject::invokeMethod(
            this, [this, outcome] { filingFinished(outcome); }, Qt::QueuedConnection);
      });
}

void FilingController::finishAndStop() {
  if (_filingThread) _filingThread->finishAndStop();
}

bool FilingController::filingIdle() const {
  return !_filingThread || _filingThread->idle();
}

// --- Target folder ---

void FilingController::selectFolder() {
  const QString chosen = _dialogs->chooseFolder(QStringLiteral("Choose Target Folder"), _targetDir);
  if (chosen.isEmpty()) return;
  setTargetFolder(chosen);
}

bool FilingController::setTargetFolder(const QString& path) {
  // The worker takes the folder as a command argument: a bar would cut it short there, and a
  // line break would end the command early.
  if (path.contains(QLatin1Char('|')) || path.contains(QLatin1Char('\n')) ||
      path.contains(QLatin1Char('\r'))) {
    _status->showAlert(QStringLiteral("Folder Not Usable"),
                       QStringLiteral("The folder path contains a \"|\" or a line break, which "
                                      "the camera connection cannot carry. Please rename the "
                                      "folder or choose another one.\n\n%1")
                           .arg(path));
    return false;
  }
  _targetDir = path;
  // The photos of another folder are no longer "the last photos filed".
  _filedPhotos = {};
  publishSnapshot();
  emit targetFolderChanged(_targetDir);
  rescanOutputFolders();
  refreshFolderLabel();
  emit settingsChanged();
  _status->updateStorageLabel();
  // Before the status: a change of watching refreshes the readiness summary, which would
  // replace the message at once.
  emit watchConditionsChanged();
  _status->setStatus(QStringLiteral("Target folder selected."), QStringLiteral("good"));
  return true;
}

void FilingController::restoreSettings() {
  if (const auto target = _defaults->string(settings_keys::kTargetDir);
      target && !target->isEmpty() && QFileInfo::exists(*target)) {
    _targetDir = *target;
    publishSnapshot();
    emit targetFolderChanged(_targetDir);
    rescanOutputFolders();
  }
  if (const auto counter = _defaults->integer(settings_keys::kCounter); counter && *counter > 0) {
    setCounterText(QString::number(*counter));
  }
}

void FilingController::saveSettings() {
  if (!_targetDir.isEmpty()) _defaults->set(settings_keys::kTargetDir, _targetDir);
  bool ok = false;
  const qint64 counter = counterText().toLongLong(&ok);
  if (ok && counter > 0) _defaults->set(settings_keys::kCounter, static_cast<qlonglong>(counter));
  _defaults->flush();
}

void FilingController::resetForNextJob() {
  _targetDir.clear();
  _filedPhotos = {};
  publishSnapshot();
  emit targetFolderChanged(_targetDir);
  setCounterText(QStringLiteral("1"));
  refreshFolderLabel();
}

void FilingController::refreshFolderLabel() {
  if (!_views.folderPathLabel) return;
  _views.folderPathLabel->setText(_targetDir.isEmpty() ? QStringLiteral("No folder chosen")
                                                       : abbreviatedHomePath(_targetDir));
  _views.folderPathLabel->setToolTip(_targetDir);
}

// --- Filing ---

std::string FilingController::claimForFiling(const std::string& path) {
  std::string standard = vantrel::filing::standardDownloadPath(path);
  if (standard.empty()) return {};
  QMutexLocker lock(&_renameLock);
  return _renameQueuedPaths.insert(standard).second ? standard : std::string();
}

void FilingController::handleDownloadedPath(const std::string& path) {
  const std::string standard = claimForFiling(path);
  if (!standard.empty() && _filingThread) _filingThread->enqueue(standard);
}

void FilingController::fileDownloadsFor(const std::vector<std::string>& paths, qint64 row) {
  const vantrel::filing::PersonChoice person = personAt(row);
  for (const std::string& path : paths) {
    const std::string standard = claimForFiling(path);
    if (!standard.empty() && _filingThread) _filingThread->enqueue(standard, person);
  }
}

vantrel::filing::PersonChoice FilingController::personAt(qint64 row) const {
  return {std::string(_names->names().nameForModelRow(row)), row};
}

bool FilingController::waitingForFiling(const std::string& path) {
  const std::string standard = vantrel::filing::standardDownloadPath(path);
  QMutexLocker lock(&_renameLock);
  return _renameQueuedPaths.count(standard) > 0;
}

void FilingController::publishSnapshot() {
  vantrel::filing::FilingSnapshot snapshot;
  snapshot.targetFolder = _targetDir.toStdString();
  const qint64 row = _names->captureRow();
  snapshot.captureRow = row;
  snapshot.personName = std::string(_names->names().nameForModelRow(row));
  snapshot.suffixString = _tags->suffixes().enabledSuffixString();
  _published.publish(snapshot);
}

void FilingController::filingFinished(const FilingOutcome& outcome) {
  {
    QMutexLocker lock(&_renameLock);
    _renameQueuedPaths.erase(outcome.sourcePath);
  }
  if (!outcome.savedPath.empty()) {
    _names->markCaptureForRow(outcome.captureRow);
    const bool watching = _watching && _watching();
    _status->setStatus(QString::fromStdString(vantrel::filing::savedStatus(
                           std::filesystem::path(outcome.savedPath).filename().string())),
                       watching ? QStringLiteral("watching") : QStringLiteral("good"));
    _status->updateStorageLabel();
    _status->scheduleReadyStatusRefresh();
    _filedPhotos.add({outcome.savedPath, outcome.suffixString});
    emit photoFiled(outcome.savedPath);
    emit photoFiledFrom(outcome.sourcePath, outcome.savedPath,
                        std::string(_names->names().nameForModelRow(outcome.captureRow)));
    emit photoCounted(outcome.captureRow);
  } else if (!outcome.error.isEmpty()) {
    _status->showAlert(
        QString::fromUtf8(vantrel::filing::kWriteErrorTitle.data(),
                          static_cast<qsizetype>(vantrel::filing::kWriteErrorTitle.size())),
        outcome.error);
    _status->setStatus(outcome.error, QStringLiteral("error"));
  }
  emit captureFiled(QString::fromStdString(outcome.savedPath), outcome.error);
}

void FilingController::followRenamedPhotos(
    const std::vector<vantrel::filing::PhotoRename>& renames) {
  _filedPhotos.followRenames(renames);
}

vantrel::filing::RefilingResult FilingController::refileLastPhotos(std::size_t count, qint64 row) {
  vantrel::filing::RefilingResult result =
      vantrel::filing::refileForPerson(_filedPhotos.last(count), personAt(row), _published);
  _filedPhotos.followRenames(result.moved);
  if (result.counterChanged) counterAdvanced();
  return result;
}

// --- Counter ---

void FilingController::counterAdvanced() {
  const QString text = QString::fromStdString(_published.counterText());
  if (_views.counterField) {
    _views.counterField->setText(text);
  } else {
    _counterFallbackText = text;
  }
  emit settingsChanged();
}

QString FilingController::counterText() const {
  return _views.counterField ? _views.counterField->text() : _counterFallbackText;
}

void FilingController::setCounterText(const QString& text) {
  if (_views.counterField) {
    _views.counterField->setText(text);
  } else {
    _counterFallbackText = text;
  }
  _published.setCounterText(text.toStdString());
}

void FilingController::counterTextEdited(const QString& text) {
  QString digits;
  for (const QChar c : text) {
    if (c.isDigit() && c.unicode() < 128) digits.append(c);
  }
  if (digits != text && _views.counterField) _views.counterField->setText(digits);
  _published.setCounterText(digits.toStdString());
  emit settingsChanged();
}

void FilingController::rescanOutputFolders() {
  _names->syncCountsFromFolder(_targetDir);
  emit foldersRescanned();
}

void FilingController::updateControls(bool setupAllowed) {
  if (_views.folderButton) {
    styleButton(_views.folderButton, QStringLiteral("Change…"),
                _targetDir.isEmpty() ? palette::brand() : palette::green(), setupAllowed);
  }
  if (_views.counterField) {
    styleCounterField(_views.counterField);
    _views.counterField->setEnabled(setupAllowed);
  }
}
