// The packed formats: streams worked out by hand from the formats'
// descriptions, round trips of every table of a rich project and of edge
// inputs, the encoders' sizes against an exhaustive search of every parse of
// short inputs, and the decoders refusing damaged streams.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <random>
#include <tuple>

#include "compress/bit_writer.h"
#include "compress/pletter.h"
#include "compress/zx0.h"
#include "export/build_outputs.h"
#include "support/project_fixtures.h"

namespace {
using Bytes = std::vector<uint8_t>;
using Pack = Bytes (*)(const uint8_t*, std::size_t);
using Unpack = bool (*)(const uint8_t*, std::size_t, std::size_t, Bytes&, std::string&);
const struct Format {
  const char* name;
  Pack pack;
  Unpack unpack;
} kFormats[] = {{"ZX0", PackZx0, UnpackZx0}, {"Pletter", PackPletter, UnpackPletter}};

Bytes Of(const std::string& text) { return Bytes(text.begin(), text.end()); }

// Round trip; returns the packed size.
std::size_t RoundTrip(const Format& format, const Bytes& input) {
  const Bytes packed = format.pack(input.data(), input.size());
  Bytes back;
  std::string error;
  EXPECT_TRUE(format.unpack(packed.data(), packed.size(), input.size(), back, error)) << format.name << ": " << error;
  EXPECT_TRUE(back == input) << format.name << " of " << input.size() << " bytes";
  return packed.size();
}

bool Matches(const Bytes& d, std::size_t at, std::size_t offset, std::size_t length) {
  if (offset > at || at + length > d.size()) return false;
  for (std::size_t i = 0; i < length; ++i)
    if (d[at + i] != d[at + i - offset]) return false;
  return true;
}

// The fewest bits of any ZX0 stream for `d`, trying every block at every step.
int SearchZx0(const Bytes& d) {
  std::map<std::tuple<std::size_t, int, std::size_t>, int>
      memo;  // position, last block (0 none, 1 literal, 2 copy), last offset
  std::function<int(std::size_t, int, std::size_t)> rest = [&](std::size_t at, int last, std::size_t offset) {
    if (at == d.size()) return 1 + GammaBits(256);
    const auto key = std::make_tuple(at, last, offset);
    if (auto found = memo.find(key); found != memo.end()) return found->second;
    int best = 1 << 30;
    const int flag = last == 0 ? 0 : 1;
    for (std::size_t length = 1; last != 1 && at + length <= d.size(); ++length)
      best = std::min(best, flag + GammaBits(length) + 8 * int(length) + rest(at + length, 1, offset));
    for (std::size_t length = 1; last == 1 && Matches(d, at, offset, length); ++length)
      best = std::min(best, 1 + GammaBits(length) + rest(at + length, 2, offset));
    for (std::size_t o = 1; last != 0 && o <= at; ++o)
      for (std::size_t length = 2; Matches(d, at, o, length); ++length)
        best = std::min(best, 1 + GammaBits((o - 1) / 128 + 1) + 7 + GammaBits(length - 1) + rest(at + length, 2, o));
    return memo[key] = best;
  };
  return rest(0, 0, 1);
}

// The fewest bits of any Pletter stream for `d`, over every mode and token.
int SearchPletter(const Bytes& d) {
  int best = 1 << 30;
  for (int mode = 1; mode <= 6; ++mode) {
    std::vector<int> cost(d.size() + 1, 1 << 30);
    cost[1] = 3 + 8;
    for (std::size_t at = 1; at < d.size(); ++at) {
      cost[at + 1] = std::min(cost[at + 1], cost[at] + 9);
      for (std::size_t o = 1; o <= at && o <= (mode == 1 ? 256u : 128u + (128u << mode)); ++o)
        for (std::size_t length = 2; Matches(d, at, o, length); ++length)
          cost[at + length] =
              std::min(cost[at + length], cost[at] + 1 + GammaBits(length - 1) + 8 + (o > 128 && mode > 1 ? mode : 0));
    }
    best = std::min(best, cost[d.size()] + 34);
  }
  return best;
}
}  // namespace

TEST(PackedFormats, StreamsWorkedOutByHand) {
  const struct {
    Pack pack;
    const char* input;
    Bytes stream;
  } cases[] = {
      {PackZx0, "A", {0xD5, 0x41, 0x55, 0x60}},                  // literal 1, end
      {PackZx0, "AAAA", {0x9D, 0x41, 0x55, 0x56}},               // literal 1, copy 3 from the last offset (1)
      {PackZx0, "ABAB", {0x3D, 0x41, 0x42, 0xFD, 0x55, 0x56}},   // literal 2, new offset 2 of length 2
      {PackPletter, "A", {0x1F, 0x41, 0xFF, 0xFF, 0xFF, 0xF8}},  // mode 1, the first byte, the end
      {PackPletter, "AAAA", {0x19, 0x41, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x80}},  // a copy of 3 at offset 1
  };
  for (const auto& c : cases) {
    const Bytes input = Of(c.input);
    EXPECT_EQ(c.pack(input.data(), input.size()), c.stream) << c.input;
    for (const Format& format : kFormats) RoundTrip(format, input);
  }
}

