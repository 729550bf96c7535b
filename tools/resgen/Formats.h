#pragma once
// The file formats the generator writes: palette BMPs (4 and 8 bits per pixel), a
// multi-size ICO with 32-bit images, and 16-bit PCM WAVE files. Every writer returns the
// exact bytes; nothing depends on the clock or on the machine's byte order.

#include <cstdint>
#include <string>
#include <vector>

namespace resgen {

using Bytes = std::vector<std::uint8_t>;

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator<(const Rgb& o) const { return (r << 16 | g << 8 | b) < (o.r << 16 | o.g << 8 | o.b); }
};

// A picture whose pixels are indexes into its palette, stored top row first.
struct IndexedImage {
    int width = 0;
    int height = 0;
    std::vector<Rgb> palette;
    std::vector<std::uint8_t> pixels;

    IndexedImage() = default;
    IndexedImage(int w, int h, std::vector<Rgb> pal, std::uint8_t fill = 0)
        : width(w), height(h), palette(std::move(pal)), pixels(std::size_t(w) * h, fill) {}
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    std::uint8_t At(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
    void Set(int x, int y, std::uint8_t index) {
        if (Contains(x, y)) pixels[std::size_t(y) * width + x] = index;
    }
};

// A straight-alpha RGBA picture (0-255 per channel), top row first; icons use it.
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;  // r, g, b, a per pixel
};

// bitsPerPixel 4 or 8; the palette is padded with black to 16 or 256 entries.
Bytes EncodeBmp(const IndexedImage& image, int bitsPerPixel);
// One directory entry per image, in the order given, each stored as a 32-bit DIB with
// its AND mask (a pixel is masked out when its alpha is below 128).
Bytes EncodeIco(const std::vector<RgbaImage>& images);
// Interleaved samples (left, right, left... for two channels).
Bytes EncodeWav(const std::vector<std::int16_t>& samples, int channels, int sampleRate);

void WriteFile(const std::string& path, const Bytes& bytes);

}  // namespace resgen
