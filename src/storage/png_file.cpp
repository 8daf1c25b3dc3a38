#include "storage/png_file.h"

#include <png.h>

#include <algorithm>

namespace {
void AppendToString(png_structp png, png_bytep data, png_size_t length) {
  static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), length);
}

uint32_t BigEndian32(const uint8_t* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]; }

std::string SizeRefusal(uint32_t width, uint32_t height, int maxWidth, int maxHeight) {
  return "the picture is " + std::to_string(width) + " x " + std::to_string(height) + " pixels; at most " +
         std::to_string(maxWidth) + " x " + std::to_string(maxHeight) + " can be read";
}

// Why libpng would not start on the bytes: a PNG whose header says it is too
// large is refused for its size, which is what the user can change; another
// PNG for libpng's own reason; anything else is no PNG at all.
std::string StartRefusal(const uint8_t* data, std::size_t size, int maxWidth, int maxHeight, const char* reason) {
  static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (size < 8 || !std::equal(kSignature, kSignature + 8, data)) return "it is not a PNG picture";
  if (size >= 24 && std::equal(data + 12, data + 16, "IHDR")) {
    const uint32_t width = BigEndian32(data + 16), height = BigEndian32(data + 20);
    if (width > static_cast<uint32_t>(maxWidth) || height > static_cast<uint32_t>(maxHeight))
      return SizeRefusal(width, height, maxWidth, maxHeight);
  }
  return std::string("the PNG library cannot read it (") + reason + ")";
}
}  // namespace

// Indexed colour with the fastest deflate level: a build writes hundreds of
// these, and palette pictures of flat colour barely shrink at higher levels.
std::string EncodePng(const IndexedImage& image, int scale) {
  const std::size_t width = static_cast<std::size_t>(image.width) * scale;
  const std::size_t height = static_cast<std::size_t>(image.height) * scale;
  std::vector<uint8_t> indices(width * height);
  for (std::size_t y = 0; y < height; ++y)
    for (std::size_t x = 0; x < width; ++x)
      indices[y * width + x] = image.At(static_cast<int>(x) / scale, static_cast<int>(y) / scale) & 15;
  std::vector<png_bytep> rows(height);
  for (std::size_t y = 0; y < height; ++y) rows[y] = &indices[y * width];
  png_color colours[16];
  png_byte alpha[1] = {0};  // colour 0 is transparent
  for (int c = 0; c < 16; ++c)
    colours[c] = {static_cast<png_byte>(Palette[c] & 0xFF), static_cast<png_byte>(Palette[c] >> 8 & 0xFF),
                  static_cast<png_byte>(Palette[c] >> 16 & 0xFF)};
  std::string bytes;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return {};
  }
  png_set_write_fn(png, &bytes, AppendToString, nullptr);
  png_set_compression_level(png, 1);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_PALETTE,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_PLTE(png, info, colours, 16);
  png_set_tRNS(png, info, alpha, 1, nullptr);
  png_set_rows(png, info, rows.data());
  png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
  png_destroy_write_struct(&png, &info);
  return bytes;
}

bool DecodePng(const uint8_t* data, std::size_t size, int maxWidth, int maxHeight, RgbaImage& out, std::string& error) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, data, size)) {
    error = StartRefusal(data, size, maxWidth, maxHeight, png.message);
    return false;
  }
  if (png.width == 0 || png.height == 0 || png.width > static_cast<png_uint_32>(maxWidth) ||
      png.height > static_cast<png_uint_32>(maxHeight)) {
    error = SizeRefusal(png.width, png.height, maxWidth, maxHeight);
    png_image_free(&png);
    return false;
  }
  png.format = PNG_FORMAT_RGBA;
  out.width = static_cast<int>(png.width);
  out.height = static_cast<int>(png.height);
  out.rgba.assign(PNG_IMAGE_SIZE(png), 0);
  if (!png_image_finish_read(&png, nullptr, out.rgba.data(), 0, nullptr)) {
    error = std::string("the PNG data is damaged (") + png.message + ")";
    return false;
  }
  return true;
}
