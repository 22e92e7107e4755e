#pragma once
// The forms' positions and sizes in FORMS.INI (program folder, section "forms"): for each
// form, keys of its component name + "-T", "-L", "-H", "-W" and "-Maximized".

#include <QString>

class QWidget;

namespace mintor::forms {

// Opens (reads) FORMS.INI; the main form does this when it is created.
void open_forms_ini(const QString& path);
// Writes and releases it; the main form does this when it is destroyed.
void close_forms_ini();
bool forms_ini_open();
QString forms_ini_path();

// A form keeps its designed size when its border is fixed (minimum size = maximum size).
bool has_sizeable_border(const QWidget* form);
// From a form's creation: top and left, the size for a sizeable form, the maximised state.
void restore_form_geometry(QWidget* form);
// From a form's destruction: the normal bounds and whether it was maximised.
void save_form_geometry(QWidget* form);

}  // namespace mintor::forms
