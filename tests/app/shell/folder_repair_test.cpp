// Repairing photos filed under the wrong name, from the window: renaming a folder from the List
// menu, moving a person's photos by dropping one row onto another or through the row menu's
// rename, and opening a person's folder.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTest>

#include "desktop_hand_off.h"
#include "move_form_dialog.h"
#include "shell_fixture.h"

namespace {

class FolderRepairTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    env().workerPath = path(QStringLiteral("no-worker/vantrel_cpp_worker"));
    setStoredValue(QStringLiteral("VantrelAutoConnectV2"), false);
    desktop_ = std::make_unique<DesktopHandOff>(path(QStringLiteral("run")));
  }
  void TearDown() override {
    ShellTest::TearDown();
    desktop_.reset();
  }

  VantrelAppDelegate& launchWith(const QStringList& names) {
    writeGridStore(names);
    setStoredValue(QStringLiteral("VantrelLastTargetDir"), photos());
    return launch();
  }
  // A photo (or any file) under the target folder.
  void put(const QString& relative) {
    const QString file = photos() + "/" + relative;
    QDir().mkpath(QFileInfo(file).absolutePath());
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("photo");
  }
  QStringList entries(const QString& folder) {
    return QDir(photos() + "/" + folder).entryList(QDir::Files | QDir::NoDotAndDotDot);
  }
  QString name(qint64 row) { return QString::fromUtf8(app().list().names().nameForModelRow(row)); }
  qint64 count(qint64 row) { return app().list().names().capturedForModelRow(row); }
  // Waits for the posted alert of that title.
  ScriptedDialogs::Asked alert(const QString& title) {
    waitFor([&] { return dialogs_.count(title) > 0; }, 5000);
    for (const auto& asked : dialogs_.alerts)
      if (asked.title == title) return asked;
    return {};
  }
  QList<QUrl>& opened() { return desktop_->opened; }

 private:
  std::unique_ptr<DesktopHandOff> desktop_;
};

QVariantMap tag(const QString& label, const QString& suffix) {
  return {{QStringLiteral("label"), label},
          {QStringLiteral("suffix"), suffix},
          {QStringLiteral("on"), false}};
}

TEST_F(FolderRepairTest, RenamingAFolderFromTheListMenu) {
  put(QStringLiteral("Ann/Ann_0001.JPG"));
  put(QStringLiteral("Ann/Ann_0002.CR3"));
  put(QStringLiteral("Ann/readme.txt"));
  auto& app = launchWith({QStringLiteral("Ann"), QStringLiteral("Cy")});
  ASSERT_EQ(count(0), 2);

  dialogs_.folders.push_back(photos() + "/Ann/");
  dialogs_.prompts.push_back(QStringLiteral("  Bob\n"));
  QAction* item = nullptr;
  for (QAction* action : app.window()->findChildren<QAction*>())
    if (action->text() == QStringLiteral("Rename a Photo Folder…")) item = action;
  ASSERT_NE(item, nullptr);
  item->trigger();
  EXPECT_EQ(dialogs_.alerts.last().title, "Rename Photo Folder");
  EXPECT_EQ(dialogs_.alerts.last().message, "Rename \"Ann\" and the images inside it to:");
  EXPECT_FALSE(QFileInfo::exists(photos() + "/Ann"));
  EXPECT_EQ(entries(QStringLiteral("Bob")),
            (QStringList{"Bob_0001.JPG", "Bob_0002.CR3", "readme.txt"}));
  EXPECT_EQ(app.status().lastFriendlyStatus(), "Renamed folder to \"Bob\" (2 photos updated).");
  EXPECT_EQ(app.status().lastStatusKind(), "good");
  // The list keeps its names; the counts follow the disk.
  EXPECT_EQ(name(0), "Ann");
  EXPECT_EQ(app.list().names().rowCount(), 2);
  EXPECT_EQ(count(0), 0);

  // Refusals leave the folder as it is.
  dialogs_.folders.push_back(photos() + "/Bob");
  dialogs_.prompts.push_back(QStringLiteral("Bob"));
  app.repair().renameFolderInteractive();
  EXPECT_EQ(alert(QStringLiteral("Rename Failed")).message, "That is already the folder's name.");
  dialogs_.alerts.clear();
  dialogs_.folders.push_back(photos() + "/Bob");
  dialogs_.prompts.push_back(QStringLiteral("   "));
  app.repair().renameFolderInteractive();
  EXPECT_EQ(alert(QStringLiteral("Rename Failed")).message, "Please enter a valid name.");
  EXPECT_EQ(entries(QStringLiteral("Bob")).size(), 3);
}

