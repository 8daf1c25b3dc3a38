#include "import/clipboard_parsers.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {
using Bytes = std::vector<uint8_t>;
using Block = std::pair<std::string, Bytes>;  // a block's name and bytes

struct Case {
  const char* text;
  std::vector<Block> expected;
};

void ExpectCases(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    std::vector<Block> blocks;
    for (const ImportBlock& block : ParseTokenImport(c.text)) blocks.emplace_back(block.name, block.bytes);
    EXPECT_EQ(blocks, c.expected) << "text: " << c.text;
  }
}
}  // namespace

TEST(TokenImport, NotationsLabelsCommentsAndKeywords) {
  ExpectCases({
      {"db 10, 0x7F, $80", {{"Imported", {0x10, 0x7F, 0x80}}}},
      {"db 0FFh, %00001111, 1234h, 12H", {{"Imported", {0xFF, 0x0F, 0x34, 0x12}}}},
      {"db %102, $12x, 12h34, $0x12, 0x0x12", {{"Imported", {0x02, 0x12, 0x12, 0x12, 0x12}}}},
      {"db $F#F, #$10, 1\t2\v3\f4", {{"Imported", {0xFF, 0x10, 1, 2, 3, 4}}}},
      // Labels and blocks.
      {"sprite_a: db $01,$02\n  DB 0FFh, %00001111 ; note", {{"sprite_a", {1, 2, 0xFF, 0x0F}}}},
      {"first:\nsecond:\n", {{"first", {}}, {"second", {}}}},
      {"  my label  :\r\ndb 1\r\nmy label:db 2", {{"my label", {1}}, {"my label", {2}}}},
      {"", {}},
      // Comments only at the start of a line.
      {"; comment\n// comment\n\n   \t", {}},
      {"db 1 // 2", {{"Imported", {1, 2}}}},
      {"db 1 ; 2, 3", {{"Imported", {1}}}},
      // The data keyword is found anywhere in the line.
      {"DBG: db 1", {{"DBG", {0xDB, 1}}}},
      {"feedback 7", {{"Imported", {0xAC, 0x07}}}},  // "ack": k is ignored
      // Tokens that convert to nothing are dropped.
      {"db %2, $G, FFFFFFFF, 100000000", {{"Imported", {0xFF}}}},
  });
  EXPECT_TRUE(ParseTokenImport(nullptr).empty());
}

TEST(RawHexImport, PairsEveryHexDigitInTheTextAndPadsAnOddLastOne) {
  EXPECT_EQ(ParseRawHexImport("3C 7e\r\n$F,F?A"), (Bytes{0x3C, 0x7E, 0xFF, 0xA0}));
  EXPECT_TRUE(ParseRawHexImport(nullptr).empty());
}
