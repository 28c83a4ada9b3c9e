// The update check against a release service on 127.0.0.1: what the operator is told for newer,
// equal and pre-release versions and for broken answers, what leaves for the browser, and the
// once-a-day background check.
#include <QAction>
#include <QCoreApplication>
#include <QDateTime>
#include <QNetworkProxy>
#include <QSettings>

#include "desktop_hand_off.h"
#include "local_release_server.h"
#include "shell_fixture.h"

namespace {

class UpdateCheckTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    env().workerPath = path(QStringLiteral("no-worker/vantrel_cpp_worker"));
    setStoredValue(QStringLiteral("VantrelAutoConnectV2"), false);
    qunsetenv("VANTREL_UPDATE_URL");
    // Straight to the loopback server, whatever proxy the machine has.
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
    desktop_ = std::make_unique<DesktopHandOff>(path(QStringLiteral("run")));
    runningVersion_ = QCoreApplication::applicationVersion();
    QCoreApplication::setApplicationVersion(QStringLiteral("8.0"));
  }
  void TearDown() override {
    ShellTest::TearDown();
    desktop_.reset();
    QCoreApplication::setApplicationVersion(runningVersion_);
    qunsetenv("VANTREL_UPDATE_URL");
  }

  // The service in the settings; the start-up check already done today unless `due`.
  VantrelAppDelegate& launchWithService(bool due = false) {
    setStoredValue(QStringLiteral("VantrelUpdateURL"), server_.url());
    if (!due) setStoredValue(QStringLiteral("VantrelLastUpdateCheck"), now());
    return launch();
  }
  static QDateTime now() { return QDateTime::currentDateTimeUtc(); }

  // "Check for Updates…" from the menu, until its answer (there always is one) has been shown.
  void checkNow() {
    const qsizetype before = dialogs_.alerts.size();
    QAction* item = nullptr;
    for (QAction* action : app().window()->findChildren<QAction*>())
      if (action->text() == QStringLiteral("Check for Updates…")) item = action;
    ASSERT_NE(item, nullptr);
    item->trigger();
    ASSERT_TRUE(waitFor(
        [&] { return !app().updates().updateCheckInFlight() && dialogs_.alerts.size() > before; }));
  }
  ScriptedDialogs::Asked lastAlert() {
    return dialogs_.alerts.isEmpty() ? ScriptedDialogs::Asked{} : dialogs_.alerts.last();
  }
  QList<QUrl>& opened() { return desktop_->opened; }

  LocalReleaseServer server_;

 private:
  std::unique_ptr<DesktopHandOff> desktop_;
  QString runningVersion_;
};

const QString kPage = QStringLiteral("https://releases.vantrel.test/tether/8.1");
const QString kPackage =
    QStringLiteral("https://releases.vantrel.test/tether/8.1/vantrel-tether_8.1_amd64.deb");

TEST_F(UpdateCheckTest, ANewerReleaseIsOfferedAndItsPackageOpened) {
  launchWithService();
  server_.answerRelease(QStringLiteral("v8.1"),
                        {{QStringLiteral("notes.txt"), QStringLiteral("https://x.test/n")},
                         {QStringLiteral("Vantrel-Tether.dmg"), QStringLiteral("https://x.test/d")},
                         {QStringLiteral("vantrel-tether_8.1_amd64.DEB"), kPackage}},
                        kPage);
  checkNow();
  EXPECT_EQ(lastAlert().title, "Update available: 8.1");
  EXPECT_EQ(lastAlert().message,
            "You have 8.0. Download the new version? It opens in your browser; then open the "
            "downloaded package with your system's software installer.");
  EXPECT_EQ(opened(), QList<QUrl>{QUrl(kPackage)});
  EXPECT_TRUE(server_.lastRequest().startsWith("GET /repos/vantrel/tether/releases/latest "));
  EXPECT_TRUE(server_.lastRequest().contains("Accept: application/vnd.github+json\r\n"));

  // No package for this platform: the release page instead; "Later" opens nothing.
  server_.answerRelease(QStringLiteral("8.1-beta"), {}, kPage);
  checkNow();
  EXPECT_EQ(lastAlert().title, "Update available: 8.1-beta");
  EXPECT_EQ(opened().last(), QUrl(kPage));
  dialogs_.answers.push_back(1);
  checkNow();
  EXPECT_EQ(opened().size(), 2);
}

TEST_F(UpdateCheckTest, EqualAndPreReleaseVersionsAreUpToDate) {
  launchWithService();
  for (const QString& tag : {QStringLiteral("v8.0"), QStringLiteral("8.0.0"),
                             QStringLiteral("8.0-rc1"), QStringLiteral("v7.99")}) {
    dialogs_.alerts.clear();
    server_.answerRelease(tag, {{QStringLiteral("a.deb"), kPackage}}, kPage);
    checkNow();
    ASSERT_EQ(dialogs_.alerts.size(), 1) << tag.toStdString();
    EXPECT_EQ(lastAlert().title, "You're Up to Date");
    EXPECT_EQ(lastAlert().message, "Vantrel Photo Tether 8.0 is the latest version.");
  }
  EXPECT_TRUE(opened().isEmpty());
}

