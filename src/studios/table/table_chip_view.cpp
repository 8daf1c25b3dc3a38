// What the chip will show of the current screen: the CHIP VIEW picture, the
// marks of scanlines with more than four sprites, and their count.
#include <algorithm>
#include <string>

#include "chip/chip_render.h"
#include "studios/table/table_studio_panels.h"

namespace {
constexpr ImU32 kWarningRed = IM_COL32(255, 40, 40, 255);

// The names of the planes on a line, those the chip drops in brackets.
std::string LineTooltip(int line, const ScanLine& scan, const SpriteAttributes& attributes) {
  std::string text = "Line " + std::to_string(line) + ", in plane order:";
  for (std::size_t k = 0; k < scan.planes.size(); ++k) {
    const char* name = sprites()[attributes.planes[scan.planes[k]].sprite].name;
    text += k < kSpritesPerLine ? std::string("\n  ") + name : std::string("\n  (") + name + ": vanishes)";
  }
  return text;
}
}  // namespace

void DrawScreenPicture(ImVec2 screen, ScreenLook look) {
  const IndexedImage image = RenderScreen(CurrentNameTable(), tileSets, sprites(), project.spriteSize, look);
  ImDrawList* draw = ImGui::GetWindowDrawList();
  // One rectangle per run of a colour along a line keeps the frame cheap.
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width;) {
      const uint8_t colour = image.At(x, y);
      int end = x + 1;
      while (end < image.width && image.At(end, y) == colour) ++end;
      if (colour != 0)
        draw->AddRectFilled(ImVec2(screen.x + x * kSpritePixel, screen.y + y * kSpritePixel),
                            ImVec2(screen.x + end * kSpritePixel, screen.y + (y + 1) * kSpritePixel), Palette[colour]);
      x = end;
    }
}

void DrawSpriteLineMarks(ImVec2 screen) {
  const SpriteAttributes attributes = BuildSpriteAttributes(CurrentNameTable(), sprites(), project.spriteSize);
  const std::vector<ScanLine> lines = ScanSpriteLines(attributes);
  ImDrawList* draw = ImGui::GetWindowDrawList();
  const ImVec2 mouse = ImGui::GetIO().MousePos;
  for (int line = 0; line < kChipHeight; ++line) {
    if (!lines[line].Overflows()) continue;
    const ImVec2 min(screen.x - 9, screen.y + line * kSpritePixel), max(screen.x - 2, min.y + kSpritePixel);
    draw->AddRectFilled(min, max, kWarningRed);
    if (mouse.x >= min.x && mouse.x < max.x && mouse.y >= min.y && mouse.y < max.y && ImGui::IsWindowHovered())
      ImGui::SetTooltip("%s", LineTooltip(line, lines[line], attributes).c_str());
  }
}

void DrawSpriteLineCount() {
  const std::vector<SpritePlacement>& placements = CurrentNameTable().placements;
  const int past = static_cast<int>(std::count_if(placements.begin(), placements.end(), [](const SpritePlacement& p) {
    return !project.spriteSize.Holds(p.spriteIndex);
  }));
  if (past > 0) {
    ImGui::TextColored(ImGui::ColorConvertU32ToFloat4(kWarningRed), "%d sprite%s past the pattern table", past,
                       past == 1 ? "" : "s");
    ImGui::SetItemTooltip("These placements name sprites past the %d the chip's pattern table holds at this size: "
                          "the machine does not show them",
                          project.spriteSize.PatternTableSprites());
  }
  const int overflowingLines =
      CountOverflowingLines(ScanSpriteLines(BuildSpriteAttributes(CurrentNameTable(), sprites(), project.spriteSize)));
  if (overflowingLines == 0) return;
  ImGui::TextColored(ImGui::ColorConvertU32ToFloat4(kWarningRed), "5th sprite on %d line%s", overflowingLines,
                     overflowingLines == 1 ? "" : "s");
  ImGui::SetItemTooltip("On these lines (marked left of the screen) the chip shows only the first four sprites");
}
