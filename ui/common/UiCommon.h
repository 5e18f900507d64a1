// Small helpers shared by all windows: the tool's fonts, colours (through
// the palette), window set-up, the conversion of the model's Windows-1252
// texts, and of paths between Qt and the C library.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <string>

#include "model/Bindings.h"

class QWidget;

namespace bxl::ui {

// The window font ("MS Sans Serif" in the unit's manuals) and "Arial" both map
// to Liberation Sans, which has Arial's metrics. Sizes are in pixels of
// character height: 8 point is 11 pixels at 96 dpi.
inline constexpr int kPx8pt = 11;
inline constexpr int kPx10pt = 13;
inline constexpr int kPx12pt = 16;
inline constexpr int kPx14pt = 19;
inline constexpr int kPx16pt = 21;

QFont windowFont();  // "MS Sans Serif" 8 point
QFont arialFont(int pixelSize, bool bold = false);

inline QColor toQColor(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

// Windows-1252 bytes of the model to a display string (the degree sign 0xB0
// becomes U+00B0; every other byte the tables use is ASCII).
QString toDisplayText(const std::string& cp1252);
QString toDisplayText(const char* cp1252);

// Fixed-size top-level window: client area w x h, no maximise box.
void setupFixedWindow(QWidget* w, const QString& caption, int clientWidth, int clientHeight, int left,
                      int top);

// The colours of a widget, always through its palette. The text colour is
// the font colour of labels, fields and buttons alike; the background is the
// face of a widget that fills its own (windows, panels, labels); the field
// background is the inside of a text field.
void setTextColour(QWidget* w, const QColor& c);
QColor textColour(const QWidget* w);
void setBackground(QWidget* w, const QColor& c);
void setFieldBackground(QWidget* w, const QColor& c);

// The system colours the tool uses: button face, window and window text.
QColor faceColour();
QColor windowColour();
QColor windowTextColour();

// A path as the C library takes it (the file system's encoding), and back.
std::string localPath(const QString& path);
QString fromLocalPath(const std::string& path);

}  // namespace bxl::ui
