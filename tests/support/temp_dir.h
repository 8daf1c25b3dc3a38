#pragma once
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

// A fresh folder for one test, removed with everything in it afterwards.
class TempDir {
 public:
  TempDir() {
    std::random_device random;
    do path_ = std::filesystem::temp_directory_path() / ("tessellary-" + std::to_string(random()));
    while (!std::filesystem::create_directory(path_));
  }
  ~TempDir() {
    std::error_code error;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, error);
    std::filesystem::remove_all(path_, error);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};
