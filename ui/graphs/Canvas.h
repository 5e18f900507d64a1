// A small drawing surface over an off-screen image with the few operations
// the graphs use, each giving the same pixels every time:
// - lines are 1 pixel wide, aliased, and never include their end point;
// - rectangles are filled half-open (right and bottom edges excluded);
// - polygons are filled with the brush (even-odd) and outlined with the pen;
// - text is placed by the top-left corner of its box, on an opaque box of
//   the brush colour, in the font colour;
// - everything outside the image is clipped, whatever the coordinates.
#pragma once

#include <QFont>
#include <QImage>
#include <QString>
#include <cstdint>
#include <initializer_list>

namespace bxl::graphs {

// The graph colours.
inline constexpr QRgb kBlack = 0xff000000u;
inline constexpr QRgb kGray = 0xff808080u;
inline constexpr QRgb kBlue = 0xff0000ffu;
inline constexpr QRgb kRed = 0xffff0000u;
inline constexpr QRgb kGreen = 0xff00ff00u;
inline constexpr QRgb kOrange = 0xffff8000u;
inline constexpr QRgb kNavy = 0xff000080u;

struct Point {
    int32_t x;
    int32_t y;
};

class Canvas {
public:
    // A width x height image; faceColour is the window background colour the
    // graphs clear to and write highlighted labels in.
    Canvas(int width, int height, QRgb faceColour);

    const QImage& image() const { return image_; }
    QRgb faceColour() const { return face_; }
    QRgb pixel(int x, int y) const { return image_.pixel(x, y); }

    void setPen(QRgb c) { pen_ = c | 0xff000000u; }
    void setBrush(QRgb c) { brush_ = c | 0xff000000u; }
    void setFontColour(QRgb c) { fontColour_ = c | 0xff000000u; }
    // "Arial" is drawn with Liberation Sans, which has Arial's metrics.
    void setFontFace(const QString& face);
    // Size in points at 96 dots per inch: 8 point is 11 pixels, 12 is 16.
    void setFontSize(int points);

    QRgb pen() const { return pen_; }
    QRgb brush() const { return brush_; }
    QRgb fontColour() const { return fontColour_; }
    const QFont& font() const { return font_; }

    void moveTo(int32_t x, int32_t y);
    // Line in the pen colour from the current point up to, but not including,
    // (x, y), which becomes the current point.
    void lineTo(int32_t x, int32_t y);
    void line(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
        moveTo(x0, y0);
        lineTo(x1, y1);
    }
    // Fills left <= x < right, top <= y < bottom with the brush colour.
    void fillRect(int32_t left, int32_t top, int32_t right, int32_t bottom);
    void polygon(std::initializer_list<Point> points);
    // Text with the top-left corner of its box at (x, y).
    void textOut(int32_t x, int32_t y, const QString& text);
    // Width and height of the box textOut fills for this text.
    QSize textExtent(const QString& text) const;

private:
    void plot(int64_t x, int64_t y, QRgb c, uchar* bits, qsizetype bpl);
    void updateFont();

    QImage image_;
    QRgb face_;
    QRgb pen_ = kBlack;
    QRgb brush_;
    QRgb fontColour_ = kBlack;
    QString fontFace_;
    int points_ = 8;
    QFont font_;
    int ascent_ = 0;
    int descent_ = 0;
    int32_t curX_ = 0;
    int32_t curY_ = 0;
};

}  // namespace bxl::graphs
