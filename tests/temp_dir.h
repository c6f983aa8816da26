// A folder of its own for each test process, so tests can run in parallel.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

inline std::filesystem::path TempDirFor(const std::string& name) {
  const auto dir = std::filesystem::path(testing::TempDir()) / (name + "-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  return dir;
}
