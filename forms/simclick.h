#pragma once
// A synthetic mouse click through the X test extension: the pointer is moved to the point,
// one left click is made there and the pointer is put back. Elsewhere (offscreen, Wayland,
// a build without the extension) nothing happens.

#include <QPoint>

namespace mintor::forms {

// True when clicks can be synthesised on this display.
bool simclick_available();
// Returns whether a click was made.
bool simclick_at(QPoint screen_pos);

}  // namespace mintor::forms
