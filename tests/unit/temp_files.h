#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

// A folder of the test's own, gone after it, for recording files.
class TempFolder {
 public:
  TempFolder()
      : dir_(std::filesystem::temp_directory_path() /
             ("tapwright-" +
              std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
              // Two runs of the tests at once (two builds) keep out of each other's files.
              "-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()))) {
    std::filesystem::create_directories(dir_);
  }
  ~TempFolder() { std::filesystem::remove_all(dir_); }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  // A recording file whose samples all move to x.
  std::string File(const std::string& name, int x, int samples = 3) const {
    const std::string path = Path(name);
    std::ofstream out(path, std::ios::binary);
    for (int i = 0; i < samples; ++i) out << x << ",0,-1\r\n";
    return path;
  }

 private:
  std::filesystem::path dir_;
};
