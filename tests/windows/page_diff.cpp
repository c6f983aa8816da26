// page_diff: compares the page drawn by the Linux host's raster surface with
// the page drawn by the real GDI, pixel by pixel.
//   page_diff NAME LINUX.png WINDOWS.png DIFF.png
// Prints the count of compared and of differing pixels; on a difference names
// the first one and writes DIFF.png, the Linux page dimmed with the differing
// pixels magenta. Exit 0 identical, 1 different, 2 unusable input.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb/stb_image.h>
#include <stb/stb_image_write.h>

namespace {

struct Image {
  int w = 0, h = 0;
  std::vector<unsigned char> rgb;
  unsigned Pixel(std::size_t i) const {
    return unsigned(rgb[i * 3]) << 16 | unsigned(rgb[i * 3 + 1]) << 8 | rgb[i * 3 + 2];
  }
};

bool Load(const char* path, Image* image) {
  unsigned char* data = stbi_load(path, &image->w, &image->h, nullptr, 3);
  if (!data) {
    std::cerr << "page_diff: " << path << ": " << stbi_failure_reason() << '\n';
    return false;
  }
  image->rgb.assign(data, data + std::size_t(image->w) * std::size_t(image->h) * 3);
  stbi_image_free(data);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::cerr << "usage: page_diff NAME LINUX.png WINDOWS.png DIFF.png\n";
    return 2;
  }
  const std::string name = argv[1];
  Image linux, windows;
  if (!Load(argv[2], &linux) || !Load(argv[3], &windows)) return 2;
  if (linux.w != windows.w || linux.h != windows.h) {
    std::cout << name << ": sizes differ: Linux " << linux.w << "x" << linux.h << ", Windows " << windows.w << "x"
              << windows.h << '\n';
    return 1;
  }
  const std::size_t pixels = std::size_t(linux.w) * std::size_t(linux.h);
  std::vector<unsigned char> diff(linux.rgb.size());
  std::size_t differing = 0, first = 0;
  for (std::size_t i = 0; i < pixels; ++i) {
    const bool same = linux.Pixel(i) == windows.Pixel(i);
    if (!same && differing++ == 0) first = i;
    for (int c = 0; c < 3; ++c) diff[i * 3 + c] = same ? linux.rgb[i * 3 + c] / 4 : (c == 1 ? 0 : 255);
  }
  std::cout << name << ": " << pixels << " pixels compared, " << differing << " differ\n";
  if (differing == 0) return 0;
  std::printf("%s: first difference at (%zu, %zu): Linux #%06X, Windows #%06X\n", name.c_str(), first % linux.w,
              first / linux.w, linux.Pixel(first), windows.Pixel(first));
  if (stbi_write_png(argv[4], linux.w, linux.h, 3, diff.data(), linux.w * 3))
    std::cout << name << ": diff image " << argv[4] << '\n';
  return 1;
}
