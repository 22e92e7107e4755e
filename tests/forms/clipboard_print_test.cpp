// The clipboard window (exports, fix_layout) and the page layout (tiling small pages on a
// sheet, a resolution of 0, a real print to PDF).
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QRegularExpression>

#include "forms/clpbd2.h"
#include "forms/pagelayout.h"
#include "forms_support.h"

using namespace mintor::forms;

namespace {
// Widths of 10 pixels a character.
int tens(const QString& s) { return int(s.size()) * 10; }

// Records what the layout draws: the sheets, and the outlines and lines on each.
class Recorder : public PrintTarget {
public:
    Recorder(int rx, int ry) : rx_(rx), ry_(ry) {}
    bool begin() override {
        sheets = 1;
        return true;
    }
    int resolution_x() const override { return rx_; }
    int resolution_y() const override { return ry_; }
    void new_sheet() override { ++sheets; }
    void set_font(const QFont&) override {}
    int text_height(const QString&) override { return 50; }
    void draw_text(int x, int y, const QString& t) override { lines.push_back({sheets, QPoint(x, y), t}); }
    void draw_outline(const QRect& r) override { outlines.push_back({sheets, r}); }
    void end() override { ended = true; }
    void abort() override { aborted = true; }

    struct Line {
        int sheet;
        QPoint at;
        QString text;
    };
    struct Outline {
        int sheet;
        QRect r;
    };
    int sheets = 0;
    std::vector<Line> lines;
    std::vector<Outline> outlines;
    bool ended = false, aborted = false;

private:
    int rx_, ry_;
};
}  // namespace

TEST(FixLayout, PiecesEndNarrowerThanTheLimitOrWithoutABlank) {
    struct Case {
        const char* line;
        int limit;
        QStringList pieces;
    };
    const Case cases[] = {
        {"", 100, {QString()}},
        {"short line", 200, {QStringLiteral("short line")}},
        {"aaa bbb ccc", 80, {QStringLiteral("aaa bbb"), QStringLiteral("ccc")}},
        {"one two three four five", 100, {QStringLiteral("one two"), QStringLiteral("three"), QStringLiteral("four five")}},
        // a piece with no blank from the third character on is kept whole, and the cutting ends
        {"abcdefghijklmnop", 50, {QStringLiteral("abcdefghijklmnop")}},
        {"a bcdefghijklmnop", 50, {QStringLiteral("a bcdefghijklmnop")}},
        {"ab cd   ", 40, {QStringLiteral("ab"), QStringLiteral("cd")}},
        {"xyz abcdefghijklmnop q", 50, {QStringLiteral("xyz"), QStringLiteral("abcdefghijklmnop"), QStringLiteral("q")}},
    };
    for (const Case& c : cases) {
        const QStringList got = TFClpBd2::fix_line(QString::fromLatin1(c.line), c.limit, tens);
        EXPECT_EQ(got, c.pieces) << c.line;
    }
}

