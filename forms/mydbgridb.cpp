#include "forms/mydbgridb.h"

#include <QApplication>
#include <QWidget>
#include <memory>

#include "qwellib/dialogs.h"
#include "qwellib/inifile.h"

namespace mintor::forms {

namespace {
const QString kSection = QStringLiteral("forms");
std::unique_ptr<qwel::IniFile> forms_ini;
}  // namespace

void open_forms_ini(const QString& path) {
    forms_ini = std::make_unique<qwel::IniFile>(path);
    forms_ini->load();
}

void close_forms_ini() {
    if (!forms_ini) return;
    forms_ini->save();
    forms_ini.reset();
}

bool forms_ini_open() { return forms_ini != nullptr; }
QString forms_ini_path() { return forms_ini ? forms_ini->path() : QString(); }

bool has_sizeable_border(const QWidget* form) { return form->minimumSize() != form->maximumSize(); }

void restore_form_geometry(QWidget* form) {
    if (!forms_ini) {
        qwel::program_error(QStringLiteral("get_formini"));
        return;
    }
    const QString name = form->objectName();
    const int top = forms_ini->read_int(kSection, name + QStringLiteral("-T"), -1);
    const int left = forms_ini->read_int(kSection, name + QStringLiteral("-L"), -1);
    QPoint p = form->pos();
    if (top >= 0) p.setY(top);
    if (left >= 0) p.setX(left);
    form->move(p);
    if (has_sizeable_border(form)) {
        const int h = forms_ini->read_int(kSection, name + QStringLiteral("-H"), -1);
        const int w = forms_ini->read_int(kSection, name + QStringLiteral("-W"), -1);
        QSize s = form->size();
        if (h >= 0) s.setHeight(h);
        if (w >= 0) s.setWidth(w);
        form->resize(s);
    }
    const bool maxed = forms_ini->read_bool(kSection, name + QStringLiteral("-Maximized"), false);
    Qt::WindowStates st = form->windowState() & ~Qt::WindowMaximized;
    form->setWindowState(maxed ? st | Qt::WindowMaximized : st);
}

void save_form_geometry(QWidget* form) {
    const QString name = form->objectName();
    if (name.isEmpty() || !forms_ini) return;
    const bool maxed = form->isMaximized();
    if (maxed) {
        // back to normal first, so that the normal bounds are saved
        form->setWindowState(form->windowState() & ~Qt::WindowMaximized);
        QApplication::processEvents();
    }
    const QRect normal = maxed ? form->normalGeometry() : form->geometry();
    const QPoint frame_offset = form->geometry().topLeft() - form->frameGeometry().topLeft();
    const QPoint top_left = maxed && normal.isValid() ? normal.topLeft() - frame_offset : form->pos();
    const QSize size = maxed && normal.isValid() ? normal.size() : form->size();
    forms_ini->write_int(kSection, name + QStringLiteral("-T"), top_left.y());
    forms_ini->write_int(kSection, name + QStringLiteral("-L"), top_left.x());
    forms_ini->write_int(kSection, name + QStringLiteral("-H"), size.height());
    forms_ini->write_int(kSection, name + QStringLiteral("-W"), size.width());
    forms_ini->write_bool(kSection, name + QStringLiteral("-Maximized"), maxed);
    forms_ini->save();
}

}  // namespace mintor::forms
