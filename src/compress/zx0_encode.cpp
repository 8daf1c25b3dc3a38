// The ZX0 encoder: an exact shortest parse by dynamic programming, then the
// stream written from it.
//
// The cost of a parse in bits: each block but the first takes one bit that
// says what it is; a literal block of L bytes gamma(L) + 8L, a copy from the
// last offset gamma(L) (only right after a literal block), a new-offset block
// gamma(m) + 7 + gamma(L - 1), the end 1 + gamma(256). Whole bytes and bit
// bytes add up to ceil(bits / 8), so the fewest bits give the fewest bytes.
//
// Two facts keep the work near one step per pair of equal bytes:
//  - A copy followed by a literal block ends where its match ends (taking the
//    literal's first byte into the copy never costs more), and a copy from
//    the last offset starts where its match starts (taking the literal's last
//    byte into it never costs more). So states that carry an offset forward
//    exist only at the ends and starts of runs of matching bytes.
//  - A copy from the last offset that costs no less than a new-offset copy of
//    the same bytes from the best state at its start can never win.
// New-offset copies only need the best state at their start: for each length
// class of gamma(L - 1), a window minimum over earlier positions.
#include <algorithm>
#include <climits>

#include "compress/bit_writer.h"
#include "compress/match_runs.h"
#include "compress/window_minimum.h"
#include "compress/zx0.h"

namespace {
constexpr int64_t kNever = INT64_MAX / 4;

// kLiteralThenLastOffset: a literal block and a copy from the last offset of
// `repeat` bytes after it, in one node (most such copies are a byte or two).
enum Kind : uint8_t { kLiteral, kLastOffset, kNewOffset, kLiteralThenLastOffset };

// A block of a parse: it starts where its parent ends.
inline uint16_t Offset(uint32_t offset) { return static_cast<uint16_t>(offset); }
struct Node {
  int32_t parent;  // -1: the stream's start
  uint32_t end;
  uint16_t offset;
  Kind kind;
  uint8_t repeat = 0;
};

// Blocks that may come before a literal block, keyed by cost - 8 * position:
// an older one whose key is not lower than a newer one's can never win again
// (its gamma code is no shorter), nor a newer one dearer than the oldest by
// more than any difference of two gamma codes (the band). Keys in a list
// differ, so it holds at most band items, and nearly always a few.
constexpr int32_t kNotMade = -2;

struct CandidateList {
  // A copy ending at `pos`: its node, or kNotMade for a new-offset copy of
  // `length` bytes from the best state, whose node is made only when a block
  // that follows it is taken (most such copies are never followed).
  struct Candidate {
    uint32_t pos;
    int32_t node;
    int64_t key;
    uint32_t length = 0, offset = 0;
  };
  // A few items in place, beside the rest of the offset's state (every run
  // that starts or stops reads them); a list that outgrows them moves into
  // `spill`, room for the band, for good.
  static constexpr uint32_t kInPlace = 6;
  uint32_t count = 0;  // oldest first
  bool spilled = false;
  Candidate inPlace[kInPlace];
  std::vector<Candidate> spill;

  Candidate* begin() { return spilled ? spill.data() : inPlace; }
  Candidate* end() { return begin() + count; }
  const Candidate* begin() const { return spilled ? spill.data() : inPlace; }
  const Candidate* end() const { return begin() + count; }

