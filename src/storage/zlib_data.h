#pragma once
// zlib streams as other programs' files hold them (Tiled's layers, Aseprite's cels).

#include <cstddef>
#include <cstdint>
#include <vector>

// The zlib or gzip stream unpacked into `out`; false unless it is whole and holds exactly `size` bytes.
bool InflateExactly(const uint8_t* packed, std::size_t packedSize, std::size_t size, std::vector<uint8_t>& out);

// The bytes as a zlib stream.
std::vector<uint8_t> Deflated(const uint8_t* bytes, std::size_t size);
