#include "support/openmsx_probe.h"

#include <chrono>
#include <fstream>
#include <iterator>
#include <map>
#include <thread>

#include "app/emulator/emulator_session.h"

bool WaitForScreens(OpenMsxLink& link, int count, int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  TclReply reply;
  while (std::chrono::steady_clock::now() < deadline) {
    if (!AskTcl(link, kScreensShownQuestion, reply, timeoutMs)) return false;
    if (ScreensShown(reply.text) >= count) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

bool RunUntilByte(OpenMsxLink& link, const std::string& address, int value) {
  TclReply reply;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  bool reached = false;
  if (!AskTcl(link, "set throttle off", reply, 5000)) return false;
  while (!reached && std::chrono::steady_clock::now() < deadline &&
         AskTcl(link, "debug read memory " + address, reply, 5000)) {
    reached = reply.text == std::to_string(value);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  if (!AskTcl(link, "set throttle on", reply, 5000)) return false;
  std::this_thread::sleep_for(std::chrono::milliseconds(150));
  return reached;
}

std::string ReadVideoMemory(OpenMsxLink& link) {
  TclReply reply;
  if (!AskTcl(link, "binary encode hex [debug read_block VRAM 0 0x4000]", reply, 5000) || !reply.ok) return {};
  return BytesFromHex(reply.text);
}

namespace {
constexpr int kShotWidth = 320, kShotHeight = 240, kShotLeft = 32, kShotTop = 24;
}

bool TakeScreenshot(OpenMsxLink& link, const std::string& path, RgbaImage& shot, std::string& why) {
  TclReply reply;
  if (!AskTcl(link, "screenshot -raw " + path, reply, 10000) || !reply.ok) {
    why = "no screenshot: " + reply.text;
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  const std::string png{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  return DecodePng(reinterpret_cast<const uint8_t*>(png.data()), png.size(), kShotWidth, kShotHeight, shot, why);
}

bool SamePictureUpToPalette(const RgbaImage& shot, const IndexedImage& expected, int backdrop, std::string& why) {
  if (shot.width != kShotWidth || shot.height != kShotHeight) {
    why = "the screenshot is " + std::to_string(shot.width) + " x " + std::to_string(shot.height);
    return false;
  }
  std::map<uint32_t, int> indexOf;
  std::map<int, uint32_t> colourOf;
  for (int y = 0; y < shot.height; ++y)
    for (int x = 0; x < shot.width; ++x) {
      const uint8_t* p = &shot.rgba[4 * (static_cast<std::size_t>(y) * shot.width + x)];
      const uint32_t colour = p[0] | p[1] << 8 | p[2] << 16;
      const int sx = x - kShotLeft, sy = y - kShotTop;
      const bool inside = sx >= 0 && sy >= 0 && sx < kChipWidth && sy < kChipHeight;
      int index = inside ? expected.At(sx, sy) : backdrop;
      if (index == 0) index = backdrop == 0 ? 1 : backdrop;  // transparent shows the backdrop; colour 0 there is black
      const auto [known, added] = indexOf.emplace(colour, index);
      const auto [knownColour, addedColour] = colourOf.emplace(index, colour);
      if (known->second != index || knownColour->second != colour) {
        why = "pixel " + std::to_string(x) + "," + std::to_string(y) + " should show colour " + std::to_string(index);
        return false;
      }
    }
  return true;
}

bool ShowsChipView(OpenMsxLink& link, const std::string& path, const NameTable& table, std::string& why) {
  RgbaImage shot;
  return TakeScreenshot(link, path, shot, why) &&
         SamePictureUpToPalette(shot, RenderScreen(table, tileSets, sprites(), project.spriteSize, ScreenLook::Chip),
                                table.backdrop, why);
}
