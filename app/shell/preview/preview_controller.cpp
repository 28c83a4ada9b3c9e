#include "preview_controller.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "file_manager_reveal.h"
#include "palette.h"
#include "portrait_frame.h"
#include "preview_image.h"
#include "preview_photo_list.h"
#include "view_styling.h"

namespace {
constexpr int kPreviewDebounceMs = 450;
// A window being dragged larger resizes many times a second: the photo is read once it rests.
constexpr int kResizeRedrawMs = 150;
}  // namespace

PreviewController::PreviewController(QObject* parent) : QObject(parent) {
  _previewReader.setMaxThreadCount(1);
  _resizeRedraw = new QTimer(this);
  _resizeRedraw->setSingleShot(true);
  _resizeRedraw->setInterval(kResizeRedrawMs);
  connect(_resizeRedraw, &QTimer::timeout, this, [this] {
    if (!_requestedPreviewFile.empty() && !_stopped) showPreviewPath(_requestedPreviewFile, false);
  });
}

PreviewController::~PreviewController() {
  _stopped = true;
  _previewReader.waitForDone();
}

void PreviewController::attach(const PreviewViews& views) {
  _views = views;
  if (_views.image) _views.image->installEventFilter(this);
}

bool PreviewController::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize && watched == _views.image) _resizeRedraw->start();
  return QObject::eventFilter(watched, event);
}

void PreviewController::scheduleLatestCapturePreviewAtPath(const std::string& path) {
  if (path.empty()) return;
  _pendingPreviewFile = path;
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
  if (!_pendingPreviewFile.empty()) showPreviewPath(_pendingPreviewFile, true);
}

void PreviewController::refreshPreviewImageListAroundPath(const std::string& path) {
  const QString target = _targetFolder ? _targetFolder() : QString();
  std::error_code error;
  const std::filesystem::path folder =
      !target.isEmpty() ? std::filesystem::path(QFile::encodeName(target).toStdString())
                        : std::filesystem::absolute(path, error).parent_path();
  _previewImageFiles = previewablePhotosByAge(folder);
  const auto at = std::find(_previewImageFiles.begin(), _previewImageFiles.end(), path);
  _previewIndex = at != _previewImageFiles.end() ? at - _previewImageFiles.begin()
                                                 : std::ssize(_previewImageFiles) - 1;
}

void PreviewController::showPreviewPath(const std::string& path, bool refreshList) {
  if (path.empty()) return;
  if (refreshList) refreshPreviewImageListAroundPath(path);
  _requestedPreviewFile = path;
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

void PreviewController::previewImageRead(quint64 request, const std::string& path,
                                         const QImage& image) {
  if (request != _previewRequest.load() || _stopped) return;
  if (!image.isNull()) {
    _currentPreviewFile = path;
    const QString shownPath = QString::fromStdString(path);
    _shownImage = image;
    drawShownImage();
    if (_views.image) _views.image->setProperty("sourcePath", shownPath);
    if (_views.downloadedPill) _views.downloadedPill->setVisible(true);
    if (_views.fileName) {
      _views.fileName->setText(
          QStringLiteral("%1  (%2/%3)")
              .arg(QString::fromStdString(std::filesystem::path(path).filename().string()))
              .arg(_previewIndex + 1)
              .arg(_previewImageFiles.size()));
    }
  }
  updateControls();
}

void PreviewController::setPortraitFrame(bool shown, double headroom) {
  _portraitFrame = shown;
  _portraitHeadroom = headroom;
  drawShownImage();
}

void PreviewController::drawShownImage() {
  if (!_views.image || _shownImage.isNull()) return;
  _views.image->setPixmap(QPixmap::fromImage(
      _portraitFrame ? withPortraitFrame(_shownImage, _portraitHeadroom) : _shownImage));
}

QStringList PreviewController::previewImagePaths() const {
  QStringList shown;
  shown.reserve(std::ssize(_previewImageFiles));
  for (const std::string& file : _previewImageFiles) shown << QString::fromStdString(file);
  return shown;
}

void PreviewController::previewPreviousImage() {
  if (_previewIndex > 0) {
    --_previewIndex;
    showPreviewPath(_previewImageFiles.at(static_cast<size_t>(_previewIndex)), false);
  }
}

void PreviewController::previewNextImage() {
  if (_previewIndex >= 0 && _previewIndex < std::ssize(_previewImageFiles) - 1) {
    ++_previewIndex;
    showPreviewPath(_previewImageFiles.at(static_cast<size_t>(_previewIndex)), false);
  }
}

void PreviewController::revealPreviewInFinder() {
  std::error_code error;
  if (_currentPreviewFile.empty() || !std::filesystem::exists(_currentPreviewFile, error)) {
    QApplication::beep();
    return;
  }
  revealInFileManager(_currentPreviewFile,
                      std::filesystem::path(_currentPreviewFile).parent_path().string(), this);
}

void PreviewController::updateControls() {
  const qint64 count = std::ssize(_previewImageFiles);
  if (_views.previousButton) {
    styleButton(_views.previousButton, QStringLiteral("◀"), palette::blue(), _previewIndex >= 1);
  }
  if (_views.nextButton) {
    styleButton(_views.nextButton, QStringLiteral("▶"), palette::blue(),
                _previewIndex >= 0 && _previewIndex < count - 1);
  }
  if (_views.revealButton) {
    styleButton(_views.revealButton, QStringLiteral("📂"), palette::gray(),
                !_currentPreviewFile.empty());
  }
}
