#pragma once
#include <string>

// The file name's part from its last dot on; empty for a name like ".krv".
std::string FileExtension(const std::string& path);
// Appends ".krv" unless the path ends in exactly ".krv" (letter case included).
std::string WithProjectExtension(const std::string& path);
// Appends `extension` unless the path ends in it in any letter case.
std::string WithExportExtension(const std::string& path, const std::string& extension);
// The rule a save follows: ".krv" by WithProjectExtension, others by WithExportExtension.
std::string WithSaveExtension(const std::string& path, const std::string& extension);
std::string ParentDirectory(const std::string& path);
// The path from the root, so that it still names the file from another folder;
// unchanged when the working folder cannot be read.
std::string AbsolutePath(const std::string& path);
