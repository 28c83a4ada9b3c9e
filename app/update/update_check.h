// Reading the release service's answer and deciding what the operator is told. The HTTP request
// and the JSON parsing are the caller's; this gets their results as plain values.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::update {

// The keys of the release record that are read.
struct ReleaseAsset {
  std::string name;                // "name"
  std::string browserDownloadUrl;  // "browser_download_url"
};

struct ReleaseRecord {
  std::string tagName;               // "tag_name", e.g. "v7.10"
  std::string htmlUrl;               // "html_url", the release's web page
  std::vector<ReleaseAsset> assets;  // "assets"; missing counts as empty
};

struct ServiceAnswer {
  std::optional<std::string> transportError;  // no HTTP answer at all, with the reason
  int httpStatus = 0;                         // 0 when there was no HTTP response
  std::optional<ReleaseRecord> record;        // nothing when the body was not a JSON object
};

struct LatestRelease {
  std::string tag;
  std::string packageAddress;  // the installer package's download address, or empty
  std::string pageAddress;     // the release page, or empty
};

struct CheckResult {
  std::optional<LatestRelease> release;
  std::string failure;  // set when there is no release
};

enum class ReportKind { None, Alert, Offer };

struct UpdateReport {
  ReportKind kind = ReportKind::None;
  std::string title;
  std::string message;
  // Offer: what "Download" opens. Only https addresses from the record qualify: the package,
  // else the release page; empty when neither does, and "Download" then does nothing.
  std::string addressToOpen;
};

inline constexpr std::string_view kUpdateCheckFailedTitle = "Update Check Failed";
inline constexpr std::string_view kUnreadableReleaseError =
    "Could not read the latest version information.";
inline constexpr std::string_view kNoServiceConfiguredError =
    "No update service is configured for this copy of Vantrel Photo Tether.";
inline constexpr std::string_view kServiceNotHttpsError =
    "The update service address must start with https://.";
inline constexpr std::string_view kDownloadButton = "Download";
inline constexpr std::string_view kLaterButton = "Later";
std::string serverStatusError(int httpStatus);

// The installer package of this platform: ".dmg" on macOS, ".deb" elsewhere.
std::string_view packageExtension();
// What the operator does with that package once downloaded, as the end of the offer's sentence.
std::string_view installStep();

// The first asset whose lower-cased name ends with `extension`; empty when there is none.
std::string packageAddress(const std::vector<ReleaseAsset>& assets, std::string_view extension);

CheckResult readServiceAnswer(const ServiceAnswer& answer, std::string_view extension);

// A failure alert only when every outcome is reported; the offer when the release is newer than
// the running version (empty: unknown, compared as "0"); "You're Up to Date" otherwise, again
// only when every outcome is reported.
UpdateReport reportFor(const CheckResult& result, std::string_view runningVersion, bool reportAll);

// "https://" and a host, nothing that could smuggle another address past a URL parser.
bool isHttpsAddress(std::string_view address);
// The release service itself: https, or plain http to this machine (a local mirror or a test).
bool isUsableServiceAddress(std::string_view address);

}  // namespace vantrel::update
