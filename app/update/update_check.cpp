#include "update_check.h"

#include <algorithm>
#include <cctype>

#include "version_compare.h"

namespace vantrel::update {

namespace {

std::string lower(std::string_view text) {
  std::string result(text);
  std::transform(result.begin(), result.end(), result.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return result;
}

bool hasSchemePrefix(std::string_view address, std::string_view prefix) {
  return address.size() >= prefix.size() && lower(address.substr(0, prefix.size())) == prefix;
}

bool hasOnlyPrintableAscii(std::string_view address) {
  return std::all_of(address.begin(), address.end(),
                     [](unsigned char c) { return c > 0x20 && c < 0x7f && c != '\\'; });
}

// The host of "scheme://[user@]host[:port][/...]"; empty when there is none.
std::string hostOf(std::string_view address) {
  const std::size_t start = address.find("://");
  if (start == std::string_view::npos) return {};
  std::string_view authority = address.substr(start + 3);
  authority = authority.substr(0, authority.find_first_of("/?#"));
  if (const std::size_t at = authority.rfind('@'); at != std::string_view::npos)
    authority.remove_prefix(at + 1);
  if (authority.starts_with('[')) {
    const std::size_t close = authority.find(']');
    return close == std::string_view::npos ? std::string() : lower(authority.substr(0, close + 1));
  }
  return lower(authority.substr(0, authority.find(':')));
}

std::string versionShownFor(std::string_view tag) {
  if (tag.starts_with('v')) tag.remove_prefix(1);
  return std::string(tag);
}

}  // namespace

std::string serverStatusError(int httpStatus) {
  return "Update server returned status " + std::to_string(httpStatus) + ".";
}

std::string_view packageExtension() {
#if defined(__APPLE__)
  return ".dmg";
#else
  return ".deb";
#endif
}

std::string_view installStep() {
#if defined(__APPLE__)
  return "drag it to Applications to install.";
#else
  return "open the downloaded package with your system's software installer.";
#endif
}

std::string packageAddress(const std::vector<ReleaseAsset>& assets, std::string_view extension) {
  const std::string wanted = lower(extension);
  for (const ReleaseAsset& asset : assets)
    if (lower(asset.name).ends_with(wanted)) return asset.browserDownloadUrl;
  return {};
}

CheckResult readServiceAnswer(const ServiceAnswer& answer, std::string_view extension) {
  if (answer.transportError) return {std::nullopt, *answer.transportError};
  if (answer.httpStatus != 200) return {std::nullopt, serverStatusError(answer.httpStatus)};
  if (!answer.record || answer.record->tagName.empty())
    return {std::nullopt, std::string(kUnreadableReleaseError)};
  const ReleaseRecord& record = *answer.record;
  return {LatestRelease{record.tagName, packageAddress(record.assets, extension), record.htmlUrl},
          {}};
}

UpdateReport reportFor(const CheckResult& result, std::string_view runningVersion, bool reportAll) {
  UpdateReport report;
  if (!result.release) {
    if (reportAll)
      report = {ReportKind::Alert, std::string(kUpdateCheckFailedTitle), result.failure, {}};
    return report;
  }
  const LatestRelease& release = *result.release;
  const std::string_view running = runningVersion.empty() ? "0" : runningVersion;
  if (compareVersions(release.tag, running) > 0) {
    report.kind = ReportKind::Offer;
    report.title = "Update available: " + versionShownFor(release.tag);
    report.message = "You have " + std::string(runningVersion.empty() ? "?" : runningVersion) +
                     ". Download the new version? It opens in your browser; then " +
                     std::string(installStep());
    if (isHttpsAddress(release.packageAddress))
      report.addressToOpen = release.packageAddress;
    else if (isHttpsAddress(release.pageAddress))
      report.addressToOpen = release.pageAddress;
    return report;
  }
  if (reportAll) {
    report = {ReportKind::Alert,
              "You're Up to Date",
              "Vantrel Photo Tether " + std::string(runningVersion) + " is the latest version.",
              {}};
  }
  return report;
}

bool isHttpsAddress(std::string_view address) {
  return hasSchemePrefix(address, "https://") && hasOnlyPrintableAscii(address) &&
         !hostOf(address).empty();
}

bool isUsableServiceAddress(std::string_view address) {
  if (isHttpsAddress(address)) return true;
  if (!hasSchemePrefix(address, "http://") || !hasOnlyPrintableAscii(address)) return false;
  const std::string host = hostOf(address);
  return host == "127.0.0.1" || host == "localhost" || host == "[::1]";
}

}  // namespace vantrel::update