TEST_F(FolderRepairTest, RenamingNeedsATargetFolder) {
  auto& app = launch();
  app.repair().renameFolderInteractive();
  const auto asked = alert(QStringLiteral("No Target Folder"));
  EXPECT_EQ(asked.message, "Choose a target folder first.");
}

TEST_F(FolderRepairTest, RenamingAlsoRenamesTheBackupCopy) {
  put(QStringLiteral("Ann/Ann_0001.JPG"));
  const QString backup = path(QStringLiteral("backup"));
  QDir().mkpath(backup + "/Ann");
  QFile(backup + "/Ann/Ann_0001.JPG").open(QIODevice::WriteOnly);
  setStoredValue(QStringLiteral("VantrelBackupDir"), backup);
  setStoredValue(QStringLiteral("VantrelBackupEnabled"), true);
  auto& app = launchWith({QStringLiteral("Ann")});
  dialogs_.folders.push_back(photos() + "/Ann");
  dialogs_.prompts.push_back(QStringLiteral("Bob"));
  app.repair().renameFolderInteractive();
  EXPECT_TRUE(QFileInfo::exists(photos() + "/Bob/Bob_0001.JPG"));
  EXPECT_TRUE(QFileInfo::exists(backup + "/Bob/Bob_0001.JPG"));
  EXPECT_FALSE(QFileInfo::exists(backup + "/Ann"));
}

TEST_F(FolderRepairTest, DroppingAnnOntoAnExistingBobRowMergesHerPhotos) {
  put(QStringLiteral("Ann/Ann_0001.JPG"));
  put(QStringLiteral("Ann/Ann_0002.CR3"));
  put(QStringLiteral("Ann_FR/Ann_FR_0001.JPG"));
  put(QStringLiteral("BOB/BOB_0007.JPG"));
  auto& app = launchWith({QStringLiteral("Ann"), QStringLiteral("BOB"), QStringLiteral("Cy")});
  dialogs_.moveFormAnswers.push_back(&ScriptedDialogs::asShown);
  emit app.rows().rowDroppedOnRow(0, 1);
  ASSERT_TRUE(waitFor([&] { return !dialogs_.moveForms.isEmpty(); }, 5000));

  const MoveFormRequest& form = dialogs_.moveForms.first();
  EXPECT_EQ(form.message, "Move photos into \"BOB\"");
  EXPECT_EQ(form.informativeText,
            "Moves \"Ann\"'s photos into \"BOB\" (merged, never overwritten).");
  EXPECT_FALSE(form.name.has_value()) << "the destination is fixed";
  EXPECT_EQ(form.acceptTitle, "Move");
  EXPECT_EQ(form.heading, "Suffix folders to include (pre-checked = captured with it):");
  ASSERT_EQ(form.choices.size(), 1);
  EXPECT_EQ(form.choices[0].title, "_FR   (1 photo)");
  EXPECT_TRUE(form.choices[0].checked);

  // Numbered on above Bob's highest, in the order the folder lists them; Ann's emptied folder
  // is gone.
  const QStringList merged = entries(QStringLiteral("BOB"));
  EXPECT_TRUE(merged == (QStringList{"BOB_0007.JPG", "BOB_0008.JPG", "BOB_0009.CR3"}) ||
              merged == (QStringList{"BOB_0007.JPG", "BOB_0008.CR3", "BOB_0009.JPG"}))
      << merged.join(' ').toStdString();
  EXPECT_EQ(entries(QStringLiteral("BOB_FR")), QStringList{"BOB_FR_0001.JPG"});
  EXPECT_FALSE(QFileInfo::exists(photos() + "/Ann"));
  EXPECT_FALSE(QFileInfo::exists(photos() + "/Ann_FR"));
  EXPECT_EQ(app.list().names().rowCount(), 3) << "no row is added for an existing name";
  EXPECT_EQ(app.list().names().selectedRow(), 1);
  EXPECT_EQ(count(0), 0);
  EXPECT_EQ(count(1), 4);
  EXPECT_EQ(app.status().lastFriendlyStatus(), "Moved 3 photos to \"BOB\".");
  QFile store(env().gridStorePath);
  ASSERT_TRUE(store.open(QIODevice::ReadOnly));
  EXPECT_TRUE(store.readAll().contains("\nBOB,,4,"));

  // A row dropped onto itself asks nothing.
  emit app.rows().rowDroppedOnRow(2, 2);
  QCoreApplication::processEvents();
  EXPECT_EQ(dialogs_.moveForms.size(), 1);
}

