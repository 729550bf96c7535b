#include "Shapes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <stdexcept>

namespace resgen {
namespace {

double SegmentParameter(Point p, Point a, Point b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double lengthSquared = dx * dx + dy * dy;
    if (lengthSquared == 0) return 0;
    return std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared, 0.0, 1.0);
}

double Distance(Point p, Point a, Point b, double t) {
    const double x = a.x + (b.x - a.x) * t - p.x, y = a.y + (b.y - a.y) * t - p.y;
    return std::sqrt(x * x + y * y);
}

std::uint8_t ToByte(double v) { return std::uint8_t(std::clamp(std::lround(v), 0L, 255L)); }

}  // namespace

Shape Disc(double cx, double cy, double r) { return Ellipse(cx, cy, r, r); }

Shape Ellipse(double cx, double cy, double rx, double ry) {
    return [=](double x, double y) {
        const double u = (x - cx) / rx, v = (y - cy) / ry;
        return u * u + v * v <= 1.0;
    };
}

Shape Box(double x0, double y0, double x1, double y1) {
    return [=](double x, double y) { return x >= x0 && x < x1 && y >= y0 && y < y1; };
}

Shape RoundedBox(double x0, double y0, double x1, double y1, double radius) {
    return [=](double x, double y) {
        if (x < x0 || x >= x1 || y < y0 || y >= y1) return false;
        const double dx = std::max({x0 + radius - x, x - (x1 - radius), 0.0});
        const double dy = std::max({y0 + radius - y, y - (y1 - radius), 0.0});
        return dx * dx + dy * dy <= radius * radius;
    };
}

Shape Polygon(std::vector<Point> corners) {
    return [corners = std::move(corners)](double x, double y) {
        bool inside = false;
        for (std::size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
            const Point a = corners[i], b = corners[j];
            if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) {
                inside = !inside;
            }
        }
        return inside;
    };
}

Shape Capsule(Point a, Point b, double r) { return Taper(a, r, b, r); }

bool InCapsule(Point p, Point a, Point b, double r) {
    const double t = SegmentParameter(p, a, b);
    return Distance(p, a, b, t) <= r + (r - r) * t;
}

Shape Taper(Point a, double ra, Point b, double rb) {
    return [=](double x, double y) {
        const double t = SegmentParameter({x, y}, a, b);
        return Distance({x, y}, a, b, t) <= ra + (rb - ra) * t;
    };
}

Shape Union(std::vector<Shape> parts) {
    return [parts = std::move(parts)](double x, double y) {
        for (const Shape& s : parts) {
            if (s(x, y)) return true;
        }
        return false;
    };
}

Shape Minus(const Shape& keep, const Shape& cut) {
    return [=](double x, double y) { return keep(x, y) && !cut(x, y); };
}

Shape Intersect(const Shape& a, const Shape& b) {
    return [=](double x, double y) { return a(x, y) && b(x, y); };
}

Shape Moved(const Shape& s, double dx, double dy) {
    return [=](double x, double y) { return s(x - dx, y - dy); };
}

Shape Frame::operator()(const Shape& local) const {
    const double c = std::cos(angle), s = std::sin(angle);
    const Frame f = *this;
    return [=](double x, double y) {
        const double dx = x - f.cx, dy = y - f.cy;
        return local((dx * c + dy * s) / f.halfWidth, (-dx * s + dy * c) / f.halfHeight);
    };
}

Point Frame::ToPicture(double u, double v) const {
    const double c = std::cos(angle), s = std::sin(angle);
    const double x = u * halfWidth, y = v * halfHeight;
    return {cx + x * c - y * s, cy + x * s + y * c};
}

ScaledPicture::ScaledPicture(int width100, int height100, int width, int height, int penWidth,
                             std::vector<Rgb> palette, std::uint8_t background)
    : image(width, height, std::move(palette), background),
      pixelsPerUnitX(double(width) / width100),
      pixelsPerUnitY(double(height) / height100),
      penWidth(penWidth) {}

Shape ScaledPicture::FromPixels(const Shape& inPixels) const {
    const double kx = pixelsPerUnitX, ky = pixelsPerUnitY;
    return [=](double x, double y) { return inPixels(x * kx, y * ky); };
}

