#include "LogoArt.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "CardArt.h"
#include "PixelFont.h"
#include "Shapes.h"

namespace resgen {
namespace {

const Colour kTable{0, 128, 0};
const Colour kButtonFace{240, 240, 240};
const Colour kInk{60, 34, 10};
const Colour kCardEdge{64, 64, 72};
const Colour kCardWhite{255, 255, 255};
const Colour kRimDark{96, 56, 24};
const Colour kGoldLight{255, 240, 160};
const Colour kGold{244, 192, 44};
const Colour kGoldDeep{176, 112, 16};
const Colour kRed{214, 40, 40};
const Colour kDarkRed{128, 20, 28};

Colour GoldAt(double t) {
    t = std::clamp(t, 0.0, 1.0);
    return t < 0.45 ? Mix(kGoldLight, kGold, t / 0.45) : Mix(kGold, kGoldDeep, (t - 0.45) / 0.55);
}

// The wordmark as strokes through the centres of its font pixels: side neighbours are
// joined, and diagonal neighbours too when no side neighbour already links them, which
// turns the pixel font into smooth lettering at any size.
class Wordmark {
public:
    Wordmark(const std::string& text, double left, double top, double cell) : cell_(cell) {
        double x = left;
        for (char ch : text) {
            const Glyph& g = WordmarkGlyph(ch);
            Letter letter{x, top, x + g.width * cell, top + 7 * cell, {}};
            auto ink = [&](int gx, int gy) {
                return gx >= 0 && gy >= 0 && gx < g.width && gy < int(g.rows.size()) && g.Ink(gx, gy);
            };
            auto centre = [&](int gx, int gy) {
                return Point{x + (gx + 0.5) * cell, top + (gy + 0.5) * cell};
            };
            for (int gy = 0; gy < int(g.rows.size()); ++gy) {
                for (int gx = 0; gx < g.width; ++gx) {
                    if (!ink(gx, gy)) continue;
                    const Point p = centre(gx, gy);
                    letter.strokes.push_back({p, p});
                    if (ink(gx + 1, gy)) letter.strokes.push_back({p, centre(gx + 1, gy)});
                    if (ink(gx, gy + 1)) letter.strokes.push_back({p, centre(gx, gy + 1)});
                    for (int dx : {-1, 1}) {
                        if (ink(gx + dx, gy + 1) && !ink(gx + dx, gy) && !ink(gx, gy + 1)) {
                            letter.strokes.push_back({p, centre(gx + dx, gy + 1)});
                        }
                    }
                }
            }
            letters_.push_back(std::move(letter));
            x += (g.width + 1) * cell;
        }
        right_ = x - cell;
        top_ = top;
    }

    static double Width(const std::string& text, double cell) {
        double cells = -1;
        for (char ch : text) cells += WordmarkGlyph(ch).width + 1;
        return cells * cell;
    }

    // Inside the strokes thickened by extra pixels beyond the letter weight.
    Shape Ink(double extra, double dx = 0, double dy = 0) const {
        const double radius = 0.6 * cell_ + extra;
        return [this, radius, dx, dy](double x, double y) {
            x -= dx;
            y -= dy;
            for (const Letter& l : letters_) {
                if (x < l.left - radius || x > l.right + radius || y < l.top - radius ||
                    y > l.bottom + radius) {
                    continue;
                }
                for (const auto& s : l.strokes) {
                    if (InCapsule({x, y}, s.first, s.second, radius)) return true;
                }
            }
            return false;
        };
    }

