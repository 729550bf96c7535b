#pragma once
// Shapes as inside-tests on points, and the two ways of putting them on a picture:
// hard-edged into a 16-colour card (with an outline where the shape meets its outside),
// and smoothed by supersampling into a full-colour picture for logos and icons. Both are
// drawn in the units of the picture at 100 % and can be made at any density: a shape is
// tested at each pixel (or sample) taken back to those units.

#include <functional>
#include <vector>

#include "Formats.h"

namespace resgen {

struct Point {
    double x = 0, y = 0;
};

using Shape = std::function<bool(double x, double y)>;

Shape Disc(double cx, double cy, double r);
Shape Ellipse(double cx, double cy, double rx, double ry);
Shape Box(double x0, double y0, double x1, double y1);  // x0 <= x < x1, y0 <= y < y1
Shape RoundedBox(double x0, double y0, double x1, double y1, double radius);
Shape Polygon(std::vector<Point> corners);  // even-odd rule
Shape Capsule(Point a, Point b, double r);
// The same test as Capsule(a, b, r)(p.x, p.y), without making a shape: for hot loops.
bool InCapsule(Point p, Point a, Point b, double r);
// A stroke from a (radius ra) to b (radius rb), like a baton thicker at one end.
Shape Taper(Point a, double ra, Point b, double rb);
Shape Union(std::vector<Shape> parts);
Shape Minus(const Shape& keep, const Shape& cut);
Shape Intersect(const Shape& a, const Shape& b);
Shape Moved(const Shape& s, double dx, double dy);

// Places a shape drawn in a local box [-1, 1] x [-1, 1] (y down) on the picture: centred
// on (cx, cy), halfWidth and halfHeight pixels across, turned by angle radians clockwise.
struct Frame {
    double cx = 0, cy = 0, halfWidth = 1, halfHeight = 1, angle = 0;
    Shape operator()(const Shape& local) const;
    Point ToPicture(double u, double v) const;
};

// A palette picture being drawn at some density. At 100 % a unit is a pixel and an
// outline is one pixel wide.
struct ScaledPicture {
    ScaledPicture(int width100, int height100, int width, int height, int penWidth, std::vector<Rgb> palette,
                  std::uint8_t background);
    IndexedImage image;
    double pixelsPerUnitX, pixelsPerUnitY;
    int penWidth;  // pixels across an outline or a stroke of lettering
    // A shape given in this picture's own pixels, as a shape in units.
    Shape FromPixels(const Shape& inPixels) const;
};

// Hard-edged painting; pixels are tested at their centres.
void Fill(ScaledPicture& picture, const Shape& shape, std::uint8_t colour);
// Fills the shape and draws its edge: the pixels that have a pixel outside the shape
// within the pen width (at one pixel, a side neighbour).
void FillOutlined(ScaledPicture& picture, const Shape& shape, std::uint8_t fill, std::uint8_t outline);

struct Colour {
    double r = 0, g = 0, b = 0;  // 0-255
};
Colour Mix(Colour a, Colour b, double t);  // t = 0 gives a

// A full-colour picture with coverage-weighted (premultiplied) painting.
class Canvas {
public:
    Canvas(int width, int height, Colour background, double alpha = 1.0);
    // A canvas of width x height pixels drawn in units of the picture at 100 %.
    Canvas(int width, int height, int width100, int height100, Colour background);
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Paints with coverage measured on a 4 x 4 grid inside each pixel.
    void Paint(const Shape& shape, const std::function<Colour(double, double)>& colour, double opacity = 1.0);
    void Paint(const Shape& shape, Colour colour, double opacity = 1.0);
    IndexedImage Quantized() const;  // at most 256 colours, alpha ignored
    RgbaImage ToRgba() const;

private:
    int width_, height_;
    double pixelsPerUnitX_ = 1, pixelsPerUnitY_ = 1;
    std::vector<Colour> premultiplied_;
    std::vector<double> alpha_;
};

// Chooses at most 256 colours for the given pixels (median cut, deterministic) and maps
// every pixel to its nearest palette colour. Pictures with 256 colours or fewer keep
// their exact colours.
IndexedImage QuantizeTo256(int width, int height, const std::vector<Rgb>& pixels);

}  // namespace resgen
