#include "storage/recovery_file.h"

#include <cstring>

#include "storage/project_file.h"

namespace {
const char kMagic[4] = {'K', 'R', 'V', 'R'};
constexpr uint32_t kVersion = 1;
constexpr int kCanvasCells = kCanvasRows * kCanvasColumns;

void PutLittleEndian(std::string& out, uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
}

uint64_t TakeLittleEndian(const uint8_t*& at, int bytes) {
  uint64_t value = 0;
  for (int i = 0; i < bytes; ++i) value |= uint64_t(at[i]) << (8 * i);
  at += bytes;
  return value;
}
}  // namespace

std::string SerializeRecoveryCopy(int64_t savedAt, const std::string& projectPath, const CanvasImage& canvas,
                                  const Project& data) {
  std::string out(kMagic, sizeof kMagic);
  PutLittleEndian(out, kVersion, 4);
  PutLittleEndian(out, static_cast<uint64_t>(savedAt), 8);
  PutLittleEndian(out, projectPath.size(), 4);
  out += projectPath;
  out.append(reinterpret_cast<const char*>(canvas.pixels), sizeof canvas.pixels);
  for (const auto* colours : {&canvas.foreground, &canvas.background})
    for (const auto& row : *colours)
      for (int32_t colour : row) PutLittleEndian(out, static_cast<uint32_t>(colour), 4);
  return out + SerializeProject(data);
}

FileResult ParseRecoveryCopy(const uint8_t* data, std::size_t size, RecoveryCopy& into) {
  constexpr std::size_t kHeader = sizeof kMagic + 4 + 8 + 4;
  if (size < kHeader || std::memcmp(data, kMagic, sizeof kMagic) != 0) return FileResult::NotProjectFile;
  const uint8_t* at = data + sizeof kMagic;
  const uint8_t* const end = data + size;
  if (TakeLittleEndian(at, 4) != kVersion) return FileResult::UnsupportedVersion;
  into.savedAt = static_cast<int64_t>(TakeLittleEndian(at, 8));
  const uint64_t pathLength = TakeLittleEndian(at, 4);
  const std::size_t canvasBytes = kCanvasCells * 9;
  if (pathLength > kMaxRecoveryPathLength || static_cast<std::size_t>(end - at) < pathLength + canvasBytes)
    return FileResult::TruncatedOrCorrupt;
  into.projectPath.assign(reinterpret_cast<const char*>(at), pathLength);
  at += pathLength;
  std::memcpy(into.canvas.pixels, at, sizeof into.canvas.pixels);
  at += sizeof into.canvas.pixels;
  for (auto* colours : {&into.canvas.foreground, &into.canvas.background})
    for (auto& row : *colours)
      for (int32_t& colour : row) {
        colour = static_cast<int32_t>(TakeLittleEndian(at, 4));
        if (colour < 0 || colour > 15) return FileResult::TruncatedOrCorrupt;  // the canvas indexes the palette
      }
  return ParseProject(at, static_cast<std::size_t>(end - at), into.project);
}
