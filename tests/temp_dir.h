// A folder of its own for each test process, so tests can run in parallel;
// removed with its contents when the process ends.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>

inline std::filesystem::path TempDirFor(const std::string& name) {
  static struct Made {
    std::set<std::filesystem::path> folders;
    ~Made() {
      std::error_code ec;
      for (const auto& folder : folders) std::filesystem::remove_all(folder, ec);
    }
  } made;
  const auto dir = std::filesystem::path(testing::TempDir()) / (name + "-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  made.folders.insert(dir);
  return dir;
}
