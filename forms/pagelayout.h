#pragma once
// Printing text lines on pages of a chosen size: pages smaller than A4 are tiled on each
// sheet (left to right, then down) and outlined; an A4 page is one sheet. Measures are in
// the printer's pixels, converted from millimetres by its resolution.

#include <QFont>
#include <QRect>
#include <QString>

class QPainter;
class QPrinter;

namespace mintor::forms {

struct PageSettings {
    double width_mm = 210, height_mm = 297;
    double top_mm = 10, bottom_mm = 10, left_mm = 10, right_mm = 10;
};

// What the layout draws on: a printer, or a recorder in tests.
class PrintTarget {
public:
    virtual ~PrintTarget() = default;
    virtual bool begin() = 0;  // starts the job
    virtual int resolution_x() const = 0;
    virtual int resolution_y() const = 0;
    virtual void new_sheet() = 0;
    virtual void set_font(const QFont& font) = 0;
    virtual int text_height(const QString& text) = 0;
    virtual void draw_text(int x, int y, const QString& text) = 0;  // y is the top of the line
    virtual void draw_outline(const QRect& r) = 0;
    virtual void end() = 0;
    virtual void abort() = 0;
};

// A QPrinter (a real printer or a PDF file).
class PrinterTarget : public PrintTarget {
public:
    explicit PrinterTarget(QPrinter* printer);
    ~PrinterTarget() override;
    bool begin() override;
    int resolution_x() const override;
    int resolution_y() const override;
    void new_sheet() override;
    void set_font(const QFont& font) override;
    int text_height(const QString& text) override;
    void draw_text(int x, int y, const QString& text) override;
    void draw_outline(const QRect& r) override;
    void end() override;
    void abort() override;

private:
    QPrinter* printer_;
    QPainter* painter_ = nullptr;
};

class PageLayout {
public:
    // Starts the job; false (after the program error) when the printer reports a resolution
    // of 0: that job is abandoned.
    bool print_begin(PrintTarget& target, const PageSettings& s);
    void print_line(const QString& text);
    void print_set_font(const QFont& font);
    void print_end();
    bool printing() const { return target_ != nullptr; }

    int mm_to_px(double mm, int resolution) const;
    // The print area of the page being filled.
    QRect area() const { return area_; }
    bool a4() const { return a4_; }

private:
    void set_up_area();
    void new_page();

    PrintTarget* target_ = nullptr;
    bool a4_ = true;
    int sheet_right_ = 0, sheet_bottom_ = 0;  // sheet limits
    int page_w_ = 0, page_h_ = 0;
    int margin_top_ = 0, margin_bottom_ = 0, margin_left_ = 0, margin_right_ = 0;
    int origin_x_ = 0, origin_y_ = 0, right_edge_ = 0, bottom_edge_ = 0;
    bool outline_ = false;
    QRect area_;
    int line_y_ = 0;
    int line_h_ = 0;
};

}  // namespace mintor::forms