TEST_F(FolderRepairTest, AnUncheckedSuffixFolderStaysBehind) {
  setStoredValue(QStringLiteral("VantrelSuffixes"),
                 QVariantList{tag(QStringLiteral("FR"), QStringLiteral("_FR")),
                              tag(QStringLiteral("SS"), QStringLiteral("_SS")),
                              tag(QStringLiteral("XX"), QStringLiteral("_XX"))});
  put(QStringLiteral("Ann/Ann_0001.JPG"));
  put(QStringLiteral("Ann_FR/Ann_FR_0002.JPG"));
  put(QStringLiteral("Ann_FR/Ann_FR_0003.JPG"));
  put(QStringLiteral("Ann_SS/Ann_SS_0004.JPG"));
  put(QStringLiteral("Ann_old/Ann_old_0005.JPG"));  // a tag since removed
  auto& app = launchWith({QStringLiteral("Ann"), QStringLiteral("Cy")});
  ASSERT_EQ(count(0), 5);
  dialogs_.moveFormAnswers.push_back([](const MoveFormRequest& request) {
    auto answer = ScriptedDialogs::asShown(request);
    answer->name = QStringLiteral(" Dee ");
    answer->checked[1] = false;  // _SS stays with Ann
    return answer;
  });
  emit app.rows().rowFolderActionRequested(QStringLiteral("rename"), 0);
  ASSERT_TRUE(waitFor([&] { return !dialogs_.moveForms.isEmpty(); }, 5000));

  const MoveFormRequest& form = dialogs_.moveForms.first();
  EXPECT_EQ(form.message, "Rename / Move Photos");
  EXPECT_EQ(form.informativeText,
            "Move \"Ann\" and its photos to this name. If the name already exists, the photos "
            "merge into it (never overwritten) and the list jumps to that row; otherwise a new "
            "row is created below.");
  EXPECT_EQ(form.name, QStringLiteral("Ann"));
  EXPECT_EQ(form.acceptTitle, "Rename");
  QStringList titles;
  QList<bool> checked;
  for (const auto& choice : form.choices) {
    titles << choice.title;
    checked << choice.checked;
  }
  EXPECT_EQ(titles, (QStringList{"_FR   (2 photos)", "_SS   (1 photo)", "_XX   (no photos)",
                                 "_old   (1 photo)"}));
  EXPECT_EQ(checked, (QList<bool>{true, true, false, true}));

  EXPECT_EQ(entries(QStringLiteral("Dee")), QStringList{"Dee_0001.JPG"});
  EXPECT_EQ(entries(QStringLiteral("Dee_FR")), (QStringList{"Dee_FR_0002.JPG", "Dee_FR_0003.JPG"}));
  EXPECT_EQ(entries(QStringLiteral("Dee_old")), QStringList{"Dee_old_0005.JPG"});
  EXPECT_EQ(entries(QStringLiteral("Ann_SS")), QStringList{"Ann_SS_0004.JPG"});
  EXPECT_FALSE(QFileInfo::exists(photos() + "/Dee_SS"));
  // A new row right below Ann, who keeps what was left behind.
  ASSERT_EQ(app.list().names().rowCount(), 3);
  EXPECT_EQ(name(1), "Dee");
  EXPECT_EQ(name(2), "Cy");
  EXPECT_EQ(count(0), 1);
  EXPECT_EQ(count(1), 4);
  EXPECT_EQ(app.list().names().selectedRow(), 1);
  EXPECT_EQ(app.status().lastFriendlyStatus(), "Moved 4 photos to \"Dee\" (new row added).");
}

