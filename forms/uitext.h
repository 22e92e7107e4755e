#pragma once
// Small helpers shared by the forms: the program's texts as the widgets show them, and the
// colours of the program's panels.

#include <QColor>
#include <QString>

class QWidget;

namespace mintor::forms {

// The program writes line breaks as CR (or CR LF); widgets want LF.
QString display_text(const QString& text);
// Paints a widget's background in a 0xRRGGBB colour.
void paint_background(QWidget* w, unsigned rgb);
QColor rgb_colour(unsigned rgb);

constexpr unsigned kSkyBlue = 0xA6CAF0;
constexpr unsigned kSilver = 0xC0C0C0;
constexpr unsigned kNotepadColour = 0xEBD7FF;  // red 235, green 215, blue 255

}  // namespace mintor::forms
