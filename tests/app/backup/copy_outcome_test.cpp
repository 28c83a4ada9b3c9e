// A drive's faults pause the backup; a photo's own faults must not hold up the others.
#include <gtest/gtest.h>

#include <cerrno>

#include "copy_outcome.h"

namespace vantrel::backup {
namespace {

struct Case {
  int error;
  bool sourceSide;
  CopyOutcome outcome;
  const char* text;
};

std::string message(int error) {
  return std::error_code(error, std::generic_category()).message();
}

TEST(CopyOutcomeRule, TellsTheDrivesFaultsFromThePhotos) {
  const std::string unreadable = "the photo cannot be read: ";
  const std::string badName = "the backup drive refuses this file name: ";
  const Case cases[] = {
      {ENOENT, true, CopyOutcome::SourceMissing, ""},
      {EACCES, true, CopyOutcome::FileRefused, "Permission denied"},
      {EPERM, true, CopyOutcome::FileRefused, "Operation not permitted"},
      {EISDIR, true, CopyOutcome::FileRefused, "Is a directory"},
      {EIO, true, CopyOutcome::FileRefused, "Input/output error"},
      {ENOSPC, false, CopyOutcome::DestinationFull, "the backup drive is full"},
      {EDQUOT, false, CopyOutcome::DestinationFull, "the backup drive is full"},
      {EINVAL, false, CopyOutcome::FileRefused, "Invalid argument"},
      {ENAMETOOLONG, false, CopyOutcome::FileRefused, "File name too long"},
      {EILSEQ, false, CopyOutcome::FileRefused,
       "Invalid or incomplete multibyte or wide character"},
      // The same errors on the backup drive's side say nothing against the photo.
      {EACCES, false, CopyOutcome::Failed, "Permission denied"},
      {EPERM, false, CopyOutcome::Failed, "Operation not permitted"},
      {EIO, false, CopyOutcome::Failed, "Input/output error"},
      {ENOTCONN, false, CopyOutcome::Failed, "Transport endpoint is not connected"},
      {ETIMEDOUT, false, CopyOutcome::Failed, "Connection timed out"},
      {ESTALE, false, CopyOutcome::Failed, "Stale file handle"},
      {EROFS, false, CopyOutcome::Failed, "Read-only file system"},
      {ENOENT, false, CopyOutcome::Failed, "No such file or directory"},
      {EBUSY, true, CopyOutcome::Failed, "Device or resource busy"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(message(c.error) + (c.sourceSide ? " reading the photo" : " on the drive"));
    const CopyResult result =
        resultForCopyError({std::error_code(c.error, std::generic_category()), c.sourceSide});
    EXPECT_EQ(result.outcome, c.outcome);
    std::string expected = c.text;
    if (c.outcome == CopyOutcome::FileRefused)
      expected = (c.sourceSide ? unreadable : badName) + expected;
    EXPECT_EQ(result.errorText, expected);
    EXPECT_EQ(result.copiedTo, "");
  }
}

TEST(CopyOutcomeRule, ACopyThatFailedWithoutSayingWhyIsRetried) {
  const CopyResult result = resultForCopyError({});
  EXPECT_EQ(result.outcome, CopyOutcome::Failed);
  EXPECT_EQ(result.errorText, "the copy failed");
}

}  // namespace
}  // namespace vantrel::backup
