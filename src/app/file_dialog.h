#pragma once
#include <string>

// The folder every file dialog opens in: the working directory at start-up,
// then what the configuration or File > Load Project makes it.
extern std::string lastDirectory;
