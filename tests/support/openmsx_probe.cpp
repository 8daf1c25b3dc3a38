#include "support/openmsx_probe.h"

#include <chrono>
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

std::string ReadVideoMemory(OpenMsxLink& link) {
  TclReply reply;
  if (!AskTcl(link, "binary encode hex [debug read_block VRAM 0 0x4000]", reply, 5000) || !reply.ok) return {};
  return BytesFromHex(reply.text);
}
