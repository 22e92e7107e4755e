#include "forms/pagelayout.h"

#include <QPainter>
#include <QPrinter>

#include "qwellib/dialogs.h"

namespace mintor::forms {

PrinterTarget::PrinterTarget(QPrinter* printer) : printer_(printer) {}

PrinterTarget::~PrinterTarget() { delete painter_; }

bool PrinterTarget::begin() {
    painter_ = new QPainter;
    if (painter_->begin(printer_)) return true;
    delete painter_;
    painter_ = nullptr;
    return false;
}

int PrinterTarget::resolution_x() const { return printer_->logicalDpiX(); }
int PrinterTarget::resolution_y() const { return printer_->logicalDpiY(); }
void PrinterTarget::new_sheet() { printer_->newPage(); }
void PrinterTarget::set_font(const QFont& font) { painter_->setFont(font); }
int PrinterTarget::text_height(const QString&) { return painter_->fontMetrics().height(); }

void PrinterTarget::draw_text(int x, int y, const QString& text) {
    painter_->drawText(x, y + painter_->fontMetrics().ascent(), text);
}

void PrinterTarget::draw_outline(const QRect& r) { painter_->drawRect(r); }

void PrinterTarget::end() {
    if (painter_) painter_->end();
}

void PrinterTarget::abort() {
    if (painter_) painter_->end();
    printer_->abort();
}

int PageLayout::mm_to_px(double mm, int resolution) const { return int(mm / 25.4 * resolution); }

bool PageLayout::print_begin(PrintTarget& target, const PageSettings& s) {
    target_ = nullptr;
    if (!target.begin()) {
        qwel::show_msg(QStringLiteral("Cannot start printing"));
        return false;
    }
    const int rx = target.resolution_x();
    const int ry = target.resolution_y();
    if (rx == 0 || ry == 0) {
        // only this print job is given up
        qwel::program_error(rx == 0 ? QStringLiteral("pxlsperinch.x = 0") : QStringLiteral("pxlsperinch.y = 0"));
        target.abort();
        return false;
    }
    target_ = &target;
    a4_ = s.width_mm == 210 && s.height_mm == 297;
    sheet_right_ = mm_to_px(200, rx);
    sheet_bottom_ = mm_to_px(285, ry);
    page_w_ = mm_to_px(s.width_mm, rx);
    page_h_ = mm_to_px(s.height_mm, ry);
    margin_left_ = mm_to_px(s.left_mm, rx);
    margin_right_ = mm_to_px(s.right_mm, rx);
    margin_top_ = mm_to_px(s.top_mm, ry);
    margin_bottom_ = mm_to_px(s.bottom_mm, ry);
    outline_ = s.width_mm < 210 && s.height_mm < 297;
    origin_x_ = 0;
    origin_y_ = 0;
    right_edge_ = origin_x_ + page_w_;
    bottom_edge_ = origin_y_ + page_h_;
    set_up_area();
    line_h_ = target.text_height(QStringLiteral("A"));
    return true;
}

void PageLayout::set_up_area() {
    area_ = QRect(QPoint(origin_x_ + margin_left_, origin_y_ + margin_top_),
                  QPoint(right_edge_ - margin_right_, bottom_edge_ - margin_bottom_));
    line_y_ = area_.top();
    if (outline_) target_->draw_outline(QRect(QPoint(origin_x_, origin_y_), QPoint(right_edge_, bottom_edge_)));
}

void PageLayout::new_page() {
    if (a4_) {
        target_->new_sheet();
    } else {
        origin_x_ += page_w_;
        right_edge_ += page_w_;
        if (right_edge_ > sheet_right_) {
            origin_x_ = 0;
            right_edge_ = page_w_;
            origin_y_ += page_h_;
            bottom_edge_ += page_h_;
            if (bottom_edge_ > sheet_bottom_) {
                target_->new_sheet();
                origin_y_ = 0;
                bottom_edge_ = page_h_;
            }
        }
    }
    set_up_area();
}

void PageLayout::print_line(const QString& text) {
    if (!target_) return;
    if (line_y_ + line_h_ > area_.bottom() || line_y_ + line_h_ > sheet_bottom_) new_page();
    QString t = text;
    t.replace(QLatin1Char('\t'), QStringLiteral("  "));
    target_->draw_text(area_.left(), line_y_, t);
    line_y_ += line_h_;
}

void PageLayout::print_set_font(const QFont& font) {
    if (!target_) return;
    target_->set_font(font);
    line_h_ = target_->text_height(QStringLiteral("A"));
}

void PageLayout::print_end() {
    if (!target_) return;
    target_->end();
    target_ = nullptr;
}

}  // namespace mintor::forms