  bool Keeps(int64_t key, int64_t band) const { return count == 0 || key < begin()->key + band; }
  void Insert(const Candidate& c, int64_t band) {
    if (!Keeps(c.key, band)) return;
    Candidate* items = begin();
    while (count > 0 && items[count - 1].key >= c.key) --count;
    if (count == kInPlace && !spilled) {
      spill.assign(inPlace, inPlace + count);
      spill.resize(static_cast<std::size_t>(band));
      spilled = true, items = spill.data();
    }
    items[count++] = c;
  }
  // The cost of a literal block from the best candidate up to `end`.
  int64_t LiteralTo(uint32_t end, const Candidate*& from) const {
    int64_t cost = kNever;
    from = nullptr;
    for (const Candidate& c : *this) {
      const int64_t total = c.key + GammaBits(end - c.pos) + 8 * int64_t(end) + 1;
      if (total < cost) cost = total, from = &c;
    }
    return cost;
  }
};

struct Parser {
  const uint8_t* data;
  uint32_t n;
  std::vector<Node> nodes;
  std::vector<int64_t> best;  // the cheapest state at each position
  std::vector<int32_t> bestNode;
  WindowMinimum window{best};
  int64_t band = GammaBits(std::max<uint32_t>(n, 1)) - 1;
  struct RepeatStart {
    uint32_t pos = 0;
    int32_t node = -1;  // the literal block's node, made when a copy takes it
    int64_t cost = kNever;
    CandidateList::Candidate after{0, -1, 0};  // the copy the literal block follows (node -1: the start)
  };
  // What each offset's runs need, together in memory: every run that starts or stops reads and writes it.
  struct OffsetState {
    RepeatStart from;             // the literal block ending where the offset's current run started
    CandidateList literals;       // copies a literal block keeping the offset may follow
    uint8_t active = 0;           // a copy from the last offset may win
    uint8_t listed = 0;           // in `actives`
  };
  std::vector<OffsetState> offsets;
  std::vector<uint32_t> actives;
  CandidateList anyLiteral;
  // The cheapest of the copies ending at the position: of those, only it may go into anyLiteral.
  CandidateList::Candidate cheapestEnded{0, -1, kNever};

  int32_t Add(const Node& node) {
    nodes.push_back(node);
    return static_cast<int32_t>(nodes.size()) - 1;
  }

  // Most nodes are copies no later block ever follows: dropping those that
  // nothing reaches keeps the nodes few and in memory already touched.
  std::size_t collectAt = 1 << 16;
  std::vector<int32_t> moved;  // by node: where it goes, -1 when nothing reaches it
  void Collect() {
    moved.assign(nodes.size(), -1);
    auto mark = [this](int32_t node) {
      for (; node >= 0 && moved[node] == -1; node = nodes[node].parent) moved[node] = 0;
    };
    auto everyRoot = [&](auto visit) {
      for (int32_t& node : bestNode) visit(node);
      for (OffsetState& offset : offsets) {
        for (CandidateList::Candidate& c : offset.literals) visit(c.node);
        visit(offset.from.after.node), visit(offset.from.node);
      }
      for (CandidateList::Candidate& c : anyLiteral) visit(c.node);
    };
    everyRoot(mark);
    int32_t kept = 0;  // parents come before their children, and stay so
    for (std::size_t i = 0; i < nodes.size(); ++i)
      if (moved[i] == 0) moved[i] = kept, nodes[kept++] = nodes[i];
    nodes.resize(kept);
    for (Node& node : nodes)
      if (node.parent >= 0) node.parent = moved[node.parent];
    everyRoot([this](int32_t& node) {
      if (node >= 0) node = moved[node];
    });
    collectAt = std::max<std::size_t>(1 << 17, 4 * nodes.size());
  }

  // The cheapest start for a new-offset copy ending at e of 2 to `longest`
  // bytes: gamma(L - 1) is constant over L in 2^k + 1 .. 2^(k+1).
  int64_t CopyStart(uint32_t e, uint32_t longest, uint32_t& length) const {
    int64_t cost = kNever;
    for (int k = 0; (1u << k) + 1 <= longest; ++k) {
      const uint32_t shortest = (1u << k) + 1, most = std::min(longest, 2u << k);
      const uint32_t s = window.Least(e - most, e - shortest);
      if (best[s] + 2 * k + 1 < cost) cost = best[s] + 2 * k + 1, length = e - s;
    }
    return cost;
  }

  // Runs of many offsets end at one position with one length, and share the cheapest start.
  struct SharedStart {
    uint32_t at = UINT32_MAX;
    uint32_t length = 0;
    int64_t cost = kNever;
  };
  std::vector<SharedStart> sharedStarts;  // by run length, for the position runs last ended at
  int64_t RunCopyStart(uint32_t e, uint32_t longest, uint32_t& length) {
    SharedStart& shared = sharedStarts[longest];
    if (shared.at != e) shared.at = e, shared.cost = CopyStart(e, longest, shared.length);
    length = shared.length;
    return shared.cost;
  }

  static int64_t NewOffsetBits(uint32_t offset) { return 1 + GammaBits(((offset - 1) >> 7) + 1) + 7; }

  // The largest buffers stay with the thread from one input to the next (an
  // export packs hundreds of tables), their lists' memory with them.
  struct Kept {
    std::vector<Node> nodes;
    std::vector<OffsetState> offsets;
  };
  static Kept& KeptBuffers() {
    thread_local Kept kept;
    return kept;
  }

