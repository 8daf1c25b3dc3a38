#include "export/packed_tables.h"

#include <map>

#include "compress/pletter.h"
#include "compress/zx0.h"
#include "export/parallel_for.h"

namespace {
std::vector<uint8_t> Pack(Compression compression, const std::vector<uint8_t>& bytes) {
  return compression == Compression::Zx0 ? PackZx0(bytes.data(), bytes.size())
                                         : PackPletter(bytes.data(), bytes.size());
}
}  // namespace

bool UnpackTable(Compression compression, const std::vector<uint8_t>& stream, std::size_t maxSize,
                 std::vector<uint8_t>& out, std::string& error) {
  return compression == Compression::Zx0 ? UnpackZx0(stream.data(), stream.size(), maxSize, out, error)
                                         : UnpackPletter(stream.data(), stream.size(), maxSize, out, error);
}

std::string PackedStreamFault(Compression compression, const std::vector<uint8_t>& stream, const PackedTable& table) {
  std::vector<uint8_t> back;
  std::string why;
  if (UnpackTable(compression, stream, table.bytes.size(), back, why) && back == table.bytes) return "";
  return "the packed " + table.name + " does not unpack to its table" + (why.empty() ? "" : " (" + why + ")");
}

bool PackTables(Compression compression, std::vector<PackedTable>& tables, std::string& error) {
  std::map<std::vector<uint8_t>, std::size_t> firstOf;  // identical tables pack once
  std::vector<std::size_t> distinct, source(tables.size());
  for (std::size_t i = 0; i < tables.size(); ++i) {
    const auto found = firstOf.emplace(tables[i].bytes, i);
    if (found.second) distinct.push_back(i);
    source[i] = found.first->second;
  }
  std::vector<std::vector<uint8_t>> packed(tables.size());
  std::vector<std::string> errors(tables.size());
  ParallelFor(distinct.size(), [&](std::size_t k) {
    const std::size_t i = distinct[k];
    if (tables[i].bytes.empty()) return;  // nothing to pack: no stream can say "no bytes"
    packed[i] = Pack(compression, tables[i].bytes);
    errors[i] = PackedStreamFault(compression, packed[i], tables[i]);
  });
  for (std::size_t i : distinct)
    if (!errors[i].empty()) {
      error = errors[i];
      return false;
    }
  for (std::size_t i = 0; i < tables.size(); ++i) {
    tables[i].unpacked = tables[i].bytes.size();
    tables[i].bytes = packed[source[i]];
  }
  return true;
}

std::vector<std::string> DescribePacking(const std::vector<PackedTable>& tables) {
  std::vector<std::string> lines;
  std::size_t packed = 0, unpacked = 0;
  for (const PackedTable& table : tables) {
    lines.push_back("packed " + table.name + ": " + std::to_string(table.bytes.size()) + " of " +
                    std::to_string(table.unpacked) + (table.unpacked == 1 ? " byte" : " bytes"));
    // A stream carries a few bytes of its own, so a table of a handful of bytes grows: that is no fault.
    if (table.bytes.size() > table.unpacked) lines.back() += " (too small a table for packing to shrink)";
    packed += table.bytes.size(), unpacked += table.unpacked;
  }
  if (!tables.empty())
    lines.push_back("packed in all: " + std::to_string(packed) + " of " + std::to_string(unpacked) + " bytes (" +
                    std::to_string(unpacked ? (packed * 100 + unpacked / 2) / unpacked : 0) + "%)");
  return lines;
}