TEST_F(UpdateCheckTest, FailedChecksAreReportedOnlyWhenAsked) {
  launchWithService();
  auto expectFailure = [&](const char* body, int status, const QString& text) {
    dialogs_.alerts.clear();
    server_.answer(status, body);
    checkNow();
    ASSERT_EQ(dialogs_.alerts.size(), 1) << body;
    EXPECT_EQ(lastAlert().title, "Update Check Failed") << body;
    EXPECT_EQ(lastAlert().message, text) << body;
  };
  const QString unreadable = QStringLiteral("Could not read the latest version information.");
  expectFailure("{\"message\":\"Not Found\"}", 404,
                QStringLiteral("Update server returned status 404."));
  expectFailure("{\"tag_name\": \"v9\"", 200, unreadable);  // cut off
  expectFailure("[{\"tag_name\": \"v9\"}]", 200, unreadable);
  expectFailure("{\"tag_name\": \"\", \"html_url\": \"https://x.test\"}", 200, unreadable);
  expectFailure("{\"tag_name\": 9}", 200, unreadable);
  expectFailure("", 200, unreadable);

  // The same failures in the background stay silent.
  setStoredValue(QStringLiteral("VantrelLastUpdateCheck"), now().addDays(-2));
  dialogs_.alerts.clear();
  server_.answer(404, "{}");
  ASSERT_TRUE(app().updates().checkForUpdatesInBackgroundIfDue());
  ASSERT_TRUE(waitFor([&] { return !app().updates().updateCheckInFlight(); }));
  EXPECT_TRUE(dialogs_.alerts.isEmpty());

  // Nobody listening: the network's own reason.
  server_.close();
  checkNow();
  EXPECT_EQ(lastAlert().title, "Update Check Failed");
  EXPECT_FALSE(lastAlert().message.isEmpty());
  EXPECT_FALSE(lastAlert().message.startsWith("Update server returned status"));
}

TEST_F(UpdateCheckTest, OnlyAnHttpsAddressLeavesForTheBrowser) {
  launchWithService();
  const QString plain = QStringLiteral("http://127.0.0.1:%1/vantrel-tether_8.1_amd64.deb").arg(9);
  server_.answerRelease(QStringLiteral("8.1"), {{QStringLiteral("t.deb"), plain}}, kPage);
  checkNow();
  EXPECT_EQ(lastAlert().title, "Update available: 8.1");
  EXPECT_EQ(opened(), QList<QUrl>{QUrl(kPage)}) << "the plain http package is ignored";

  for (const QString& bad :
       {QStringLiteral("file:///etc/passwd.deb"), QStringLiteral("javascript:alert(1)//.deb"),
        QStringLiteral("ftp://x.test/t.deb"), QStringLiteral("https:///t.deb")}) {
    server_.answerRelease(QStringLiteral("8.1"), {{QStringLiteral("t.deb"), bad}}, bad);
    checkNow();
    EXPECT_EQ(lastAlert().title, "Update available: 8.1") << bad.toStdString();
  }
  EXPECT_EQ(opened().size(), 1);
}

TEST_F(UpdateCheckTest, TheBackgroundCheckRunsAtStartUpOnceADay) {
  server_.answerRelease(QStringLiteral("8.0"), {}, kPage);
  auto& app = launchWithService(true);
  // Scheduled by the window's start-up.
  ASSERT_TRUE(
      waitFor([&] { return server_.requests() == 1 && !app.updates().updateCheckInFlight(); }));
  const QDateTime stored = QSettings(QStringLiteral("Vantrel"), QStringLiteral("Vantrel Tether"))
                               .value(QStringLiteral("VantrelLastUpdateCheck"))
                               .toDateTime();
  EXPECT_LE(stored.secsTo(now()), 60);
  EXPECT_TRUE(dialogs_.alerts.isEmpty()) << "up to date is not news in the background";

  // Later the same day (a second launch, say): nothing is asked.
  EXPECT_FALSE(app.updates().checkForUpdatesInBackgroundIfDue());
  setStoredValue(QStringLiteral("VantrelLastUpdateCheck"), now().addSecs(-23 * 3600));
  EXPECT_FALSE(app.updates().checkForUpdatesInBackgroundIfDue());
  EXPECT_EQ(server_.requests(), 1);

  // A day on, a newer release is offered without being asked for.
  setStoredValue(QStringLiteral("VantrelLastUpdateCheck"), now().addSecs(-25 * 3600));
  server_.answerRelease(QStringLiteral("8.2"), {{QStringLiteral("t.deb"), kPackage}}, kPage);
  dialogs_.answers.push_back(1);
  EXPECT_TRUE(app.updates().checkForUpdatesInBackgroundIfDue());
  ASSERT_TRUE(waitFor([&] { return !app.updates().updateCheckInFlight(); }));
  EXPECT_EQ(server_.requests(), 2);
  EXPECT_EQ(lastAlert().title, "Update available: 8.2");
}

TEST_F(UpdateCheckTest, WithoutAServiceNothingIsAsked) {
  auto& app = launch();
  EXPECT_FALSE(app.updates().checkForUpdatesInBackgroundIfDue());
  EXPECT_FALSE(QSettings(QStringLiteral("Vantrel"), QStringLiteral("Vantrel Tether"))
                   .contains(QStringLiteral("VantrelLastUpdateCheck")));
  checkNow();
  EXPECT_EQ(lastAlert().title, "Update Check Failed");
  EXPECT_EQ(lastAlert().message,
            "No update service is configured for this copy of Vantrel Photo Tether.");

  // Plain http goes nowhere but to this machine.
  setStoredValue(QStringLiteral("VantrelUpdateURL"),
                 QStringLiteral("http://releases.vantrel.test/latest"));
  checkNow();
  EXPECT_EQ(lastAlert().message, "The update service address must start with https://.");

  // The deployment's environment comes before the setting.
  qputenv("VANTREL_UPDATE_URL", server_.url().toUtf8());
  server_.answerRelease(QStringLiteral("8.0"), {}, kPage);
  checkNow();
  EXPECT_EQ(server_.requests(), 1);
  EXPECT_EQ(lastAlert().title, "You're Up to Date");
}

}  // namespace
