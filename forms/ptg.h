#pragma once
// TFPtg: the print dialog: page size and margins in millimetres, the printer setup, and
// "Print" or "Cancel". It owns the printer the program prints on.

#include <QDialog>

#include "forms/pagelayout.h"

class QDoubleSpinBox;
class QPrinter;
class QPushButton;

namespace mintor::forms {

class TFPtg : public QDialog {
    Q_OBJECT
public:
    explicit TFPtg(QWidget* parent = nullptr);
    ~TFPtg() override;

    PageSettings settings() const;
    void set_settings(const PageSettings& s);
    QPrinter* printer() const { return printer_; }

    QDoubleSpinBox* WidthEdit;
    QDoubleSpinBox* HeightEdit;
    QDoubleSpinBox* TopEdit;
    QDoubleSpinBox* BottomEdit;
    QDoubleSpinBox* LeftEdit;
    QDoubleSpinBox* RightEdit;
    QPushButton* A4Btn;
    QPushButton* SetupBtn;
    QPushButton* PrintBtn;
    QPushButton* CancelBtn;

private:
    QPrinter* printer_;
};

extern TFPtg* FPtg;

}  // namespace mintor::forms
