#include "Formats.h"

#include <fstream>
#include <stdexcept>

namespace resgen {
namespace {

void Put16(Bytes& out, std::uint32_t v) {
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}

void Put32(Bytes& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

void PutTag(Bytes& out, const char* tag) {
    for (int i = 0; i < 4; ++i) out.push_back(std::uint8_t(tag[i]));
}

// BITMAPINFOHEADER; height is doubled for icon images (colour rows plus mask rows).
void PutInfoHeader(Bytes& out, int width, int height, int bits, std::uint32_t imageSize,
                   std::uint32_t coloursUsed) {
    Put32(out, 40);
    Put32(out, std::uint32_t(width));
    Put32(out, std::uint32_t(height));
    Put16(out, 1);
    Put16(out, std::uint32_t(bits));
    Put32(out, 0);  // BI_RGB
    Put32(out, imageSize);
    Put32(out, 2835);  // 72 dots per inch
    Put32(out, 2835);
    Put32(out, coloursUsed);
    Put32(out, 0);
}

int RowStride(int width, int bits) { return ((width * bits + 31) / 32) * 4; }

Bytes IconImage(const RgbaImage& image) {
    const int w = image.width, h = image.height;
    const int maskStride = RowStride(w, 1);
    Bytes out;
    PutInfoHeader(out, w, h * 2, 32, std::uint32_t(w * h * 4 + maskStride * h), 0);
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) {
            const std::uint8_t* p = &image.rgba[(std::size_t(y) * w + x) * 4];
            out.insert(out.end(), {p[2], p[1], p[0], p[3]});
        }
    }
    for (int y = h - 1; y >= 0; --y) {
        Bytes row(std::size_t(maskStride), 0);
        for (int x = 0; x < w; ++x) {
            if (image.rgba[(std::size_t(y) * w + x) * 4 + 3] < 128) row[x / 8] |= 0x80 >> (x % 8);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

}  // namespace

Bytes EncodeBmp(const IndexedImage& image, int bitsPerPixel) {
    if (bitsPerPixel != 4 && bitsPerPixel != 8) throw std::invalid_argument("bits per pixel");
    const std::size_t paletteSize = std::size_t(1) << bitsPerPixel;
    if (image.palette.size() > paletteSize) throw std::invalid_argument("palette too large");
    const int stride = RowStride(image.width, bitsPerPixel);
    const std::uint32_t imageSize = std::uint32_t(stride * image.height);
    const std::uint32_t offset = 14 + 40 + std::uint32_t(paletteSize * 4);

    Bytes out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, offset + imageSize);
    Put32(out, 0);
    Put32(out, offset);
    PutInfoHeader(out, image.width, image.height, bitsPerPixel, imageSize, std::uint32_t(paletteSize));
    for (std::size_t i = 0; i < paletteSize; ++i) {
        Rgb c = i < image.palette.size() ? image.palette[i] : Rgb{};
        out.insert(out.end(), {c.b, c.g, c.r, 0});
    }
    for (int y = image.height - 1; y >= 0; --y) {  // bottom row first
        Bytes row(std::size_t(stride), 0);
        for (int x = 0; x < image.width; ++x) {
            std::uint8_t index = image.At(x, y);
            if (index >= paletteSize) throw std::invalid_argument("pixel outside the palette");
            if (bitsPerPixel == 8) {
                row[x] = index;
            } else {
                row[x / 2] |= (x % 2 == 0) ? std::uint8_t(index << 4) : index;
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

Bytes EncodeIco(const std::vector<RgbaImage>& images) {
    Bytes out;
    Put16(out, 0);
    Put16(out, 1);  // icon
    Put16(out, std::uint32_t(images.size()));
    std::vector<Bytes> bodies;
    bodies.reserve(images.size());
    for (const RgbaImage& image : images) bodies.push_back(IconImage(image));
    std::uint32_t offset = 6 + 16 * std::uint32_t(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        out.push_back(std::uint8_t(images[i].width));  // 256 would be written as 0
        out.push_back(std::uint8_t(images[i].height));
        out.push_back(0);  // no palette
        out.push_back(0);
        Put16(out, 1);   // planes
        Put16(out, 32);  // bits per pixel
        Put32(out, std::uint32_t(bodies[i].size()));
        Put32(out, offset);
        offset += std::uint32_t(bodies[i].size());
    }
    for (const Bytes& body : bodies) out.insert(out.end(), body.begin(), body.end());
    return out;
}

Bytes EncodeWav(const std::vector<std::int16_t>& samples, int channels, int sampleRate) {
    const std::uint32_t dataSize = std::uint32_t(samples.size() * 2);
    Bytes out;
    PutTag(out, "RIFF");
    Put32(out, 36 + dataSize);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, 16);
    Put16(out, 1);  // PCM
    Put16(out, std::uint32_t(channels));
    Put32(out, std::uint32_t(sampleRate));
    Put32(out, std::uint32_t(sampleRate * channels * 2));
    Put16(out, std::uint32_t(channels * 2));
    Put16(out, 16);
    PutTag(out, "data");
    Put32(out, dataSize);
    for (std::int16_t s : samples) Put16(out, std::uint16_t(s));
    return out;
}

void WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!file) throw std::runtime_error("cannot write " + path);
}

}  // namespace resgen
