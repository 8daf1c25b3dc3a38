#include "app/file_dialog.h"

std::string lastDirectory;
