#include "yearbook_controller.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QSaveFile>
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "assigned_file_names.h"
#include "column_guess.h"
#include "dialogs.h"
#include "filing_controller.h"
#include "names_controller.h"
#include "portrait_owner.h"
#include "preview_controller.h"
#include "settings_keys.h"
#include "status_controller.h"
#include "user_defaults.h"
#include "utf8_text.h"
#include "yearbook_exporter.h"
#include "yearbook_fields.h"

namespace fs = std::filesystem;
namespace yb = vantrel::yearbook;
using vantrel::names::ModelRow;
using vantrel::names::NamesList;

namespace {

// A file name as the file system spells it.
fs::path localPath(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

QString fromLocalPath(const fs::path& path) {
  return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

// The status says how far the export is at most this often.
constexpr int kProgressStep = 10;

}  // namespace

YearbookController::YearbookController(NamesController* names, FilingController* filing,
                                       PreviewController* preview, StatusController* status,
                                       Dialogs* dialogs, UserDefaults* defaults, QObject* parent)
    : QObject(parent),
      _names(names),
      _filing(filing),
      _preview(preview),
      _status(status),
      _dialogs(dialogs),
      _defaults(defaults) {}

YearbookController::~YearbookController() {
  // The other controllers may be gone already: nothing the export posted is handled any more.
  _cancel = true;
  if (_export.joinable()) _export.join();
}

void YearbookController::stopForTermination() {
  _terminating = true;
  _cancel = true;
  if (!_export.joinable()) return;
  _export.join();
  // What the export posted before it ended is handled now: a package it finished keeps its names.
  QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

void YearbookController::attachPreview(QLabel* image) {
  if (!image) return;
  image->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(image, &QLabel::customContextMenuRequested, this,
          [this, image](const QPoint& at) { showPreviewMenu(image->mapToGlobal(at)); });
}

void YearbookController::restorePortraitFrame() {
  _preview->setPortraitFrame(_defaults->boolean(settings_keys::kYearbookFrameShown, false),
                             headroom());
}

double YearbookController::headroom() const {
  const qint64 percent = _defaults->integer(settings_keys::kYearbookHeadroom).value_or(0);
  return static_cast<double>(std::clamp<qint64>(percent, -100, 100)) / 100.0;
}

void YearbookController::showPreviewMenu(const QPoint& globalPos) {
  QMenu menu;
  QAction* use = menu.addAction(QStringLiteral("Use for Yearbook"));
  use->setEnabled(!_preview->currentPreviewFile().empty());
  QAction* frame = menu.addAction(QStringLiteral("Show Yearbook Crop"));
  frame->setCheckable(true);
  frame->setChecked(_preview->portraitFrameShown());
  QAction* chosen = menu.exec(globalPos);
  if (chosen == use) useShownPhotoForYearbook();
  if (chosen == frame) setPortraitFrameShown(frame->isChecked());
}

void YearbookController::setPortraitFrameShown(bool shown) {
  _defaults->set(settings_keys::kYearbookFrameShown, shown);
  _preview->setPortraitFrame(shown, headroom());
}

void YearbookController::useShownPhotoForYearbook() {
  const std::string& photo = _preview->currentPreviewFile();
  std::error_code error;
  if (photo.empty() || !fs::is_regular_file(photo, error)) {
    QApplication::beep();
    return;
  }
  const fs::path target = localPath(_filing->targetDir());
  NamesList& list = _names->names();
  const std::optional<ModelRow> owner =
      yb::ownerOfPhoto(list, target, photo, _names->currentTableModelRow());
  if (!owner) {
    QApplication::beep();
    _status->setStatus(
        QStringLiteral("%1 is not in a folder of anyone in the list: no yearbook portrait chosen.")
            .arg(fromLocalPath(fs::path(photo).filename())),
        QStringLiteral("warn"));
    return;
  }
  const bool newField = !list.fieldIndex(yb::kYearbookPhotoField).has_value();
  list.setFieldValue(*owner, list.addField(yb::kYearbookPhotoField),
                     yb::photoPathInTarget(target, photo));
  _names->storeIfChanged();
  if (newField)
    _names->reloadTable();
  else
    _names->rowChanged(*owner);
  _status->setStatus(
      QStringLiteral("%1 is %2's yearbook portrait.")
          .arg(fromLocalPath(fs::path(photo).filename()), utf8Text(list.nameForModelRow(*owner))),
      QStringLiteral("good"));
}

void YearbookController::photosRenamed(
    const std::vector<std::pair<std::string, std::string>>& renames) {
  NamesList& list = _names->names();
  const std::vector<ModelRow> changed =
      yb::followPortraitRenames(list, localPath(_filing->targetDir()), renames);
  if (changed.empty()) return;
  _names->storeIfChanged();
  for (ModelRow row : changed) _names->rowChanged(row);
}

void YearbookController::exportPackage() {
  if (exportRunning()) {
    _status->setStatus(QStringLiteral("A yearbook package is being written already."),
                       QStringLiteral("warn"));
    return;
  }
  if (_filing->targetDir().isEmpty()) {
    _status->showAlert(QStringLiteral("No Target Folder"),
                       QStringLiteral("Choose the target folder that holds the photos first."));
    return;
  }
  const NamesList& list = _names->names();
  YearbookExportRequest request;
  std::vector<std::string> fields;
  for (const std::string& field : list.fieldNames()) {
    fields.push_back(field);
    // The package's own fields fill no index column.
    if (field != yb::kYearbookPhotoField && field != yb::kYearbookFileField)
      request.fieldNames << utf8Text(field);
  }
  request.guess = yb::guessColumnMapping(fields);
  request.initial.volumeName =
      _defaults->string(settings_keys::kYearbookVolume).value_or(QString()).toStdString();
  request.initial.size = _defaults->integer(settings_keys::kYearbookSize).value_or(0) == 1
                             ? yb::PortraitSize::Small
                             : yb::PortraitSize::Large;
  request.initial.copyright =
      _defaults->string(settings_keys::kYearbookCopyright).value_or(QString()).toStdString();
  request.initial.headroom = headroom();
  request.outputFolder =
      _defaults->string(settings_keys::kYearbookFolder).value_or(QDir::homePath());
  request.people = list.rowCount();
  const std::optional<YearbookExportAnswer> answer = _dialogs->yearbookExport(request);
  if (!answer) return;
  _defaults->set(settings_keys::kYearbookVolume, utf8Text(answer->options.volumeName));
  _defaults->set(settings_keys::kYearbookSize,
                 answer->options.size == yb::PortraitSize::Small ? 1 : 0);
  _defaults->set(settings_keys::kYearbookCopyright, utf8Text(answer->options.copyright));
  _defaults->set(settings_keys::kYearbookHeadroom,
                 static_cast<qint64>(std::lround(answer->options.headroom * 100.0)));
  _defaults->set(settings_keys::kYearbookFolder, answer->outputFolder);
  _preview->setPortraitFrame(_preview->portraitFrameShown(), answer->options.headroom);

  // The export reads a copy: the list may change while it runs.
  auto snapshot = std::make_shared<const NamesList>(list);
  const fs::path target = localPath(_filing->targetDir());
  const fs::path output = localPath(answer->outputFolder);
  const QString packageFolder =
      QDir(answer->outputFolder).filePath(utf8Text(answer->options.volumeName));
  const yb::YearbookOptions options = answer->options;
  _cancel = false;
  _status->setStatus(QStringLiteral("Writing the yearbook package…"), QStringLiteral("neutral"));
  _export = std::thread([this, snapshot, target, output, options, packageFolder] {
    auto progress = [this](int done, int total) {
      if (done % kProgressStep != 0 && done != total) return;
      QMetaObject::invokeMethod(
          this, [this, done, total] { exportProgress(done, total); }, Qt::QueuedConnection);
    };
    const yb::YearbookResult result =
        yb::exportYearbook(*snapshot, target, output, options, progress, &_cancel);
    QMetaObject::invokeMethod(
        this,
        [this, snapshot, packageFolder, result] {
          if (_export.joinable()) _export.join();
          exportDone(*snapshot, packageFolder, result);
        },
        Qt::QueuedConnection);
  });
}

void YearbookController::exportProgress(int done, int total) {
  if (!exportRunning()) return;
  _status->setStatus(
      QStringLiteral("Writing the yearbook package… %1 of %2 portraits").arg(done).arg(total),
      QStringLiteral("neutral"));
}

void YearbookController::exportDone(const NamesList& exported, const QString& packageFolder,
                                    const yb::YearbookResult& result) {
  if (result.ok()) {
    storeAssignedFileNames(exported, result);
    if (_terminating) return;
    _status->setStatus(
        QStringLiteral("Yearbook package written: %1 portraits.").arg(result.exported),
        result.missing.empty() ? QStringLiteral("good") : QStringLiteral("warn"));
    showSummary(packageFolder, result);
  } else if (result.error != yb::YearbookError::Cancelled && !_terminating) {
    _status->setStatus(QStringLiteral("The yearbook package was not written."),
                       QStringLiteral("warn"));
    _status->showAlert(QStringLiteral("Yearbook Package Not Written"), utf8Text(result.message));
  }
  emit exportFinished(result);
}

void YearbookController::storeAssignedFileNames(const NamesList& exported,
                                                const yb::YearbookResult& result) {
  NamesList& list = _names->names();
  const bool newField = !list.fieldIndex(yb::kYearbookFileField).has_value();
  yb::applyAssignedFileNames(list, exported, result.assignedFileNames);
  // Stored once, and shown once when the field is new, whatever was applied.
  _names->storeIfChanged();
  if (newField && list.fieldIndex(yb::kYearbookFileField)) _names->reloadTable();
}

void YearbookController::showSummary(const QString& packageFolder,
                                     const yb::YearbookResult& result) {
  QString message = QStringLiteral("%1 portraits were written to %2.")
                        .arg(result.exported)
                        .arg(QDir::toNativeSeparators(packageFolder));
  QStringList buttons{QStringLiteral("OK")};
  if (!result.missing.empty()) {
    message += QStringLiteral("\n\n%1 without a portrait:").arg(result.missing.size());
    constexpr std::size_t kListed = 12;
    for (std::size_t i = 0; i < result.missing.size() && i < kListed; ++i)
      message += QStringLiteral("\n• %1 (%2)")
                     .arg(utf8Text(result.missing[i].name),
                          utf8Text(yb::missingReasonText(result.missing[i])));
    if (result.missing.size() > kListed)
      message += QStringLiteral("\n… and %1 more").arg(result.missing.size() - kListed);
    buttons << QStringLiteral("Save List…");
  }
  if (_dialogs->ask(QStringLiteral("Yearbook Package Written"), message, buttons) != 1) return;
  const QString path = _dialogs->chooseSaveFile(
      QStringLiteral("Save the People Without a Portrait"), QStringLiteral("without portrait.csv"));
  if (path.isEmpty()) return;
  QSaveFile file(path);
  const std::string csv = yb::missingPortraitsCsv(result.missing);
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(csv.data(), static_cast<qint64>(csv.size())) != static_cast<qint64>(csv.size()) ||
      !file.commit())
    _status->showAlert(QStringLiteral("List Not Saved"),
                       QStringLiteral("%1 could not be written: %2").arg(path, file.errorString()));
}