TEST_F(FolderRepairTest, AFolderThatCannotMoveIsAMoveProblem) {
  put(QStringLiteral("Ann/Ann_0001.JPG"));
  put(QStringLiteral("Bob"));  // a file where Bob's folder would go
  auto& app = launchWith({QStringLiteral("Ann")});

  // Cancelled, or the same name in other letters: nothing happens.
  app.repair().renameFolderAndImagesForRow(0);
  dialogs_.moveFormAnswers.push_back([](const MoveFormRequest& request) {
    auto answer = ScriptedDialogs::asShown(request);
    answer->name = QStringLiteral("ANN");
    return answer;
  });
  app.repair().renameFolderAndImagesForRow(0);
  EXPECT_EQ(dialogs_.moveForms.size(), 2);
  EXPECT_EQ(app.list().names().rowCount(), 1);
  EXPECT_EQ(entries(QStringLiteral("Ann")), QStringList{"Ann_0001.JPG"});

  dialogs_.moveFormAnswers.push_back([](const MoveFormRequest& request) {
    auto answer = ScriptedDialogs::asShown(request);
    answer->name = QStringLiteral("Bob");
    return answer;
  });
  app.repair().renameFolderAndImagesForRow(0);
  EXPECT_EQ(alert(QStringLiteral("Move Problem")).message, "Could not rename the folder.");
  EXPECT_EQ(entries(QStringLiteral("Ann")), QStringList{"Ann_0001.JPG"});
  EXPECT_TRUE(QFileInfo(photos() + "/Bob").isFile());
  // The list still gets the new name, the current person with it.
  ASSERT_EQ(app.list().names().rowCount(), 2);
  EXPECT_EQ(name(1), "Bob");
  EXPECT_EQ(app.list().names().selectedRow(), 1);
  EXPECT_EQ(count(0), 1);
}

TEST_F(FolderRepairTest, OpeningAPersonsFolder) {
  put(QStringLiteral("Ann Lee_FR/Ann Lee_FR_0001.JPG"));
  put(QStringLiteral("Ann Lee/Ann Lee_0002.JPG"));
  auto& app = launchWith({QStringLiteral("Ann Lee"), QStringLiteral("Cy/Young")});
  // No file manager on the (absent) session bus: the folder itself is opened.
  emit app.rows().rowFolderActionRequested(QStringLiteral("open"), 0);
  ASSERT_TRUE(waitFor([&] { return !opened().isEmpty(); }, 5000));
  EXPECT_EQ(opened(), QList<QUrl>{QUrl::fromLocalFile(photos() + "/Ann Lee")});

  opened().clear();
  app.repair().openFolderForRow(1);
  EXPECT_EQ(app.status().lastFriendlyStatus(), "No photo folder exists yet for \"Cy-Young\".");
  EXPECT_EQ(app.status().lastStatusKind(), "neutral");
  EXPECT_EQ(opened(), QList<QUrl>{QUrl::fromLocalFile(photos())});
}

TEST_F(FolderRepairTest, ScreenshotOfTheMoveDialog) {
  setStoredValue(QStringLiteral("VantrelSuffixes"),
                 QVariantList{tag(QStringLiteral("FR"), QStringLiteral("_FR")),
                              tag(QStringLiteral("SS"), QStringLiteral("_SS"))});
  put(QStringLiteral("Ann Lee/Ann Lee_0001.JPG"));
  put(QStringLiteral("Ann Lee_FR/Ann Lee_FR_0002.JPG"));
  put(QStringLiteral("Ann Lee_FR/Ann Lee_FR_0003.JPG"));
  auto& app = launchWith({QStringLiteral("Ann Lee"), QStringLiteral("Bob Stone")});
  const QString folder = qEnvironmentVariable("VANTREL_SCREENSHOT_DIR");
  if (folder.isEmpty()) GTEST_SKIP() << "set VANTREL_SCREENSHOT_DIR to keep a screenshot";
  QDir().mkpath(folder);
  bool saved = false;
  const QIcon icon = app.imageResourceNamedAny({QStringLiteral("vantrel_tether_icon.png")});
  dialogs_.moveFormAnswers.push_back([&](const MoveFormRequest& request) {
    MoveFormDialog dialog(request, icon, app.window());
    dialog.show();
    QTest::qWait(300);
    saved = dialog.grab().save(folder + "/move_dialog.png");
    return std::optional<MoveFormAnswer>();
  });
  app.repair().renameFolderAndImagesForRow(0);
  EXPECT_TRUE(saved);
}

}  // namespace
