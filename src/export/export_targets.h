#pragma once
// Writing an export target: the one function behind the editor's exports and
// the command line, so both write the same bytes.

#include <string>
#include <vector>

#include "export/build_outputs.h"
#include "export/packed_tables.h"
#include "model/project.h"

struct ExportRun {
  std::string folder;               // where the files go
  std::vector<OutputFile> files;    // named within the folder
  bool ownPaths = false;  // files each written at its path (a text export, an Aseprite file) rather than into a folder
  std::vector<std::string> notes;   // renamed labels, attribute problems, names that match nothing
  std::vector<PackedTable> packed;  // each packed table: its stream and unpacked size
  std::string error;                // why the target cannot be written; then no files
};

// The target's path with the project file's folder (empty for an untitled
// project) in front when it is relative.
std::string ResolveTargetPath(const std::string& stored, const std::string& projectFolder);
// The path to store for a chosen one: relative when it lies under the project's folder.
std::string StoreTargetPath(const std::string& chosen, const std::string& projectFolder);

// Why the targets cannot all be written, when two of them write the same path
// (the second would silently replace the first's files); empty when none do.
std::string TargetsSharingAPath(const std::vector<ExportTarget>& targets);
// `wanted`, or where another target writes it already, the first free "gfx-2.asm", "gfx-3.asm"...
std::string FreeTargetPath(const std::vector<ExportTarget>& targets, const std::string& wanted);

// What `target` makes from `data`, nothing written yet.
ExportRun PrepareExport(const Project& data, const ExportTarget& target, const std::string& projectFolder);

struct ExportOutcome {
  std::vector<std::string> written;  // paths
  std::vector<std::string> notes;
  std::vector<PackedTable> packed;
  std::string error;  // empty: all written
};
// Prepares and writes the target; on a failure the files already whole stay
// and the one that failed is not written partially. A folder format makes its
// folder; a file's missing folder is made only with `makeFolders` (a project's
// targets, set up once), not for a path just typed, where it is more likely a slip.
ExportOutcome WriteExportTarget(const Project& data, const ExportTarget& target, const std::string& projectFolder,
                                bool makeFolders);