  Parser(const uint8_t* bytes, uint32_t size) : data(bytes), n(size), best(size + 1, kNever), bestNode(size + 1, -1) {
    nodes.swap(KeptBuffers().nodes);
    offsets.swap(KeptBuffers().offsets);
    nodes.clear();
    nodes.reserve(collectAt);
  }
  ~Parser() {
    KeptBuffers().nodes.swap(nodes);
    KeptBuffers().offsets.swap(offsets);
  }

  int32_t Made(const CandidateList::Candidate& c) {
    if (c.node != kNotMade) return c.node;
    return Add(Node{bestNode[c.pos - c.length], c.pos, Offset(c.offset), kNewOffset});
  }

  int32_t LiteralNode(uint32_t o) {
    RepeatStart& from = offsets[o].from;
    if (from.node < 0) from.node = Add(Node{Made(from.after), from.pos, Offset(o), kLiteral});
    return from.node;
  }

  // A copy from the last offset o ending at p, after the literal block its run started at.
  int32_t RepeatNode(uint32_t o, uint32_t p, uint32_t length) {
    RepeatStart& from = offsets[o].from;
    if (from.node >= 0 || length > 255) return Add(Node{LiteralNode(o), p, Offset(o), kLastOffset});
    from.after.node = Made(from.after);
    return Add(Node{from.after.node, p, Offset(o), kLiteralThenLastOffset, static_cast<uint8_t>(length)});
  }

  // Copies ending at p where their run of matches ends: literal blocks may follow them.
  void RunEnded(uint32_t p, uint32_t o, uint32_t length) {
    const RepeatStart& from = offsets[o].from;
    offsets[o].active = 0;
    int64_t copy = kNever;
    if (from.cost < kNever && from.pos == p - length) copy = from.cost + 1 + GammaBits(length);
    uint32_t copyLength = 0;
    const int64_t fresh = length >= 2 ? RunCopyStart(p, length, copyLength) + NewOffsetBits(o) : kNever;
    const int64_t key = std::min(copy, fresh) - 8 * int64_t(p);
    if (std::min(copy, fresh) >= kNever || (!offsets[o].literals.Keeps(key, band) && !anyLiteral.Keeps(key, band))) return;
    const CandidateList::Candidate made =
        fresh <= copy ? CandidateList::Candidate{p, kNotMade, key, copyLength, o}
                      : CandidateList::Candidate{p, RepeatNode(o, p, length), key};
    offsets[o].literals.Insert(made, band);
    if (made.key <= cheapestEnded.key) cheapestEnded = made;
  }

  // A literal block ending at p where a run of matches starts: copies from the last offset may start there.
  void RunStarted(uint32_t p, uint32_t o) {
    RepeatStart& from = offsets[o].from;
    const CandidateList::Candidate* c = nullptr;
    from = RepeatStart{p, -1, offsets[o].literals.LiteralTo(p, c)};
    if (c) from.after = *c;
    if (o == 1 && GammaBits(p) + 8 * int64_t(p) < from.cost)
      from.cost = GammaBits(p) + 8 * int64_t(p), from.after.node = -1;
    if (from.cost >= kNever) return;
    offsets[o].active = from.cost < best[p] + NewOffsetBits(o) - 1;
    if (offsets[o].active && !offsets[o].listed) offsets[o].listed = 1, actives.push_back(o);
  }

