// Expected traces kept as files, tests/golden/NAME.trace: one trace line a
// line, after leading comment lines starting with "# ". With
// VITALS_UPDATE_GOLDEN=1 in the environment the file is rewritten from what
// the test saw (its comments kept) instead of compared.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

inline void ExpectGolden(const std::vector<std::string>& lines, const std::string& name) {
  const std::string path = std::string(VITALS_GOLDEN) + "/" + name + ".trace";
  std::vector<std::string> comments, expected;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);)
    (expected.empty() && line.starts_with("# ") ? comments : expected).push_back(line);
  if (std::getenv("VITALS_UPDATE_GOLDEN")) {
    std::ofstream out(path);
    for (const std::string& line : comments) out << line << '\n';
    for (const std::string& line : lines) out << line << '\n';
    return;
  }
  ASSERT_TRUE(in.is_open()) << path << ": missing; write it with VITALS_UPDATE_GOLDEN=1";
  const auto [got, want] = std::ranges::mismatch(lines, expected);
  EXPECT_TRUE(got == lines.end() && want == expected.end())
      << path << " differs from the trace at its line " << comments.size() + (want - expected.begin()) + 1
      << ":\n  golden: " << (want == expected.end() ? "(end)" : *want)
      << "\n  traced: " << (got == lines.end() ? "(end)" : *got)
      << "\nIf the change is meant, rewrite it with VITALS_UPDATE_GOLDEN=1 and review the difference.";
}
