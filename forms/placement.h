#pragma once
// Placing windows near the mouse pointer, kept on the screen.

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;
class QDialog;

namespace mintor::forms {

// The screen area windows are kept in (the screen under the pointer).
QRect screen_area();
// A top-left for a window of size frame wanted at want: moved left and up by what would stick
// out at the right or bottom, and never above or left of the screen's origin.
QPoint keep_on_screen(QPoint want, QSize frame, const QRect& screen);
// Top-left one pixel below and right of the pointer, kept on the screen.
void place_near_pointer(QWidget* w);
// Places and shows (restoring from minimised).
void show_near_pointer(QWidget* w);
// Places and runs modally; returns the dialog's result.
int show_modal_near_pointer(QDialog* d);
// The size a window will have when shown (its current size once it has been laid out).
QSize frame_size(QWidget* w);

}  // namespace mintor::forms
