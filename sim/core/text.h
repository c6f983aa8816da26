// Small text helpers shared by the readers of the host's files and their
// messages. Pure functions; safe from any thread.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

// text's lines, each without its '\n'; none after a final '\n'.
std::vector<std::string_view> Lines(std::string_view text);

// s without leading and trailing white space (spaces, tabs, CR, LF, VT, FF).
std::string_view Trim(std::string_view s);

// The whole of text as a number, read as strtod reads it in the C locale
// ("1.5", "-2e3", "inf", "0x1p4"); none for empty text, text longer than 64
// bytes or text strtod does not consume entirely. Infinities and NaN are
// returned as read: callers that need a finite number check it.
std::optional<double> ReadNumber(std::string_view text);

// v as the shortest "%g" text that reads back as v ("170.054", "1e+300").
std::string ShortestNumber(double v);

// text for a one-line message: control bytes and DEL as \xHH, cut to at most
// `most` characters (an escape is never split) with "..." marking the cut.
std::string Printable(std::string_view text, std::size_t most = 80);

}  // namespace sim