  template <typename Count>
  void Run() {
    const uint32_t farthest = std::min<uint32_t>(n, kZx0MaxOffset);
    MatchRuns<Count> runs(data, n, farthest);
    for (OffsetState& offset : offsets) offset.from = RepeatStart{}, offset.literals.count = 0, offset.active = offset.listed = 0;
    offsets.resize(farthest + 1);
    sharedStarts.resize(n + 1);
    window.KnownUpTo(0);
    std::vector<uint32_t> starts;
    for (uint32_t e = 1; e <= n; ++e) {
      if (nodes.size() >= collectAt) Collect();
      const uint32_t p = e - 1;
      runs.Take(p);
      starts.clear();
      runs.ForEachChange(p, [&](uint32_t o, bool started) {
        if (started)
          starts.push_back(o);
        else
          RunEnded(p, o, p - runs.start[o]);
      });
      if (cheapestEnded.key < kNever) anyLiteral.Insert(cheapestEnded, band), cheapestEnded.key = kNever;
      for (uint32_t o : starts) RunStarted(p, o);

      // The cheapest state at e.
      Node choice{-1, e, 1, kLiteral};
      int64_t cost = GammaBits(e) + 8 * int64_t(e);
      const CandidateList::Candidate* c = nullptr;
      if (const int64_t literal = anyLiteral.LiteralTo(e, c); literal < cost)
        cost = literal, choice = Node{Made(*c), e, 1, kLiteral};
      uint32_t repeatOffset = 0;  // the literal block's node is made only if a copy from the last offset wins
      auto repeat = [&](uint32_t o) {
        const RepeatStart& from = offsets[o].from;
        if (from.cost + 1 + GammaBits(e - from.pos) < cost)
          cost = from.cost + 1 + GammaBits(e - from.pos), choice = Node{-1, e, Offset(o), kLastOffset},
          repeatOffset = o;
      };
      for (uint32_t o : starts)
        if (offsets[o].from.cost < kNever) repeat(o);
      for (std::size_t i = 0; i < actives.size();) {
        const uint32_t o = actives[i];
        if (!offsets[o].active || runs.run[o] == 0) {
          offsets[o].listed = 0, actives[i] = actives.back(), actives.pop_back();
          continue;
        }
        repeat(o);
        ++i;
      }
      uint32_t covered = 1;  // new-offset copies need two bytes
      for (uint32_t first = 1; first <= runs.reach; first += 128) {
        const uint32_t longest = runs.Longest(first / 128);
        if (longest <= covered) continue;
        covered = longest;
        uint32_t length = 0, o = first;
        while (runs.run[o] != longest) ++o;
        const int64_t copy = CopyStart(e, longest, length) + NewOffsetBits(o);
        if (copy < cost) cost = copy, choice = Node{bestNode[e - length], e, Offset(o), kNewOffset};
      }
      if (choice.kind == kLastOffset) choice.parent = LiteralNode(repeatOffset);
      best[e] = cost;
      bestNode[e] = Add(choice);
      window.KnownUpTo(e);
    }
  }
};

// The bits of gamma(v), for the length code that starts inside the offset byte.
std::vector<int> GammaCode(uint32_t v) {
  BitWriter writer;
  writer.Gamma(v, 0);
  std::vector<int> bits;
  for (uint8_t byte : writer.out)
    for (int b = 7; b >= 0; --b) bits.push_back(byte >> b & 1);
  bits.resize(static_cast<std::size_t>(GammaBits(v)));
  return bits;
}
}  // namespace

std::vector<uint8_t> PackZx0(const uint8_t* data, std::size_t size) {
  if (size == 0) return {};
  Parser parser(data, static_cast<uint32_t>(size));
  if (size < 0x10000)
    parser.Run<uint16_t>();  // no run can reach 64 K
  else
    parser.Run<uint32_t>();
  std::vector<Node> blocks;
  for (int32_t node = parser.bestNode[size]; node >= 0; node = parser.nodes[node].parent) {
    const Node& made = parser.nodes[node];
    if (made.kind != kLiteralThenLastOffset) {
      blocks.push_back(made);
      continue;
    }
    blocks.push_back(Node{-1, made.end, made.offset, kLastOffset});
    blocks.push_back(Node{-1, made.end - made.repeat, made.offset, kLiteral});
  }
  std::reverse(blocks.begin(), blocks.end());

  BitWriter out;
  uint32_t start = 0;
  for (std::size_t i = 0; i < blocks.size(); start = blocks[i++].end) {
    const Node& block = blocks[i];
    const uint32_t length = block.end - start;
    if (i > 0) out.Bit(block.kind == kNewOffset);
    switch (block.kind) {
      case kLiteral:
        out.Gamma(length, 0);
        for (uint32_t at = start; at < block.end; ++at) out.Byte(data[at]);
        break;
      case kLastOffset:
        out.Gamma(length, 0);
        break;
      case kLiteralThenLastOffset:  // split in two above
        break;
      case kNewOffset: {
        out.Gamma(((block.offset - 1) >> 7) + 1, 0, true);
        const std::vector<int> lengthCode = GammaCode(length - 1);
        out.Byte(static_cast<uint8_t>((127 - ((block.offset - 1) & 127)) << 1 | lengthCode[0]));
        for (std::size_t bit = 1; bit < lengthCode.size(); ++bit) out.Bit(lengthCode[bit]);
        break;
      }
    }
  }
  out.Bit(1);
  out.Gamma(256, 0, true);
  return out.out;
}
