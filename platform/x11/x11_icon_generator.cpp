// A build step: turns the icon's committed PNGs into the C++ source of x11IconCardinals, so
// the program carries its icon without reading files at run time or linking libpng.
//   x11-icon-generator OUTPUT.cpp IMAGE.png...
#include <png.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

bool appendImage(const char* path, std::vector<uint32_t>* cardinals) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path)) {
    std::fprintf(stderr, "%s: %s\n", path, image.message);
    return false;
  }
  // Bytes A, R, G, B per pixel, sRGB, not premultiplied: the order of 0xAARRGGBB read
  // most significant byte first.
  image.format = PNG_FORMAT_ARGB;
  std::vector<uint8_t> bytes(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, bytes.data(), 0, nullptr)) {
    std::fprintf(stderr, "%s: %s\n", path, image.message);
    return false;
  }
  cardinals->push_back(image.width);
  cardinals->push_back(image.height);
  for (size_t i = 0; i + 3 < bytes.size(); i += 4)
    cardinals->push_back(uint32_t{bytes[i]} << 24 | uint32_t{bytes[i + 1]} << 16 |
                         uint32_t{bytes[i + 2]} << 8 | uint32_t{bytes[i + 3]});
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s OUTPUT.cpp IMAGE.png...\n", argv[0]);
    return 2;
  }
  std::vector<uint32_t> cardinals;
  for (int i = 2; i < argc; ++i)
    if (!appendImage(argv[i], &cardinals)) return 1;

  // Written aside and renamed, so a failed step leaves no source that looks up to date.
  const std::string partial = std::string(argv[1]) + ".part";
  FILE* out = std::fopen(partial.c_str(), "w");
  if (out == nullptr) {
    std::perror(partial.c_str());
    return 1;
  }
  std::fprintf(out, "// Written by x11-icon-generator from data/icons; not to be edited.\n"
                    "#include \"platform/x11/x11_icon.h\"\n\n"
                    "const uint32_t x11IconCardinals[] = {\n");
  for (size_t i = 0; i < cardinals.size(); ++i)
    std::fprintf(out, "0x%08x,%s", cardinals[i], i % 8 == 7 ? "\n" : "");
  std::fprintf(out, "};\nconst size_t x11IconCardinalCount = %zu;\n", cardinals.size());
  if (std::fclose(out) != 0 || std::rename(partial.c_str(), argv[1]) != 0) {
    std::perror(argv[1]);
    return 1;
  }
  return 0;
}