void Fill(ScaledPicture& picture, const Shape& shape, std::uint8_t colour) {
    IndexedImage& image = picture.image;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (shape((x + 0.5) / picture.pixelsPerUnitX, (y + 0.5) / picture.pixelsPerUnitY)) {
                image.Set(x, y, colour);
            }
        }
    }
}

void FillOutlined(ScaledPicture& picture, const Shape& shape, std::uint8_t fill, std::uint8_t outline) {
    IndexedImage& image = picture.image;
    const int w = image.width, h = image.height, pen = picture.penWidth;
    // The pixels around the picture count too: a shape cut by the border gets no edge there.
    const int stride = w + 2 * pen;
    std::vector<char> inside(std::size_t(stride) * (h + 2 * pen), 0);
    auto cell = [&](int x, int y) -> char& { return inside[std::size_t(y + pen) * stride + x + pen]; };
    for (int y = -pen; y < h + pen; ++y) {
        for (int x = -pen; x < w + pen; ++x) {
            // NOLINTNEXTLINE(bugprone-narrowing-conversions): a bool is 0 or 1 in any char
            cell(x, y) = shape((x + 0.5) / picture.pixelsPerUnitX, (y + 0.5) / picture.pixelsPerUnitY);
        }
    }
    std::vector<std::pair<int, int>> reach;
    for (int dy = -pen; dy <= pen; ++dy) {
        for (int dx = -pen; dx <= pen; ++dx) {
            if ((dx || dy) && dx * dx + dy * dy <= pen * pen) reach.emplace_back(dx, dy);
        }
    }
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (!cell(x, y)) continue;
            bool edge = false;
            for (const auto& [dx, dy] : reach) edge = edge || !cell(x + dx, y + dy);
            image.Set(x, y, edge ? outline : fill);
        }
    }
}

Colour Mix(Colour a, Colour b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Canvas::Canvas(int width, int height, Colour background, double alpha)
    : width_(width),
      height_(height),
      premultiplied_(std::size_t(width) * height,
                     Colour{background.r * alpha, background.g * alpha, background.b * alpha}),
      alpha_(std::size_t(width) * height, alpha) {}

Canvas::Canvas(int width, int height, int width100, int height100, Colour background)
    : Canvas(width, height, background) {
    pixelsPerUnitX_ = double(width) / width100;
    pixelsPerUnitY_ = double(height) / height100;
}

void Canvas::Paint(const Shape& shape, Colour colour, double opacity) {
    Paint(
        shape, [colour](double, double) { return colour; }, opacity);
}

void Canvas::Paint(const Shape& shape, const std::function<Colour(double, double)>& colour, double opacity) {
    constexpr int kGrid = 4;
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            int hits = 0;
            for (int j = 0; j < kGrid; ++j) {
                for (int i = 0; i < kGrid; ++i) {
                    hits += shape((x + (i + 0.5) / kGrid) / pixelsPerUnitX_,
                                  (y + (j + 0.5) / kGrid) / pixelsPerUnitY_);
                }
            }
            if (hits == 0) continue;
            const double cover = opacity * hits / (kGrid * kGrid);
            const Colour c = colour((x + 0.5) / pixelsPerUnitX_, (y + 0.5) / pixelsPerUnitY_);
            Colour& dst = premultiplied_[std::size_t(y) * width_ + x];
            double& a = alpha_[std::size_t(y) * width_ + x];
            dst = {c.r * cover + dst.r * (1 - cover), c.g * cover + dst.g * (1 - cover),
                   c.b * cover + dst.b * (1 - cover)};
            a = cover + a * (1 - cover);
        }
    }
}

RgbaImage Canvas::ToRgba() const {
    RgbaImage out{width_, height_, {}};
    for (std::size_t i = 0; i < alpha_.size(); ++i) {
        const double a = alpha_[i];
        const Colour c = premultiplied_[i];
        const double k = a > 0 ? 1.0 / a : 0.0;
        out.rgba.insert(out.rgba.end(), {ToByte(c.r * k), ToByte(c.g * k), ToByte(c.b * k), ToByte(a * 255)});
    }
    return out;
}

IndexedImage Canvas::Quantized() const {
    std::vector<Rgb> pixels;
    for (const Colour& c : premultiplied_) pixels.push_back({ToByte(c.r), ToByte(c.g), ToByte(c.b)});
    return QuantizeTo256(width_, height_, pixels);
}

namespace {

struct ColourCount {
    Rgb colour;
    long count;
};

int Channel(Rgb c, int channel) { return channel == 0 ? c.r : channel == 1 ? c.g : c.b; }

struct ColourBox {
    std::vector<ColourCount> colours;

