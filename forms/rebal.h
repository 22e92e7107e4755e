#pragma once
// TFRebal: the period form. It works on copies of From, To and the start-up period type and
// hands them to the core on OK; the "Change From/To dates" menu holds the presets.

#include <QDialog>

#include "core/period.h"

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTimer;

namespace mintor::forms {

class TFRebal : public QDialog {
    Q_OBJECT
public:
    explicit TFRebal(QWidget* parent = nullptr);
    ~TFRebal() override;

    // The core the form works on (the program's core unless another is attached).
    void attach_core(Core* core) { core_ = core; }
    // Takes fresh copies from the core and refreshes the form.
    void take_copies();
    // The copies as they stand.
    const Period& period() const { return period_; }
    int period_type() const { return period_type_; }

    QLabel* FromLbl;
    QLabel* ToLbl;
    QLabel* Label1;
    QLabel* FinYrLbl;
    QPushButton* YrStartBtn;
    QPushButton* Button4;
    QPushButton* okbtn;
    QPushButton* CancelBtn;
    QMenu* PopupMenu1;
    QTimer* Timer1;
    QAction* RollingYear1;
    QAction* YearSoFar1;
    QAction* AutoRefresh1;
    QAction* From1;
    QAction* To1;
    QAction* MonthFrom1;
    QAction* MonthTo1;
    QAction* QuarterFrom1;
    QAction* QuarterTo1;
    QAction* YearFrom1;
    QAction* YearTo1;
    QAction* FinYear1;
    QAction* IncYear1;
    QAction* DecYear1;
    QAction* All1;

    void okbtnClick();
    void YrStartBtnClick();

protected:
    void showEvent(QShowEvent* e) override;

private:
    void refresh();
    void set_copies(const Period& p);
    void span(bool from_end, int months);
    void auto_refresh_toggled(bool checked);
    void financial_year_click();
    Core* core() const;
    Core* core_ = nullptr;
    Period period_;
    int period_type_ = 0;
};

extern TFRebal* FRebal;

}  // namespace mintor::forms
