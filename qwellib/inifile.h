#pragma once
// A small ini reader and writer: "[section]" headers and plain key=value lines.
// Keys are matched case-insensitively; the spelling first seen is kept on writing.
// Lines it does not understand (comments, blanks) are kept as they were.

#include <QString>
#include <QStringList>

namespace qwel {

class IniFile {
public:
    explicit IniFile(QString path);
    // Reads the file; a missing file reads as empty. False when it exists but cannot be read.
    bool load();
    // Writes the file (creating it); false on failure.
    bool save() const;
    const QString& path() const { return path_; }
    bool exists() const;

    bool has(const QString& section, const QString& key) const;
    QString read_string(const QString& section, const QString& key, const QString& dflt) const;
    int read_int(const QString& section, const QString& key, int dflt) const;
    bool read_bool(const QString& section, const QString& key, bool dflt) const;
    void write_string(const QString& section, const QString& key, const QString& value);
    void write_int(const QString& section, const QString& key, int value);
    void write_bool(const QString& section, const QString& key, bool value);  // 1 / 0
    void delete_key(const QString& section, const QString& key);

private:
    struct Line {
        QString text;      // the raw line for non key lines
        QString section;   // section the line belongs to
        QString key;       // empty for non key lines
        QString value;
    };
    int find(const QString& section, const QString& key) const;
    QString path_;
    QList<Line> lines_;
};

}  // namespace qwel
