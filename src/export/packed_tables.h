#pragma once
// Packing an export's tables in the formats games' decoders unpack: each
// table on its own, on every core, and each decoded back and compared before
// anything is written, so a packed file that does not give back its table is
// an error instead of a broken game.

#include <cstdint>
#include <string>
#include <vector>

#include "model/export_target.h"

struct PackedTable {
  std::string name;            // the file or label it went to
  std::vector<uint8_t> bytes;  // the table, then its packed stream
  std::size_t unpacked = 0;
};

// Packs each table's bytes in place (identical tables once); false, with
// `error` naming the table, when a stream does not decode to its table.
bool PackTables(Compression compression, std::vector<PackedTable>& tables, std::string& error);

// "" when `stream` decodes to the table's bytes, else what is wrong, naming the table.
std::string PackedStreamFault(Compression compression, const std::vector<uint8_t>& stream, const PackedTable& table);

// Decodes a whole stream of `compression`; false, with `error`, for a damaged
// one or one that gives more than `maxSize` bytes.
bool UnpackTable(Compression compression, const std::vector<uint8_t>& stream, std::size_t maxSize,
                 std::vector<uint8_t>& out, std::string& error);

// "packed Dungeon.pat.zx0: 312 of 2048 bytes" for each table, then "packed in
// all: ..." with the total and its share.
std::vector<std::string> DescribePacking(const std::vector<PackedTable>& tables);
