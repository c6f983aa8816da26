// page_diff: compares the page drawn by the Linux host's raster surface with
// the page drawn by the real GDI, pixel by pixel, texts included.
//   page_diff NAME LINUX.png WINDOWS.png LINUX.trace DIFF.png
// The primitive behind a difference, and each text's box (from the host
// font's own extents), come from the Linux trace. Prints the count of
// compared pixels and of differing ones, in texts and outside; on a difference
// writes DIFF.png (the Linux page dimmed, text boxes dark blue, differing
// pixels magenta) and names the traced primitive that covers the first one.
// Exit 0 identical, 1 different, 2 unusable input.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "sim/surface/font.h"

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb/stb_image.h>
#include <stb/stb_image_write.h>

namespace {

// Glyphs may reach this far beyond their advance and cell.
constexpr long kTextMargin = 2;

struct Box {  // inclusive
  long l, t, r, b;
  bool Has(long x, long y) const { return x >= l && x <= r && y >= t && y <= b; }
};

struct Image {
  int w = 0, h = 0;
  std::vector<unsigned char> rgb;
  unsigned Pixel(int x, int y) const {
    const unsigned char* p = &rgb[(std::size_t(y) * std::size_t(w) + std::size_t(x)) * 3];
    return unsigned(p[0]) << 16 | unsigned(p[1]) << 8 | p[2];
  }
};

bool Load(const std::string& path, Image* image) {
  int channels = 0;
  unsigned char* data = stbi_load(path.c_str(), &image->w, &image->h, &channels, 3);
  if (!data) {
    std::cerr << "page_diff: " << path << ": " << stbi_failure_reason() << '\n';
    return false;
  }
  image->rgb.assign(data, data + std::size_t(image->w) * std::size_t(image->h) * 3);
  stbi_image_free(data);
  return true;
}

struct Primitive {
  int line;  // 1-based line of the trace
  std::string text;
  Box box;
};

long Clamp(long long v) {
  return static_cast<long>(std::clamp<long long>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

Box Around(long long x0, long long y0, long long x1, long long y1) {
  return {Clamp(std::min(x0, x1) - 1), Clamp(std::min(y0, y1) - 1), Clamp(std::max(x0, x1) + 1),
          Clamp(std::max(y0, y1) + 1)};
}

// A trace text field: quoted, with \", \\ and \xHH escapes.
std::string Unquote(const std::string& field) {
  std::string text;
  for (std::size_t i = 1; i + 1 < field.size(); ++i) {
    if (field[i] != '\\' || i + 2 >= field.size()) {
      text += field[i];
    } else if (field[++i] == 'x' && i + 3 < field.size()) {
      text += static_cast<char>(std::stoi(field.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      text += field[i];
    }
  }
  return text;
}

// Drawn primitives and text boxes of the last refresh in the trace, on a
// display displayHeight pixels high.
bool ReadTrace(const std::string& path, int displayHeight, std::vector<Primitive>* drawn, std::vector<Box>* texts) {
  std::ifstream in(path);
  if (!in) {
    std::cerr << "page_diff: " << path << ": cannot read\n";
    return false;
  }
  std::string line;
  int number = 0;
  bool refreshing = false;
  long long px = 0, py = 0;  // current position
  const std::vector<sim::Font> fonts = sim::HostFonts(displayHeight);
  std::size_t font = 0;  // the font a refresh starts with
  const auto textBox = [&](long long x, long long y, const std::string& quoted) {
    const std::string text = Unquote(quoted);
    const sim::Font& f = fonts[font];
    texts->push_back({Clamp(x - kTextMargin), Clamp(y - kTextMargin),
                      Clamp(x + f.TextWidth(text.data(), int(text.size())) + kTextMargin),
                      Clamp(y + f.CellHeight() + kTextMargin)});
  };
  while (std::getline(in, line)) {
    ++number;
    if (line.rfind("> ", 0) == 0) {
      refreshing = line == "> Update";
      if (refreshing) drawn->clear(), texts->clear(), px = py = 0, font = 0;
      continue;
    }
    if (!refreshing) continue;
    std::istringstream fields(line);
    std::string op;
    fields >> op;
    long long a = 0, b = 0, c = 0, d = 0;
    if (op == "Title") {
      textBox(fonts[0].AverageCharWidth() / 2, 0, line.substr(6));
    } else if (op == "TextOutA" && (fields >> a >> b >> c)) {
      std::string quoted;
      std::getline(fields >> std::ws, quoted);
      textBox(a, b, quoted);
    } else if (op == "SelectDefaultFont" && (fields >> a)) {
      if (a >= 0 && a < static_cast<long long>(fonts.size())) font = std::size_t(a);
    } else if (op == "MoveToEx" && (fields >> a >> b)) {
      px = a, py = b;
    } else if (op == "LineTo" && (fields >> a >> b)) {
      drawn->push_back({number, line, Around(px, py, a, b)});
      px = a, py = b;
    } else if (op == "Polyline" || op == "Polygon") {
      long long n = 0, l = std::numeric_limits<long long>::max(), t = l, r = std::numeric_limits<long long>::min(), bt = r;
      fields >> n;
      std::string point;
      while (fields >> point) {
        long long x = 0, y = 0;
        if (std::sscanf(point.c_str(), "%lld,%lld", &x, &y) != 2) continue;
        l = std::min(l, x), r = std::max(r, x), t = std::min(t, y), bt = std::max(bt, y);
      }
      if (l <= r) drawn->push_back({number, line, Around(l, t, r, bt)});
    } else if ((op == "Ellipse" || op == "Rectangle" || op == "FillRect") && (fields >> a >> b >> c >> d)) {
      drawn->push_back({number, line, Around(a, b, c, d)});
    } else if (op == "SetPixel" && (fields >> a >> b)) {
      drawn->push_back({number, line, Around(a, b, a, b)});
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 6) {
    std::cerr << "usage: page_diff NAME LINUX.png WINDOWS.png LINUX.trace DIFF.png\n";
    return 2;
  }
  const std::string name = argv[1];
  Image linux, windows;
  std::vector<Primitive> drawn;
  std::vector<Box> texts;
  if (!Load(argv[2], &linux) || !Load(argv[3], &windows) || !ReadTrace(argv[4], linux.h, &drawn, &texts)) return 2;
  if (linux.w != windows.w || linux.h != windows.h) {
    std::cout << name << ": sizes differ: Linux " << linux.w << "x" << linux.h << ", Windows " << windows.w << "x"
              << windows.h << '\n';
    return 1;
  }

  std::vector<unsigned char> diff(linux.rgb.size());
  long inText = 0, differingInText = 0, differing = 0, firstX = -1, firstY = -1;
  for (int y = 0; y < linux.h; ++y) {
    for (int x = 0; x < linux.w; ++x) {
      unsigned char* out = &diff[(std::size_t(y) * std::size_t(linux.w) + std::size_t(x)) * 3];
      const unsigned p = linux.Pixel(x, y);
      const bool text = std::any_of(texts.begin(), texts.end(), [&](const Box& b) { return b.Has(x, y); });
      unsigned shown = text ? 0x000060 | ((p >> 2) & 0x3F3F3F) : (p >> 2) & 0x3F3F3F;
      inText += text;
      if (p != windows.Pixel(x, y)) {
        if (differing++ == 0) firstX = x, firstY = y;
        differingInText += text;
        shown = 0xFF00FF;
      }
      out[0] = static_cast<unsigned char>(shown >> 16);
      out[1] = static_cast<unsigned char>(shown >> 8);
      out[2] = static_cast<unsigned char>(shown);
    }
  }
  std::cout << name << ": " << long(linux.w) * linux.h << " pixels compared, " << differing << " differ ("
            << differingInText << " of " << inText << " in " << texts.size() << " text boxes, "
            << differing - differingInText << " outside)\n";
  if (differing == 0) return 0;

  char colours[64];
  std::snprintf(colours, sizeof colours, "Linux #%06X, Windows #%06X", linux.Pixel(firstX, firstY),
                windows.Pixel(firstX, firstY));
  std::cout << name << ": first difference at (" << firstX << ", " << firstY << "): " << colours << '\n';
  // The last primitive drawn over the pixel is the one that shows there.
  const auto covering = std::find_if(drawn.rbegin(), drawn.rend(), [&](const Primitive& p) { return p.box.Has(firstX, firstY); });
  if (covering != drawn.rend())
    std::cout << name << ": drawn by trace line " << covering->line << ": " << covering->text << '\n';
  else
    std::cout << name << ": no traced primitive covers it (background)\n";
  if (!stbi_write_png(argv[5], linux.w, linux.h, 3, diff.data(), linux.w * 3))
    std::cerr << "page_diff: cannot write " << argv[5] << '\n';
  else
    std::cout << name << ": diff image " << argv[5] << '\n';
  return 1;
}
