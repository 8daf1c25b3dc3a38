#include "support/temp_dir.h"

#include <random>
#include <stdexcept>

std::filesystem::path TempDir::MakeUnique(std::string pattern) {
  const std::string stem = pattern.substr(0, pattern.find("XXXXXX"));
  std::random_device seed;
  std::mt19937 random(seed());
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::filesystem::path path = stem + std::to_string(random());
    std::error_code error;
    if (std::filesystem::create_directory(path, error)) return path;
  }
  throw std::runtime_error("cannot create a temporary folder");
}
