#include "support/temp_dir.h"

#include <stdlib.h>

#include <stdexcept>

std::filesystem::path TempDir::MakeUnique(std::string pattern) {
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
  return pattern;
}
