// Draws the program's bitmaps and writes them as BMP files (bitmapN.bmp) into
// the folder given, from which the build compiles them in. A developer tool,
// not part of the program.
#include "imaging/Image.h"
#include "res/BitmapIds.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

using lumora::Image;

struct Colour {
    int red, green, blue;
};

// Drawing with y counted from the top, as one thinks of pictures.
class Canvas {
  public:
    Canvas(int width, int height, Colour background) {
        image_.Create(width, height, 24, lumora::kFormatBmp);
        fill(0, 0, width, height, background);
    }

    void put(int x, int y, Colour c) {
        if (x < 0 || y < 0 || x >= image_.GetWidth() || y >= image_.GetHeight()) return;
        uint8_t* p = image_.GetBits(image_.GetHeight() - 1 - y) + x * 3;
        p[0] = static_cast<uint8_t>(c.blue);
        p[1] = static_cast<uint8_t>(c.green);
        p[2] = static_cast<uint8_t>(c.red);
    }

    void fill(int x, int y, int width, int height, Colour c) {
        for (int j = y; j < y + height; ++j) {
            for (int i = x; i < x + width; ++i) put(i, j, c);
        }
    }

    void frame(int x, int y, int width, int height, Colour c) {
        fill(x, y, width, 1, c);
        fill(x, y + height - 1, width, 1, c);
        fill(x, y, 1, height, c);
        fill(x + width - 1, y, 1, height, c);
    }

    // A rectangle with its four corner pixels left out.
    void rounded(int x, int y, int width, int height, Colour c) {
        fill(x + 1, y, width - 2, height, c);
        fill(x, y + 1, 1, height - 2, c);
        fill(x + width - 1, y + 1, 1, height - 2, c);
    }

    void line(int x0, int y0, int x1, int y1, int thickness, Colour c) {
        const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
        for (int s = 0; s <= steps; ++s) {
            const int x = x0 + (x1 - x0) * s / std::max(1, steps);
            const int y = y0 + (y1 - y0) * s / std::max(1, steps);
            fill(x - thickness / 2, y - thickness / 2, thickness, thickness, c);
        }
    }

    void gradient(int x, int y, int width, int height, Colour top, Colour bottom) {
        for (int j = 0; j < height; ++j) {
            const Colour c{top.red + (bottom.red - top.red) * j / std::max(1, height - 1),
                           top.green + (bottom.green - top.green) * j / std::max(1, height - 1),
                           top.blue + (bottom.blue - top.blue) * j / std::max(1, height - 1)};
            fill(x, y + j, width, 1, c);
        }
    }

    Image& image() { return image_; }

  private:
    Image image_;
};

// 5 x 7 capitals, one row per byte, the top bit of five first.
struct Glyph {
    char letter;
    uint8_t rows[7];
};
constexpr Glyph kGlyphs[] = {
    {'L', {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F}},
    {'U', {0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}},
    {'M', {0x11, 0x1B, 0x15, 0x15, 0x11, 0x11, 0x11}},
    {'O', {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}},
    {'R', {0x1E, 0x11, 0x11, 0x1E, 0x14, 0x12, 0x11}},
    {'A', {0x0E, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}},
};

void text(Canvas& canvas, int x, int y, int scale, const std::string& letters, Colour c) {
    for (char letter : letters) {
        for (const Glyph& glyph : kGlyphs) {
            if (glyph.letter != letter) continue;
            for (int row = 0; row < 7; ++row) {
                for (int column = 0; column < 5; ++column) {
                    if (glyph.rows[row] & (0x10 >> column)) {
                        canvas.fill(x + column * scale, y + row * scale, scale, scale, c);
                    }
                }
            }
        }
        x += 6 * scale;
    }
}

constexpr Colour kBlack{0, 0, 0};
constexpr Colour kWhite{255, 255, 255};
constexpr Colour kFolder{230, 180, 60};
constexpr Colour kFolderDark{170, 120, 30};

void drawFolder(Canvas& canvas) {
    canvas.fill(3, 8, 11, 4, kFolderDark);
    canvas.fill(3, 11, 26, 16, kFolder);
    canvas.frame(3, 11, 26, 16, kFolderDark);
}

Canvas targetButton() {
    Canvas canvas(32, 32, Colour{212, 208, 200});
    drawFolder(canvas);
    // An arrow going into the folder: the target.
    canvas.line(16, 2, 16, 20, 3, Colour{0, 110, 0});
    canvas.line(10, 14, 16, 21, 2, Colour{0, 110, 0});
    canvas.line(22, 14, 16, 21, 2, Colour{0, 110, 0});
    return canvas;
}

