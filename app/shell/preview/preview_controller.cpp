#include "preview_controller.h"

#include <QApplication>
#include <QDirIterator>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

#include "file_manager_reveal.h"
#include "image_types.h"
#include "palette.h"
#include "preview_image.h"
#include "view_styling.h"

namespace {
constexpr int kPreviewDebounceMs = 450;
}

PreviewController::PreviewController(QObject* parent) : QObject(parent) {
  _previewReader.setMaxThreadCount(1);
}

PreviewController::~PreviewController() {
  _stopped = true;
  _previewReader.waitForDone();
}

void PreviewController::attach(const PreviewViews& views) {
  _views = views;
}

void PreviewController::scheduleLatestCapturePreviewAtPath(const QString& path) {
  if (path.isEmpty()) return;
  _pendingPreviewPath = path;
  if (!_previewDebounce) {
    _previewDebounce = new QTimer(this);
    _previewDebounce->setSingleShot(true);
    _previewDebounce->setInterval(kPreviewDebounceMs);
    connect(_previewDebounce, &QTimer::timeout, this,
            [this] { showPendingLatestCapturePreview(); });
  }
  _previewDebounce->start();  // a capture within the pause pushes the preview back again
}

void PreviewController::showPendingLatestCapturePreview() {
  if (!_pendingPreviewPath.isEmpty()) showPreviewPath(_pendingPreviewPath, true);
}

void PreviewController::refreshPreviewImageListAroundPath(const QString& path) {
  _previewImagePaths.clear();
  const QString target = _targetFolder ? _targetFolder() : QString();
  const QString folder = !target.isEmpty() ? target : QFileInfo(path).absolutePath();
  if (folder.isEmpty()) {
    _previewIndex = -1;
    return;
  }
  std::vector<std::pair<QDateTime, QString>> found;
  QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString file = it.next();
    if (!vantrel::filing::isPreviewableImagePath(file.toStdString())) continue;
    const QDateTime modified = it.fileInfo().lastModified();
    found.emplace_back(modified.isValid() ? modified : QDateTime::fromMSecsSinceEpoch(0), file);
  }
  std::stable_sort(found.begin(), found.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (const auto& entry : found) _previewImagePaths << entry.second;
  const qsizetype at = _previewImagePaths.indexOf(path);
  _previewIndex = at >= 0 ? at : _previewImagePaths.size() - 1;
}

void PreviewController::showPreviewPath(const QString& path, bool refreshList) {
  if (path.isEmpty()) return;
  if (refreshList) refreshPreviewImageListAroundPath(path);
  const QSize box = _views.image ? _views.image->size() - QSize(8, 8) : QSize();
  const quint64 request = ++_previewRequest;
  // A large photo takes a moment to read; the window goes on meanwhile.
  _previewReader.start([this, request, path, box] {
    if (request != _previewRequest.load()) return;  // a newer photo is already wanted
    const QImage image = loadPreviewImage(path, box);
    QMetaObject::invokeMethod(
        this, [this, request, path, image] { previewImageRead(request, path, image); },
        Qt::QueuedConnection);
  });
}

void PreviewController::previewImageRead(quint64 request, const QString& path,
                                         const QImage& image) {
  if (request != _previewRequest.load() || _stopped) return;
  if (!image.isNull()) {
    _currentPreviewPath = path;
    if (_views.image) {
      _views.image->setPixmap(QPixmap::fromImage(image));
      _views.image->setProperty("sourcePath", path);
    }
    if (_views.downloadedPill) _views.downloadedPill->setVisible(true);
    if (_views.fileName) {
      _views.fileName->setText(QStringLiteral("%1  (%2/%3)")
                                   .arg(QFileInfo(path).fileName())
                                   .arg(_previewIndex + 1)
                                   .arg(_previewImagePaths.size()));
    }
  }
  updateControls();
}

void PreviewController::previewPreviousImage() {
  if (_previewIndex > 0) {
    --_previewIndex;
    showPreviewPath(_previewImagePaths.at(_previewIndex), false);
  }
}

void PreviewController::previewNextImage() {
  if (_previewIndex >= 0 && _previewIndex < _previewImagePaths.size() - 1) {
    ++_previewIndex;
    showPreviewPath(_previewImagePaths.at(_previewIndex), false);
  }
}

void PreviewController::revealPreviewInFinder() {
  if (_currentPreviewPath.isEmpty() || !QFileInfo::exists(_currentPreviewPath)) {
    QApplication::beep();
    return;
  }
  revealInFileManager(_currentPreviewPath, QFileInfo(_currentPreviewPath).absolutePath(), this);
}

void PreviewController::updateControls() {
  const qint64 count = _previewImagePaths.size();
  if (_views.previousButton) {
    styleButton(_views.previousButton, QStringLiteral("◀"), palette::blue(), _previewIndex >= 1);
  }
  if (_views.nextButton) {
    styleButton(_views.nextButton, QStringLiteral("▶"), palette::blue(),
                _previewIndex >= 0 && _previewIndex < count - 1);
  }
  if (_views.revealButton) {
    styleButton(_views.revealButton, QStringLiteral("📂"), palette::gray(),
                !_currentPreviewPath.isEmpty());
  }
}
