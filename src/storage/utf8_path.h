#pragma once
// Paths travel through the program as UTF-8 text and become the system's file
// names only here: on Windows a std::string would be read in the ANSI code
// page, and a name such as "ドット.png" lost.

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

inline std::filesystem::path Utf8Path(const std::string& text) { return std::filesystem::u8path(text); }
inline std::string Utf8Text(const std::filesystem::path& path) { return path.u8string(); }

// fopen for any file name (the wide call on Windows).
std::FILE* OpenFile(const std::filesystem::path& path, const char* mode);

// The program's arguments after its name, in UTF-8: Windows hands main its
// ANSI code page's, so there they are read again from the wide command line.
std::vector<std::string> ProgramArguments(int argc, char** argv);