Canvas sourceButton() {
    Canvas canvas(32, 32, Colour{212, 208, 200});
    drawFolder(canvas);
    // A magnifier over the folder: the scanned source.
    const Colour glass{20, 60, 160};
    for (int a = 0; a < 360; a += 4) {
        const double r = a * 3.14159265 / 180;
        canvas.fill(static_cast<int>(std::lround(14 + 6 * std::cos(r))),
                    static_cast<int>(std::lround(17 + 6 * std::sin(r))), 2, 2, glass);
    }
    canvas.line(19, 22, 27, 30, 3, glass);
    return canvas;
}

void perforations(Canvas& canvas, int y, int width, Colour hole) {
    for (int x = 6; x + 8 < width; x += 16) canvas.rounded(x, y, 8, 6, hole);
}

Canvas banner() {
    Canvas canvas(480, 64, kBlack);
    canvas.gradient(0, 10, 480, 44, Colour{30, 60, 120}, Colour{10, 20, 50});
    perforations(canvas, 2, 480, Colour{230, 230, 230});
    perforations(canvas, 56, 480, Colour{230, 230, 230});
    // Frames of film to the right of the name.
    const Colour frames[] = {{200, 120, 60}, {80, 160, 90}, {90, 120, 200}, {210, 190, 80}};
    for (int i = 0; i < 4; ++i) {
        canvas.fill(236 + i * 60, 14, 52, 36, frames[i]);
        canvas.frame(236 + i * 60, 14, 52, 36, kWhite);
    }
    text(canvas, 24, 18, 4, "LUMORA", kWhite);
    return canvas;
}

Canvas perforationStrip() {
    Canvas canvas(24, 480, Colour{20, 20, 20});
    for (int y = 4; y + 10 < 480; y += 16) canvas.rounded(7, y, 10, 8, Colour{235, 235, 225});
    return canvas;
}

Canvas filmPlaceholder() {
    Canvas canvas(160, 120, Colour{128, 128, 128});
    canvas.frame(0, 0, 160, 120, kBlack);
    // A crossed-out picture: the file could not be read.
    canvas.fill(40, 30, 80, 60, Colour{200, 200, 200});
    canvas.frame(40, 30, 80, 60, Colour{60, 60, 60});
    canvas.line(40, 30, 119, 89, 3, Colour{200, 0, 0});
    canvas.line(119, 30, 40, 89, 3, Colour{200, 0, 0});
    return canvas;
}

Canvas duplicatePlaceholder() {
    Canvas canvas(160, 120, Colour{236, 233, 216});
    canvas.frame(0, 0, 160, 120, Colour{100, 100, 100});
    // Two overlapping empty frames: no picture is selected.
    canvas.frame(30, 25, 70, 50, Colour{120, 120, 120});
    canvas.frame(60, 45, 70, 50, Colour{120, 120, 120});
    return canvas;
}

bool write(Image& image, const std::string& folder, int id) {
    std::unique_ptr<uint8_t[]> bytes;
    size_t size = 0;
    if (!image.Encode(bytes, size, lumora::kFormatBmp)) return false;
    const std::string path = folder + "/bitmap" + std::to_string(id) + ".bmp";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const bool written = std::fwrite(bytes.get(), 1, size, file) == size;
    return std::fclose(file) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: lumora_draw_bitmaps FOLDER\n");
        return 2;
    }
    namespace ids = lumora::res;
    struct Drawing {
        int id;
        Canvas canvas;
    };
    Drawing drawings[] = {
        {ids::kBitmapTargetButton, targetButton()},
        {ids::kBitmapSourceButton, sourceButton()},
        {ids::kBitmapBanner, banner()},
        {ids::kBitmapDuplicatePlaceholder, duplicatePlaceholder()},
        {ids::kBitmapFilmPerforation, perforationStrip()},
        {ids::kBitmapFilmPlaceholder, filmPlaceholder()},
        {ids::kBitmapLampGreen, Canvas(7, 5, Colour{0, 200, 0})},
        {ids::kBitmapLampRed, Canvas(9, 7, Colour{220, 0, 0})},
        {ids::kBitmapLampBlack, Canvas(48, 48, kBlack)},
    };
    for (Drawing& drawing : drawings) {
        if (!write(drawing.canvas.image(), argv[1], drawing.id)) {
            std::fprintf(stderr, "lumora_draw_bitmaps: cannot write bitmap %d\n", drawing.id);
            return 1;
        }
    }
    return 0;
}
