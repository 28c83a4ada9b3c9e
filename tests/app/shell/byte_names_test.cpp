// File names are bytes: a person's name kept as Latin-1 by an older names store, or a download
// whose name is not UTF-8, is filed, backed up and previewed under exactly those bytes.
#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QSignalSpy>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "desktop_hand_off.h"
#include "file_manager_reveal.h"
#include "shell_fixture.h"

namespace {

class ByteNamesTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    desktop_ = std::make_unique<DesktopHandOff>(path(QStringLiteral("run")));
  }
  void TearDown() override {
    ShellTest::TearDown();
    desktop_.reset();
    // The temporary home's own clean-up names files through Qt and cannot reach these.
    std::filesystem::remove_all(bytes(photos()));
    std::filesystem::remove_all(bytes(backupDir()));
  }

  static std::string bytes(const QString& path) { return QFile::encodeName(path).toStdString(); }

  // A small JPEG written under `name` (bytes) in the target folder, as the worker leaves it.
  std::string download(const std::string& name) {
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QBuffer jpeg;
    jpeg.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&jpeg, "JPG"));
    const std::string file = bytes(photos()) + "/" + name;
    std::ofstream(file, std::ios::binary) << jpeg.data().toStdString();
    return file;
  }

  static std::string contents(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  std::unique_ptr<DesktopHandOff> desktop_;
};

TEST_F(ByteNamesTest, APhotoOfALatin1NameIsFiledBackedUpAndPreviewedUnderItsBytes) {
  auto& app = launchWithBackup({"M\xfcller", "Ann"});
  const std::string source = download("IMG_0001.JPG");
  const std::string original = contents(source);
  QSignalSpy filed(&app.filing(), &FilingController::captureFiled);
  feedLine("DOWNLOADED|" + source);
  ASSERT_TRUE(waitFor([&] { return filed.count() == 1; }));
  EXPECT_EQ(filed.first().at(1).toString(), QString());

  const std::string saved = bytes(photos()) + "/M\xfcller/M\xfcller_0001.JPG";
  EXPECT_EQ(contents(saved), original);
  EXPECT_FALSE(std::filesystem::exists(source)) << "the download was moved";
  EXPECT_EQ(app.list().names().capturedForModelRow(0), 1);

  const std::string copy = bytes(backupDir()) + "/M\xfcller/M\xfcller_0001.JPG";
  ASSERT_TRUE(waitFor(
      [&] { return std::filesystem::exists(copy) && app.backup().backup().queue().empty(); }));
  EXPECT_EQ(contents(copy), original);
  EXPECT_TRUE(app.backup().backup().failedBackups().empty());

  ASSERT_TRUE(waitFor([&] { return app.preview().currentPreviewFile() == saved; }, 3000));
  EXPECT_EQ(app.preview().previewImageFiles(), std::vector<std::string>{saved});
  EXPECT_EQ(app.preview().previewIndex(), 0);

  // No file manager on the (absent) session bus: the nearest folder an address can name opens.
  app.preview().revealPreviewInFinder();
  ASSERT_TRUE(waitFor([&] { return !desktop_->opened.isEmpty(); }, 5000));
  EXPECT_EQ(desktop_->opened, QList<QUrl>{QUrl::fromLocalFile(photos())});
  EXPECT_EQ(fileUriText(saved), QUrl::fromLocalFile(photos()).toString(QUrl::FullyEncoded) +
                                    "/M%FCller/M%FCller_0001.JPG");
}

TEST_F(ByteNamesTest, ADownloadWhoseNameIsNotUtf8ReachesFilingFromTheWorker) {
  auto& app = launchWithBackup({"Ann"});
  const std::string source = download("IMG_\xe9t\xe9.JPG");
  QSignalSpy filed(&app.filing(), &FilingController::captureFiled);
  // Cut inside the name: the line is whole again before it is judged.
  const QByteArray line = QByteArray::fromStdString("DOWNLOADED|" + source + "\n");
  const qsizetype cut = line.indexOf('\xe9') + 1;
  app.worker().consumeWorkerChunk(line.left(cut));
  app.worker().consumeWorkerChunk(line.mid(cut));
  ASSERT_TRUE(waitFor([&] { return filed.count() == 1; }));
  EXPECT_EQ(filed.first().at(0).toString(), photos() + "/Ann/Ann_0001.JPG");
  EXPECT_FALSE(std::filesystem::exists(source));
}

}  // namespace