    std::array<int, 3> Range() const {
        std::array<int, 3> lo{255, 255, 255}, hi{0, 0, 0};
        for (const ColourCount& c : colours) {
            for (int k = 0; k < 3; ++k) {
                lo[k] = std::min(lo[k], Channel(c.colour, k));
                hi[k] = std::max(hi[k], Channel(c.colour, k));
            }
        }
        return {hi[0] - lo[0], hi[1] - lo[1], hi[2] - lo[2]};
    }
    long Weight() const {
        long total = 0;
        for (const ColourCount& c : colours) total += c.count;
        return total;
    }
    Rgb Mean() const {
        double sum[3] = {0, 0, 0};
        const double weight = double(Weight());
        for (const ColourCount& c : colours) {
            for (int k = 0; k < 3; ++k) sum[k] += double(Channel(c.colour, k)) * double(c.count);
        }
        return {ToByte(sum[0] / weight), ToByte(sum[1] / weight), ToByte(sum[2] / weight)};
    }
};

// Splits the box that spans the widest channel range (weighted by its pixel count's
// square root so that large flat areas keep their exact colours) at its weighted median.
std::vector<Rgb> MedianCut(std::vector<ColourCount> colours) {
    std::vector<ColourBox> boxes{ColourBox{std::move(colours)}};
    while (boxes.size() < 256) {
        int best = -1;
        double bestScore = 0;
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            if (boxes[i].colours.size() < 2) continue;
            const auto range = boxes[i].Range();
            const double score =
                double(*std::max_element(range.begin(), range.end())) * std::sqrt(double(boxes[i].Weight()));
            if (score > bestScore) {
                bestScore = score;
                best = int(i);
            }
        }
        if (best < 0) break;
        ColourBox& box = boxes[std::size_t(best)];
        const auto range = box.Range();
        const int channel = int(std::max_element(range.begin(), range.end()) - range.begin());
        std::sort(box.colours.begin(), box.colours.end(),
                  [channel](const ColourCount& a, const ColourCount& b) {
                      const int ka = Channel(a.colour, channel), kb = Channel(b.colour, channel);
                      return ka != kb ? ka < kb : a.colour < b.colour;
                  });
        const long half = box.Weight() / 2;
        long running = 0;
        std::size_t cut = 1;
        for (; cut < box.colours.size() - 1; ++cut) {
            running += box.colours[cut - 1].count;
            if (running >= half) break;
        }
        ColourBox upper{std::vector<ColourCount>(box.colours.begin() + long(cut), box.colours.end())};
        box.colours.resize(cut);
        boxes.push_back(std::move(upper));
    }
    std::vector<Rgb> palette;
    palette.reserve(boxes.size());
    for (const ColourBox& box : boxes) palette.push_back(box.Mean());
    return palette;
}

}  // namespace

IndexedImage QuantizeTo256(int width, int height, const std::vector<Rgb>& pixels) {
    if (pixels.size() != std::size_t(width) * height) throw std::invalid_argument("pixel count");
    std::map<Rgb, long> counts;
    for (Rgb c : pixels) ++counts[c];
    std::vector<Rgb> palette;
    if (counts.size() <= 256) {
        palette.reserve(counts.size());
        for (const auto& [colour, count] : counts) palette.push_back(colour);
    } else {
        std::vector<ColourCount> colours;
        colours.reserve(counts.size());
        for (const auto& [colour, count] : counts) colours.push_back({colour, count});
        palette = MedianCut(std::move(colours));
    }
    std::map<Rgb, std::uint8_t> nearest;
    for (const auto& [colour, count] : counts) {
        int best = 0;
        long bestDistance = -1;
        for (std::size_t i = 0; i < palette.size(); ++i) {
            const long dr = long(colour.r) - palette[i].r, dg = long(colour.g) - palette[i].g,
                       db = long(colour.b) - palette[i].b;
            const long d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
            if (bestDistance < 0 || d < bestDistance) {
                bestDistance = d;
                best = int(i);
            }
        }
        nearest[colour] = std::uint8_t(best);
    }
    IndexedImage image(width, height, palette);
    for (std::size_t i = 0; i < pixels.size(); ++i) image.pixels[i] = nearest[pixels[i]];
    return image;
}

}  // namespace resgen