TEST(PackedFormats, EveryTableRoundTripsAndEdgeInputsToo) {
  MakeRichProject();
  std::vector<Bytes> inputs;
  for (const OutputFile& file : BinaryTableFiles(project, SelectAll(project, kAllTables)))
    if (file.name != "index.txt") inputs.push_back(Of(file.bytes));
  std::mt19937 random(7);
  Bytes noise(3000);
  for (uint8_t& byte : noise) byte = static_cast<uint8_t>(random());
  inputs.push_back(noise);  // incompressible
  inputs.push_back(Bytes(2048, 0));
  inputs.push_back(Bytes(8192, 0));
  inputs.push_back(Bytes(33000, 7));  // a run past ZX0's farthest offset
  inputs.push_back(Bytes(65536, 3));  // ZX0's longest match run, exactly
  inputs.push_back(Of("AB"));
  auto repeatAt = [&random](std::size_t distance) {  // 32 bytes again at exactly that distance
    Bytes repeat(distance + 32);
    for (std::size_t i = 0; i < distance; ++i) repeat[i] = static_cast<uint8_t>(random());
    for (std::size_t i = 0; i < 32; ++i) repeat[distance + i] = repeat[i];
    return repeat;
  };
  for (std::size_t distance : {128u, 129u, 256u, 257u, 640u, 641u, 1152u, 2176u, 4224u, 8320u, 8321u})
    inputs.push_back(repeatAt(distance));
  for (const Format& format : kFormats)
    for (const Bytes& input : inputs) RoundTrip(format, input);
  // A repeat at the farthest offset a format (or Pletter's mode) reaches is taken: the same bytes
  // without it pack larger.
  for (const auto& [format, distance] : {std::pair{kFormats[0], 32640u}, {kFormats[1], 256u}, {kFormats[1], 8320u}}) {
    Bytes far = repeatAt(distance);
    const std::size_t with = RoundTrip(format, far);
    for (std::size_t i = far.size() - 32; i < far.size(); ++i) far[i] ^= 0x5A;
    EXPECT_LE(with + 8, format.pack(far.data(), far.size()).size()) << format.name << " at " << distance;
  }
}

TEST(PackedFormats, NoParseOfAShortInputIsSmaller) {
  std::mt19937 random(11);
  for (int trial = 0; trial < 300; ++trial) {
    Bytes input(1 + random() % (trial < 200 ? 11 : 40));
    for (uint8_t& byte : input) byte = static_cast<uint8_t>('A' + random() % (1 + trial % 3));
    EXPECT_EQ(PackZx0(input.data(), input.size()).size(), std::size_t(SearchZx0(input) + 7) / 8)
        << std::string(input.begin(), input.end());
    EXPECT_EQ(PackPletter(input.data(), input.size()).size(), std::size_t(SearchPletter(input) + 7) / 8)
        << std::string(input.begin(), input.end());
  }
  // ZX0 offsets where gamma(m) grows: noise with a short repeat at 127 or 128.
  for (int trial = 0; trial < 200; ++trial) {
    Bytes input(131 + random() % 24);
    for (uint8_t& byte : input) byte = static_cast<uint8_t>(random());
    const std::size_t distance = 127 + random() % 2, at = distance + random() % 3, length = 2 + random() % 3;
    for (std::size_t i = at; i < std::min(input.size(), at + length); ++i) input[i] = input[i - distance];
    EXPECT_EQ(PackZx0(input.data(), input.size()).size(), std::size_t(SearchZx0(input) + 7) / 8) << trial;
  }
  // Pletter's modes: longer inputs with repeats past the near offsets.
  for (int trial = 0; trial < 40; ++trial) {
    Bytes input(200 + random() % 1200);
    for (uint8_t& byte : input) byte = static_cast<uint8_t>('A' + random() % (2 + trial % 20));
    const std::size_t distance = 129 + random() % (input.size() - 160),
                      at = distance + random() % (input.size() - distance - 20);
    for (std::size_t i = at; i < at + 20; ++i) input[i] = input[i - distance];
    EXPECT_EQ(PackPletter(input.data(), input.size()).size(), std::size_t(SearchPletter(input) + 7) / 8) << trial;
  }
}

TEST(PackedFormats, DamagedStreamsAreRefusedWithinBounds) {
  MakeRichProject();
  const std::string table = BinaryTableFiles(project, SelectAll(project, kAllTables))[0].bytes;
  const Bytes input = Of(table);
  for (const Format& format : kFormats) {
    const Bytes packed = format.pack(input.data(), input.size());
    Bytes out;
    std::string error;
    for (std::size_t cut = 0; cut < packed.size(); ++cut)
      EXPECT_FALSE(format.unpack(packed.data(), cut, input.size(), out, error)) << format.name << " cut at " << cut;
    EXPECT_FALSE(format.unpack(packed.data(), packed.size(), input.size() - 1, out, error)) << "longer than allowed";
    int refused = 0;
    for (std::size_t at = 0; at < packed.size(); at += 3)
      for (int bit = 0; bit < 8; bit += 3) {
        Bytes damaged = packed;
        damaged[at] ^= static_cast<uint8_t>(1 << bit);
        refused += !format.unpack(damaged.data(), damaged.size(), input.size(), out, error) || out != input;
      }
    EXPECT_GT(refused, 0) << format.name;
  }
}
