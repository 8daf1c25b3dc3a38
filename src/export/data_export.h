#pragma once
// The whole-project text export in one dialect (see text_dialects.h): one
// labelled block of data lines per sprite, tile set (patterns, then colours)
// and name table.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "export/text_dialects.h"
#include "model/project.h"
#include "storage/file_io.h"

constexpr const char* kAssemblyLinePrefix = "   db ";
// Bytes as every data line writes them: "$0F,$A0".
void AppendHexBytes(std::string& out, const uint8_t* bytes, std::size_t count);

// The whole export of `data`, with "\n" line ends; `renamed` gets the labels
// made unique (see export_labels.h).
std::string ExportText(const Project& data, const TextDialect& dialect, std::vector<std::string>* renamed = nullptr);

// Writes the export in text mode, replacing the file only once all is written.
FileResult WriteExport(const std::string& path, const Project& data, const TextDialect& dialect,
                       std::vector<std::string>* renamed = nullptr);
