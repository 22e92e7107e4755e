// A small ini reader and writer. The file is kept as a list of lines: section headers and
// lines that are not key=value lines keep their text; key lines are written back as
// key + "=" + value. Files are read and written as UTF-8 with "\n" line endings.

#include "inifile.h"

#include "amounts.h"
#include "text.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <utility>

namespace qwel {

namespace {

// "[name]" (blanks around allowed) gives true and the name.
bool section_header(const QString& line, QString& name) {
    const QString t = line.trimmed();
    if (t.size() < 2 || !t.startsWith(u'[') || !t.endsWith(u']')) return false;
    name = t.mid(1, t.size() - 2).trimmed();
    return true;
}

bool same(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// A value that must stay on its one line.
QString one_line(QString value) {
    value.replace(u'\r', u' ');
    value.replace(u'\n', u' ');
    return value;
}

}  // namespace

IniFile::IniFile(QString path) : path_(std::move(path)) {}

bool IniFile::exists() const { return QFileInfo(path_).isFile(); }

bool IniFile::load() {
    lines_.clear();
    if (!QFileInfo::exists(path_)) return true;
    QFile f(path_);
    if (!f.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) return false;
    QString all = QString::fromUtf8(bytes);
    if (all.startsWith(QChar(0xFEFF))) all.remove(0, 1);
    QStringList raw = all.split(u'\n');
    if (!raw.isEmpty() && raw.last().isEmpty()) raw.removeLast();  // after the final line end

    QString section;
    for (QString text : raw) {
        if (text.endsWith(u'\r')) text.chop(1);
        Line line;
        QString name;
        if (section_header(text, name)) {
            section = name;
            line.text = text;
            line.section = section;
            lines_.append(line);
            continue;
        }
        line.section = section;
        const QString t = trim_left(text);
        const qsizetype eq = text.indexOf(u'=');
        const bool comment = t.startsWith(u';') || t.startsWith(u'#');
        const QString key = eq >= 0 ? text.left(eq).trimmed() : QString();
        if (comment || key.isEmpty()) {
            line.text = text;
        } else {
            line.key = key;
            line.value = trim_right(text.mid(eq + 1));
        }
        lines_.append(line);
    }
    return true;
}

bool IniFile::save() const {
    QByteArray out;
    for (const Line& line : lines_) {
        out += (line.key.isEmpty() ? line.text : line.key + u'=' + line.value).toUtf8();
        out += '\n';
    }
    QSaveFile f(path_);
    if (!f.open(QIODevice::WriteOnly)) return false;
    if (f.write(out) != out.size()) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

int IniFile::find(const QString& section, const QString& key) const {
    for (int i = 0; i < lines_.size(); ++i) {
        const Line& line = lines_[i];
        if (!line.key.isEmpty() && same(line.section, section) && same(line.key, key)) return i;
    }
    return -1;
}

bool IniFile::has(const QString& section, const QString& key) const {
    return find(section, key) >= 0;
}

QString IniFile::read_string(const QString& section, const QString& key,
                             const QString& dflt) const {
    const int i = find(section, key);
    return i >= 0 ? lines_[i].value : dflt;
}

int IniFile::read_int(const QString& section, const QString& key, int dflt) const {
    const int i = find(section, key);
    if (i < 0) return dflt;
    const QString v = lines_[i].value.trimmed();
    int n = 0;
    if (v.isEmpty() || !parse_int(v, n)) return dflt;
    return n;
}

bool IniFile::read_bool(const QString& section, const QString& key, bool dflt) const {
    const int i = find(section, key);
    if (i < 0) return dflt;
    const QString v = lines_[i].value.trimmed();
    if (v == u"1" || same(v, QStringLiteral("true"))) return true;
    if (v == u"0" || same(v, QStringLiteral("false"))) return false;
    return dflt;
}

void IniFile::write_string(const QString& section, const QString& key, const QString& value) {
    const int i = find(section, key);
    if (i >= 0) {
        lines_[i].value = one_line(value);
        return;
    }
    Line line;
    line.section = section;
    line.key = key.trimmed();
    line.value = one_line(value);

    // After the last key line of the section, or after its header.
    int at = -1;
    bool found = false;
    for (int k = 0; k < lines_.size(); ++k) {
        const Line& l = lines_[k];
        if (!same(l.section, section)) continue;
        QString name;
        const bool header = l.key.isEmpty() && section_header(l.text, name);
        if (!l.key.isEmpty() || header) {
            at = k;
            found = true;
        }
    }
    if (!found) {
        if (section.isEmpty()) {
            // Keys before the first header belong to no section: put them at the top.
            lines_.insert(0, line);
            return;
        }
        Line header;
        header.text = u'[' + section + u']';
        header.section = section;
        lines_.append(header);
        at = int(lines_.size()) - 1;
    }
    lines_.insert(at + 1, line);
}

void IniFile::write_int(const QString& section, const QString& key, int value) {
    write_string(section, key, QString::number(value));
}

void IniFile::write_bool(const QString& section, const QString& key, bool value) {
    write_string(section, key, bool_digit(value));
}

void IniFile::delete_key(const QString& section, const QString& key) {
    // Every line of that key, should the file hold it twice.
    for (int i = find(section, key); i >= 0; i = find(section, key)) lines_.removeAt(i);
}

}  // namespace qwel
