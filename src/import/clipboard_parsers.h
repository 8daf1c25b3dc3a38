#pragma once
// The two readers of pasted text. Pure functions: they never fail and touch no
// project or GUI state; text they do not understand just yields fewer bytes.

#include <cstdint>
#include <string>
#include <vector>

struct ImportBlock {
  std::string name;            // the label, or "Imported" for data before any label
  std::vector<uint8_t> bytes;  // in text order; may be empty
};

// Assembly-style text: labels open blocks, "db" lines add bytes to the last block.
// A plain number is hexadecimal; "$", "%", "0x" and a trailing "h" pick the base.
std::vector<ImportBlock> ParseTokenImport(const char* text);

// Every hexadecimal digit of the text, in pairs; a lone last digit is a high nibble.
std::vector<uint8_t> ParseRawHexImport(const char* text);
