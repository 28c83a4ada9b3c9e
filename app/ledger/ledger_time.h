// Local time as the ledger writes it: ISO 8601 with the UTC offset, "2026-12-08T16:45:03+01:00".
#pragma once

#include <ctime>
#include <string>

namespace vantrel::ledger {

std::string isoLocalTime(std::time_t when);
std::string isoLocalTimeNow();

}  // namespace vantrel::ledger
