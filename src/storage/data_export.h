#pragma once
// The text exports: one labelled block of data lines per sprite, tile set
// (patterns, then colours) and name table, in the byte layouts the video chip
// reads. Assembly and BASIC differ only in the prefix of a data line.

#include <cstddef>
#include <string>

#include "storage/file_io.h"

constexpr const char* kAssemblyLinePrefix = "   db ";
constexpr const char* kBasicLinePrefix = "   DATA BYTE ";
constexpr std::size_t kMaxExportedRecords = 256;

// A record's label: its name with every character but ASCII letters and digits
// made "_"; the fallback prefix and the position when that is empty or starts
// with a digit.
std::string MakeLabel(const char* name, const char* fallbackPrefix, std::size_t position);

// The whole export of the open project, with "\n" line ends.
std::string ExportText(const char* linePrefix);

// Writes the export in text mode, replacing the file only once all is written.
FileResult WriteExport(const std::string& path, const char* linePrefix);
