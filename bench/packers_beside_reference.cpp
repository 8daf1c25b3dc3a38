// The export's ZX0 and Pletter packers beside the formats' reference
// compressors on the same table files: the time of each over all the files
// (the fastest of a few rounds, taken in turns so that a busy machine slows
// both alike), their ratio, and whether any file packs larger here than there.
// Here the packer runs as in the editor, in a process that packs table after
// table: each round times a pass after an untimed one, so that it does not
// start in caches the reference's hundreds of processes have just taken.
//
// The reference compressors are programs run once a file, as their users run
// them, so each of their times has the start of a process in it; that start,
// measured on a one-byte file, is taken off.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "compress/pletter.h"
#include "compress/zx0.h"

namespace {
using Clock = std::chrono::steady_clock;

struct Table {
  std::string path;
  std::vector<uint8_t> bytes;
};

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

// Seconds for the reference to pack every file, less a process start each.
double ReferenceSeconds(const std::string& command, const std::vector<Table>& tables, const std::string& one,
                        const std::string& out) {
  auto run = [&](const std::string& in) {
    const std::string line = command + " " + Quoted(in) + " " + Quoted(out) + " > /dev/null 2>&1";
    if (std::system(line.c_str()) != 0) std::fprintf(stderr, "failed: %s\n", line.c_str());
  };
  const Clock::time_point start = Clock::now();
  for (const Table& table : tables) run(table.path);
  const Clock::time_point packed = Clock::now();
  for (std::size_t i = 0; i < tables.size(); ++i) run(one);
  const Clock::time_point idle = Clock::now();
  return std::chrono::duration<double>((packed - start) - (idle - packed)).count();
}

template <typename Pack>
double OurSeconds(Pack pack, const std::vector<Table>& tables) {
  const Clock::time_point start = Clock::now();
  for (const Table& table : tables) pack(table.bytes.data(), table.bytes.size());
  return std::chrono::duration<double>(Clock::now() - start).count();
}

struct Format {
  const char* name;
  std::vector<uint8_t> (*pack)(const uint8_t*, std::size_t);
  std::string command;  // the reference program and the options before its input and output
};

// Sizes here and there, file by file: here may only be smaller.
void CompareSizes(const Format& format, const std::vector<Table>& tables, const std::string& out) {
  std::size_t ours = 0, theirs = 0, larger = 0, smaller = 0;
  for (const Table& table : tables) {
    const std::string line = format.command + " " + Quoted(table.path) + " " + Quoted(out) + " > /dev/null 2>&1";
    if (std::system(line.c_str()) != 0) continue;
    const std::size_t here = format.pack(table.bytes.data(), table.bytes.size()).size(), there = ReadBytes(out).size();
    ours += here, theirs += there;
    larger += here > there, smaller += here < there;
    if (here > there) std::printf("  %s: %zu bytes here, %zu there\n", table.path.c_str(), here, there);
  }
  std::printf("%s sizes: %zu bytes here, %zu there (%.4f); %zu files smaller here, %zu larger\n", format.name, ours,
              theirs, static_cast<double>(ours) / static_cast<double>(theirs), smaller, larger);
}
}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"The export's packers beside the reference compressors, on table files"};
  std::string zx0, pletter, scratch = "/tmp";
  std::vector<std::string> paths;
  int rounds = 3;
  app.add_option("--zx0", zx0, "The reference ZX0 compressor")->required();
  app.add_option("--pletter", pletter, "The reference Pletter compressor")->required();
  app.add_option("--scratch", scratch, "A folder for the reference's output files");
  app.add_option("--rounds", rounds, "Rounds of each; the fastest counts")->check(CLI::Range(1, 100));
  app.add_option("files", paths, "The table files")->required()->check(CLI::ExistingFile);
  CLI11_PARSE(app, argc, argv);

  std::vector<Table> tables;
  for (const std::string& path : paths) tables.push_back({path, ReadBytes(path)});
  const std::string one = scratch + "/one-byte.bin", out = scratch + "/packed.bin";
  std::ofstream(one, std::ios::binary).put('\0');

  const Format formats[] = {{"ZX0", PackZx0, Quoted(zx0) + " -f"}, {"Pletter", PackPletter, Quoted(pletter)}};
  std::size_t bytes = 0;
  for (const Table& table : tables) bytes += table.bytes.size();
  std::printf("%zu files, %zu bytes\n", tables.size(), bytes);
  for (const Format& format : formats) {
    double ours = 1e9, theirs = 1e9;
    for (int round = 0; round < rounds; ++round) {
      OurSeconds(format.pack, tables);
      ours = std::min(ours, OurSeconds(format.pack, tables));
      theirs = std::min(theirs, ReferenceSeconds(format.command, tables, one, out));
    }
    std::printf("%s time: %.3f s here, %.3f s there: %.3f of the reference's\n", format.name, ours, theirs,
                ours / theirs);
    CompareSizes(format, tables, out);
  }
}
