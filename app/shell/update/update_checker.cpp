#include "update_checker.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

#include "dialogs.h"
#include "settings_keys.h"
#include "status_controller.h"
#include "update_check.h"
#include "update_schedule.h"
#include "user_defaults.h"

namespace {

const QString& kLastUpdateCheckKey = settings_keys::kLastUpdateCheck;
const QString& kUpdateUrlKey = settings_keys::kUpdateUrl;
constexpr int kUpdateTimeoutMs = 15000;

QString q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Nothing when the body is not a JSON object; keys of the wrong type read as missing.
std::optional<vantrel::update::ReleaseRecord> parseReleaseRecord(const QByteArray& body) {
  QJsonParseError error;
  const QJsonDocument document = QJsonDocument::fromJson(body, &error);
  if (error.error != QJsonParseError::NoError || !document.isObject()) return std::nullopt;
  const QJsonObject object = document.object();
  vantrel::update::ReleaseRecord record;
  record.tagName = object.value(QStringLiteral("tag_name")).toString().toStdString();
  record.htmlUrl = object.value(QStringLiteral("html_url")).toString().toStdString();
  for (const QJsonValue& value : object.value(QStringLiteral("assets")).toArray()) {
    const QJsonObject asset = value.toObject();
    record.assets.push_back(
        {asset.value(QStringLiteral("name")).toString().toStdString(),
         asset.value(QStringLiteral("browser_download_url")).toString().toStdString()});
  }
  return record;
}

// Errors below the HTTP layer (refused, timed out, cut off): the reply's own description. An
// HTTP error status is reported by its number instead.
bool isTransportError(QNetworkReply::NetworkError error) {
  return error != QNetworkReply::NoError && error < QNetworkReply::ContentAccessDenied;
}

}  // namespace

UpdateChecker::UpdateChecker(const QString& displayVersion, StatusController* status,
                             Dialogs* dialogs, UserDefaults* defaults, QObject* parent)
    : QObject(parent),
      _displayVersion(displayVersion),
      _status(status),
      _dialogs(dialogs),
      _defaults(defaults) {}

QString UpdateChecker::updateServiceAddress() const {
  const QString fromEnvironment = qEnvironmentVariable("VANTREL_UPDATE_URL").trimmed();
  if (!fromEnvironment.isEmpty()) return fromEnvironment;
  return _defaults->string(kUpdateUrlKey).value_or(QString()).trimmed();
}

void UpdateChecker::checkForUpdatesInteractive() {
  checkForUpdatesShowingNoUpdate(true);
}

bool UpdateChecker::checkForUpdatesInBackgroundIfDue() {
  // A copy without a release service has nothing to ask and nothing to remember.
  if (updateServiceAddress().isEmpty()) return false;
  const QDateTime last = _defaults->value(kLastUpdateCheckKey).toDateTime();
  const QDateTime now = QDateTime::currentDateTimeUtc();
  if (!vantrel::update::isBackgroundCheckDue(
          last.isValid() ? std::optional<std::int64_t>(last.toSecsSinceEpoch()) : std::nullopt,
          now.toSecsSinceEpoch())) {
    return false;
  }
  // Stored first: a failed check waits a full day like a successful one.
  _defaults->set(kLastUpdateCheckKey, now);
  _defaults->flush();
  checkForUpdatesShowingNoUpdate(false);
  return true;
}

void UpdateChecker::checkForUpdatesShowingNoUpdate(bool reportAll) {
  const QString address = updateServiceAddress();
  auto refuse = [&](std::string_view reason) {
    if (reportAll) _status->showAlert(q(vantrel::update::kUpdateCheckFailedTitle), q(reason));
  };
  if (address.isEmpty()) {
    refuse(vantrel::update::kNoServiceConfiguredError);
    return;
  }
  const QUrl url(address, QUrl::StrictMode);
  if (!url.isValid() || !vantrel::update::isUsableServiceAddress(address.toStdString())) {
    refuse(vantrel::update::kServiceNotHttpsError);
    return;
  }
  if (!_updateNetwork) _updateNetwork = new QNetworkAccessManager(this);
  QNetworkRequest request(url);
  request.setRawHeader("Accept", "application/vnd.github+json");
  request.setHeader(QNetworkRequest::UserAgentHeader,
                    QStringLiteral("Vantrel Photo Tether/%1").arg(_displayVersion));
  request.setTransferTimeout(kUpdateTimeoutMs);
  // A redirect may move within the service, never to another host or down to plain http.
  request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                       QNetworkRequest::SameOriginRedirectPolicy);
  ++_updateChecksInFlight;
  QNetworkReply* reply = _updateNetwork->get(request);
  connect(reply, &QNetworkReply::finished, this,
          [this, reply, reportAll] { updateReplyFinished(reply, reportAll); });
}

void UpdateChecker::updateReplyFinished(QNetworkReply* reply, bool reportAll) {
  reply->deleteLater();
  vantrel::update::ServiceAnswer answer;
  const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
  if (isTransportError(reply->error())) {
    answer.transportError = reply->errorString().toStdString();
  } else {
    answer.httpStatus = status.isValid() ? status.toInt() : 0;
    if (answer.httpStatus == 200) answer.record = parseReleaseRecord(reply->readAll());
  }
  const vantrel::update::UpdateReport report = vantrel::update::reportFor(
      vantrel::update::readServiceAnswer(answer, vantrel::update::packageExtension()),
      _displayVersion.toStdString(), reportAll);
  switch (report.kind) {
    case vantrel::update::ReportKind::None:
      break;
    case vantrel::update::ReportKind::Alert:
      _status->showAlert(q(report.title), q(report.message));
      break;
    case vantrel::update::ReportKind::Offer: {
      const QString message = q(report.title);
      const QString informative = q(report.message);
      const QString address = q(report.addressToOpen);
      // Posted like every alert, so that this handler is never suspended inside a dialog.
      QTimer::singleShot(0, this, [this, message, informative, address] {
        promptUpdateToVersion(message, informative, address);
      });
      break;
    }
  }
  // Counted down behind whatever was posted above: once it reads zero, the result was shown.
  QTimer::singleShot(0, this, [this] { --_updateChecksInFlight; });
}

void UpdateChecker::promptUpdateToVersion(const QString& message, const QString& informativeText,
                                          const QString& address) {
  const int choice =
      _dialogs->ask(message, informativeText,
                    {q(vantrel::update::kDownloadButton), q(vantrel::update::kLaterButton)});
  if (choice != 0 || address.isEmpty()) return;
  // Checked again where it leaves the application: only https goes to the browser.
  const QUrl url(address, QUrl::StrictMode);
  if (!url.isValid() || url.scheme() != QLatin1String("https") || url.host().isEmpty()) return;
  QDesktopServices::openUrl(url);
}
