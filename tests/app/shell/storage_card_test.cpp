// The "Available Storage" card: its levels, a disk that is full against one that cannot be read,
// the critical alert once per episode, and the folder it reads without a target folder.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QTemporaryDir>

#include "palette.h"
#include "scripted_dialogs.h"
#include "status_controller.h"
#include "view_styling.h"

namespace {

constexpr quint64 kGiB = 1024ull * 1024 * 1024;
const QString kCritical = QStringLiteral("Laptop Storage Critical");

class StorageCardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    status_.attach({nullptr, nullptr, &value_, &card_});
    status_.setVolumeReader([this](const QString& folder) {
      askedFor_ = folder;
      return volume_;
    });
  }
  // Reads the volume as it is now and lets the posted alert open.
  QString refresh(VolumeSpace volume) {
    volume_ = volume;
    status_.updateStorageLabel();
    QCoreApplication::processEvents();
    return value_.text();
  }
  bool shownIn(const QColor& color) const {
    return value_.styleSheet().contains(QStringLiteral("color: ") + cssColor(color));
  }

  ScriptedDialogs dialogs_;
  StatusController status_{&dialogs_};
  QLabel value_;
  QFrame card_;
  VolumeSpace volume_;
  QString askedFor_;
};

TEST_F(StorageCardTest, AFullDiskIsCriticalAndOnlyAnUnreadableVolumeIsUnknown) {
  EXPECT_EQ(refresh({0, 500 * kGiB}), "0 B");
  EXPECT_TRUE(shownIn(palette::red()));
  EXPECT_EQ(dialogs_.count(kCritical), 1);
  ASSERT_FALSE(dialogs_.alerts.isEmpty());
  EXPECT_EQ(dialogs_.alerts.last().message,
            "Available storage is at or below 10 GB. Free up space immediately or photos may "
            "fail to write.");

  EXPECT_EQ(refresh({0, 0}), "Unknown");
  EXPECT_TRUE(shownIn(palette::orange()));
  EXPECT_EQ(dialogs_.count(kCritical), 1);
}

TEST_F(StorageCardTest, TheCriticalAlertComesOncePerEpisode) {
  refresh({9 * kGiB, 500 * kGiB});
  refresh({10 * kGiB, 500 * kGiB});  // exactly 10 GiB is still critical
  refresh({0, 500 * kGiB});
  refresh({0, 0});  // an unreadable moment neither ends nor restarts the episode
  refresh({5 * kGiB, 500 * kGiB});
  EXPECT_EQ(dialogs_.count(kCritical), 1);
  EXPECT_EQ(refresh({20 * kGiB, 500 * kGiB}), "20.0 GB");
  EXPECT_TRUE(shownIn(palette::yellow()));
  EXPECT_EQ(refresh({8 * kGiB, 500 * kGiB}), "8.0 GB");
  EXPECT_EQ(dialogs_.count(kCritical), 2);
  EXPECT_EQ(refresh({10 * kGiB + 1, 500 * kGiB}), "10.0 GB");
  EXPECT_EQ(refresh({100 * kGiB, 500 * kGiB}), "100 GB");
  EXPECT_TRUE(shownIn(palette::green()));
  EXPECT_EQ(dialogs_.count(kCritical), 2);
}

TEST_F(StorageCardTest, WithoutATargetFolderTheDesktopFolderElseTheHomeFolderIsRead) {
  QTemporaryDir home;
  ASSERT_TRUE(home.isValid());
  const QByteArray savedHome = qgetenv("HOME");
  const QByteArray savedConfig = qgetenv("XDG_CONFIG_HOME");
  qputenv("HOME", QFile::encodeName(home.path()));
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral(".config"))));

  refresh({100 * kGiB, 500 * kGiB});
  EXPECT_EQ(askedFor_, home.path()) << "no Desktop folder: the home folder";
  QDir(home.path()).mkdir(QStringLiteral("Desktop"));
  refresh({100 * kGiB, 500 * kGiB});
  EXPECT_EQ(askedFor_, home.filePath(QStringLiteral("Desktop")));
  status_.setTargetFolderSource([] { return QStringLiteral("/photos/class"); });
  refresh({100 * kGiB, 500 * kGiB});
  EXPECT_EQ(askedFor_, "/photos/class");

  // The disk's own answer for a home without a Desktop folder is a real volume.
  QDir(home.path()).rmdir(QStringLiteral("Desktop"));
  status_.setTargetFolderSource([] { return QString(); });
  status_.setVolumeReader(nullptr);
  status_.updateStorageLabel();
  EXPECT_NE(value_.text(), "Unknown");
  EXPECT_GT(status_.totalLaptopBytes(), 0u);

  qputenv("HOME", savedHome);
  qputenv("XDG_CONFIG_HOME", savedConfig);
}

}  // namespace
