// The capture preview: the newest photo once the camera pauses, stepping through the shoot's
// photos, and revealing the shown one in the file manager. Photos are read on a thread of their
// own; only the newest request is shown.
#pragma once

#include <QImage>
#include <QObject>
#include <QStringList>
#include <QThreadPool>
#include <atomic>
#include <functional>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QTimer;

struct PreviewViews {
  QLabel* image = nullptr;
  QLabel* fileName = nullptr;
  QLabel* downloadedPill = nullptr;
  QPushButton* previousButton = nullptr;
  QPushButton* nextButton = nullptr;
  QPushButton* revealButton = nullptr;
};

class PreviewController : public QObject {
  Q_OBJECT
 public:
  explicit PreviewController(QObject* parent = nullptr);
  ~PreviewController() override;

  void attach(const PreviewViews& views);
  // The folder whose photos the preview steps through (the target folder).
  void setTargetFolderSource(std::function<QString()> source) { _targetFolder = std::move(source); }

  // Photos are named by their file-name bytes, which need not be UTF-8.
  void scheduleLatestCapturePreviewAtPath(const std::string& path);
  void showPendingLatestCapturePreview();
  void showPreviewPath(const std::string& path, bool refreshList);
  void refreshPreviewImageListAroundPath(const std::string& path);
  // A photo read for the preview has arrived; shown unless a newer one was asked for meanwhile.
  void previewImageRead(quint64 request, const std::string& path, const QImage& image);
  void previewPreviousImage();
  void previewNextImage();
  void revealPreviewInFinder();
  void updateControls();
  // No photo read from now on is shown.
  void stop() { _stopped = true; }
  // The yearbook's 4:5 crop over the shown photo, placed by `headroom` (see the yearbook options).
  void setPortraitFrame(bool shown, double headroom);
  bool portraitFrameShown() const { return _portraitFrame; }
  // The preview's size changed: the shown photo is read again at the new size.
  bool eventFilter(QObject* watched, QEvent* event) override;

  const std::string& currentPreviewFile() const { return _currentPreviewFile; }
  const std::vector<std::string>& previewImageFiles() const { return _previewImageFiles; }
  // The same for reading: a name that is not UTF-8 shows replacement characters.
  QString currentPreviewPath() const { return QString::fromStdString(_currentPreviewFile); }
  QStringList previewImagePaths() const;
  qint64 previewIndex() const { return _previewIndex; }

 private:
  void drawShownImage();

  std::function<QString()> _targetFolder;
  PreviewViews _views;
  std::vector<std::string> _previewImageFiles;
  qint64 _previewIndex = -1;
  std::string _currentPreviewFile;
  // The photo last asked for: a redraw must not bring back one it replaced while being read.
  std::string _requestedPreviewFile;
  std::string _pendingPreviewFile;
  QTimer* _previewDebounce = nullptr;
  QTimer* _resizeRedraw = nullptr;
  bool _stopped = false;
  // The photo as read, without the frame, so the frame can come and go without a new read.
  QImage _shownImage;
  bool _portraitFrame = false;
  double _portraitHeadroom = 0.0;
  // Declared last, so it is destroyed first: its destructor waits for a read in progress while
  // everything else still exists.
  std::atomic<quint64> _previewRequest{0};
  QThreadPool _previewReader;
};