    double Top() const { return top_; }
    double Bottom() const { return top_ + 7 * cell_; }

private:
    struct Letter {
        double left, top, right, bottom;
        std::vector<std::pair<Point, Point>> strokes;
    };
    double cell_;
    double right_ = 0, top_ = 0;
    std::vector<Letter> letters_;
};

void PaintWordmark(Canvas& canvas, const Wordmark& w, double outline, double shadowOpacity) {
    canvas.Paint(w.Ink(outline, outline * 1.2, outline * 1.2), Colour{0, 0, 0}, shadowOpacity);
    canvas.Paint(w.Ink(outline), kInk);
    const double top = w.Top(), height = w.Bottom() - w.Top();
    canvas.Paint(w.Ink(0), [=](double, double y) { return GoldAt((y - top) / height); });
}

// Paints with a colour chosen in the frame's own coordinates.
std::function<Colour(double, double)> InFrame(const Frame& f,
                                              const std::function<Colour(double, double)>& local) {
    const double c = std::cos(f.angle), s = std::sin(f.angle);
    return [=](double x, double y) {
        const double dx = x - f.cx, dy = y - f.cy;
        return local((dx * c + dy * s) / f.halfWidth, (-dx * s + dy * c) / f.halfHeight);
    };
}

void PaintCoin(Canvas& canvas, double cx, double cy, double r) {
    const double rim = std::max(1.0, 0.12 * r);
    canvas.Paint(Disc(cx, cy, r), kRimDark);
    canvas.Paint(Disc(cx, cy, r - rim),
                 [=](double x, double y) { return GoldAt(0.5 + 0.5 * ((x - cx) + (y - cy)) / (1.6 * r)); });
    const double ring = std::max(0.8, 0.09 * r);
    canvas.Paint(Minus(Disc(cx, cy, 0.62 * r), Disc(cx, cy, 0.62 * r - ring)), kGoldDeep);
    canvas.Paint(Disc(cx, cy, 0.24 * r), kRed);
}

// A card in a frame whose units are pixels; faceUp shows white, otherwise the back.
void PaintCard(Canvas& canvas, const Frame& f, double w, double h, bool faceUp) {
    const double radius = std::max(1.5, w * 0.12);
    canvas.Paint(f(RoundedBox(-w / 2, -h / 2, w / 2, h / 2, radius)), kCardEdge);
    const double inset = std::max(1.0, w / 24);
    const Shape inner =
        f(RoundedBox(-w / 2 + inset, -h / 2 + inset, w / 2 - inset, h / 2 - inset, radius - inset / 2));
    if (faceUp) {
        canvas.Paint(inner, kCardWhite);
        return;
    }
    canvas.Paint(inner, kCardWhite);
    const double m = inset + std::max(1.0, w / 16);
    const double period = std::max(3.0, w / 5);
    canvas.Paint(f(RoundedBox(-w / 2 + m, -h / 2 + m, w / 2 - m, h / 2 - m, 1)),
                 InFrame(f, [=](double u, double v) {
                     const double a = std::fmod(u + v + 1000 * period, period) / period;
                     const double b = std::fmod(u - v + 1000 * period, period) / period;
                     return (a < 0.3 || b < 0.3) ? kDarkRed : kRed;
                 }));
}

// Two fanned cards, the front one bearing a coin, about 40 x 46 pixels around (cx, cy).
void PaintCardMotif(Canvas& canvas, double cx, double cy, double scale) {
    const double w = 24 * scale, h = 36 * scale;
    PaintCard(canvas, Frame{cx - 6 * scale, cy, 1, 1, -0.32}, w, h, false);
    const Frame front{cx + 6 * scale, cy + 1 * scale, 1, 1, 0.16};
    PaintCard(canvas, front, w, h, true);
    const Point centre = front.ToPicture(0, 0);
    PaintCoin(canvas, centre.x, centre.y, 8.5 * scale);
}

// Drawn in the units of the width x height picture at 100 %.
IndexedImage DrawLogo(int width, int height, int percent, Colour background, double shadowOpacity,
                      double motifScale) {
    Canvas canvas(ScaledLength(width, percent), ScaledLength(height, percent), width, height, background);
    PaintCardMotif(canvas, 25 * motifScale, height / 2.0, motifScale);
    const std::string text = "Zandro++";
    const double left = 51 * motifScale, right = width - 5.0;
    const double cell = (right - left) / Wordmark::Width(text, 1.0);
    const Wordmark mark(text, left, (height - 7 * cell) / 2.0, cell);
    PaintWordmark(canvas, mark, std::max(1.0, cell * 0.35), shadowOpacity);
    return canvas.Quantized();
}

}  // namespace

IndexedImage DrawTableLogo(int percent) { return DrawLogo(200, 50, percent, kTable, 0.45, 1.0); }

IndexedImage DrawAboutLogo(int percent) { return DrawLogo(163, 50, percent, kButtonFace, 0.25, 0.84); }

RgbaImage DrawIcon(int size) {
    Canvas canvas(size, size, Colour{0, 0, 0}, 0.0);
    const double s = size / 32.0;
    PaintCard(canvas, Frame{12.5 * s, 14 * s, 1, 1, -0.12}, 19 * s, 27 * s, false);
    PaintCoin(canvas, 21 * s, 21 * s, 10.5 * s);
    return canvas.ToRgba();
}

}  // namespace resgen
