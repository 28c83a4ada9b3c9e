// The photo counter: the number the next capture tries first. It runs across all people and
// across launches; filing moves it past every number it uses.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel::filing {

// The counter field's text read as an integer (leading spaces and a sign allowed, digits up to
// the first non-digit, 0 when there are none).
std::int64_t counterValue(std::string_view counterText);

// The first number filing tries: the counter's value, at least 1.
std::int64_t startNumber(std::string_view counterText);

// The field's new text once a capture used `next` - 1: `next`, unless the field already holds
// a number at least as large (one the operator typed meanwhile stays). Nothing to change then.
std::optional<std::string> counterTextAfterFiling(std::string_view counterText, std::int64_t next);

}  // namespace vantrel::filing
