#include "refiling_messages.h"

#include "filing_messages.h"
#include "plural.h"

namespace vantrel::filing {

namespace {

std::string wasOrWere(std::int64_t count) {
  return count == 1 ? " was " : " were ";
}

}  // namespace

std::string moveLastPhotosMessage(std::int64_t filedThisSession) {
  return "Move the last photos filed (" + counted(filedThisSession, "photo") +
         " so far) to the person they belong to. They take the next numbers in that person's "
         "folder; nothing is overwritten.";
}

std::string movedLastPhotosStatus(const RefilingResult& result, std::string_view personName) {
  std::string text =
      movedPhotosStatus(static_cast<std::int64_t>(result.moved.size()), personName, false);
  if (result.alreadyThere > 0)
    text += " " + counted(result.alreadyThere, "photo") + wasOrWere(result.alreadyThere) +
            "already there.";
  if (result.missing > 0)
    text += " " + counted(result.missing, "photo") + wasOrWere(result.missing) +
            "no longer where it was filed.";
  return text;
}

}  // namespace vantrel::filing