TEST(ClipboardWindow, ExportLinesFixAndSave) {
    testing_support::ScriptedHost host;
    TFClpBd2 w;
    w.resize(300, 300);
    w.clip_start();
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(QApplication::clipboard()->text().isEmpty());
    w.clip_add_line(QStringLiteral("Title"));
    w.clip_add_line(QStringLiteral("a\tb"));
    w.clip_finish();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Title\na\tb"));
    EXPECT_EQ(w.StatusPnl->text(), QStringLiteral(" 8 characters"));

    // showing it again reloads the system clipboard, with word wrap on
    w.hide();
    QApplication::clipboard()->setText(QString(60, QLatin1Char('w')) + QStringLiteral(" tail of a long line ") +
                                       QString(40, QLatin1Char('v')));
    w.show();
    EXPECT_EQ(w.Memo1->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    w.fix_layout();
    const QFontMetrics fm(w.Memo1->font());
    const int limit = w.Memo1->viewport()->width() - 5;
    const QStringList lines = w.lines();
    EXPECT_GT(lines.size(), 1);
    for (const QString& l : lines)
        EXPECT_TRUE(fm.horizontalAdvance(l) < limit || l.lastIndexOf(QLatin1Char(' ')) < 2) << l.toStdString();
    EXPECT_EQ(w.Memo1->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(QApplication::clipboard()->text(), lines.join(QLatin1Char('\n')));

    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/out.txt");
    ASSERT_TRUE(w.save_to(path));
    host.answer_no();
    EXPECT_FALSE(w.save_to(path));
    EXPECT_EQ(host.questions(), QStringList{QStringLiteral("File already exists - overwrite?")});
}

TEST(PageLayout, SmallPagesAreTiledOnTheSheet) {
    struct Case {
        double w, h;
        int pages_per_sheet;  // outlines on each sheet; 0: A4, no outline
    };
    const Case cases[] = {{100, 140, 4}, {148, 210, 1}, {210, 297, 0}};
    for (const Case& c : cases) {
        testing_support::ScriptedHost host;
        Recorder rec(300, 300);
        PageLayout layout;
        PageSettings s;
        s.width_mm = c.w;
        s.height_mm = c.h;
        ASSERT_TRUE(layout.print_begin(rec, s));
        for (int i = 0; i < 400; ++i) layout.print_line(QStringLiteral("line\t") + QString::number(i));
        layout.print_end();
        EXPECT_TRUE(rec.ended);
        ASSERT_GT(rec.sheets, 2) << c.w;
        // the full sheets (every one but the last)
        for (int sheet = 1; sheet < rec.sheets; ++sheet) {
            int outlines = 0;
            for (const auto& o : rec.outlines) outlines += o.sheet == sheet;
            EXPECT_EQ(outlines, c.pages_per_sheet) << c.w << " x " << c.h << " sheet " << sheet;
        }
        EXPECT_EQ(rec.lines[1].text, QStringLiteral("line  1"));
        // every line inside the area of its page, below its top margin
        const int margin = layout.mm_to_px(10, 300);
        EXPECT_EQ(rec.lines[0].at, QPoint(margin, margin));
    }
}

TEST(PageLayout, ResolutionZeroAbandonsOnlyThatPrintJob) {
    testing_support::ScriptedHost host;
    for (auto [rx, ry, words] : {std::tuple{0, 300, "Program error : pxlsperinch.x = 0"},
                                 std::tuple{300, 0, "Program error : pxlsperinch.y = 0"}}) {
        Recorder rec(rx, ry);
        PageLayout layout;
        EXPECT_FALSE(layout.print_begin(rec, PageSettings{}));
        layout.print_line(QStringLiteral("ignored"));
        layout.print_end();
        EXPECT_TRUE(rec.aborted);
        EXPECT_TRUE(rec.lines.empty());
        EXPECT_TRUE(host.said(QString::fromLatin1(words)));
    }
    // the next job prints
    Recorder ok(300, 300);
    PageLayout layout;
    EXPECT_TRUE(layout.print_begin(ok, PageSettings{}));
    layout.print_line(QStringLiteral("printed"));
    layout.print_end();
    EXPECT_EQ(ok.lines.size(), 1u);
}

TEST(PageLayout, PrintsToAPdfFile) {
    testing_support::ScriptedHost host;
    QTemporaryDir dir;
    const QString pdf = dir.path() + QStringLiteral("/out.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    PrinterTarget target(&printer);
    PageLayout layout;
    PageSettings s;
    s.width_mm = 100;
    s.height_mm = 140;
    ASSERT_TRUE(layout.print_begin(target, s));
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPointSize(10);
    layout.print_set_font(f);
    // 10 pt lines: about 24 on a 120 mm area, so 4 small pages a sheet hold about 96 lines
    for (int i = 0; i < 150; ++i) layout.print_line(QStringLiteral("Line ") + QString::number(i));
    layout.print_end();
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString body = QString::fromLatin1(file.readAll());
    const auto pages = body.count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]")));
    EXPECT_EQ(pages, 2);
}
