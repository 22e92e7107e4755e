#pragma once
// TFCal: the calendar. Its Calendar page picks a date (year and month steps, a month grid
// that follows the Julian-Gregorian change, a date edit box); its Options page moves the
// change dates for the rest of the run.

#include <QDialog>

#include "qwellib/dates.h"

class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QFrame;
class QGroupBox;

namespace mintor::forms {

class TFCal : public QDialog {
    Q_OBJECT
public:
    explicit TFCal(QWidget* parent = nullptr);
    ~TFCal() override;

    // Shows the calendar modally at date (today when it is not plausible); true and the
    // chosen date on OK.
    bool run_calendar(qwel::Date& date);
    // The dialog contract: captioned caption (" Calendar" when blank) for the one call.
    bool ask_date(const QString& caption, qwel::Date& date);
    // The date buttons of the forms: start at the edit's date; on OK the edit gets the
    // calendar's date text (or the plain yyyy-mm-dd).
    bool pick_date_into_edit(QLineEdit* edit);
    bool pick_plain_date_into_edit(QLineEdit* edit);

    // The calendar's current date and the grid as it stands (for the form's own use and tests).
    qwel::Date current() const { return cur_; }
    void set_current(qwel::Date d);
    QString cell_text(int row, int col) const;

    QTabWidget* PageControl1;
    QWidget* TabSheet1;
    QWidget* TabSheet2;
    QPushButton* PrevYearBtn;
    QPushButton* YearBtn;
    QPushButton* NextYearBtn;
    QFrame* MonthPnl;
    QPushButton* PrevMonthBtn;
    QPushButton* MonthBtn;
    QPushButton* NextMonthBtn;
    QMenu* MonthMenu;
    QTableWidget* StringGrid1;
    QLineEdit* DateEdit;
    QPushButton* TodayBtn;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QGroupBox* GroupBox1;
    QLineEdit* JulianEdit;
    QLineEdit* GregorianEdit;
    QPushButton* DefaultsBtn;
    QMenu* DefaultsMenu;
    QPushButton* OptOKBtn;
    QPushButton* OptCancelBtn;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void build_calendar_page();
    void build_options_page();
    void refresh();
    void fill_grid();
    void YearBtnClick();
    void OKBtnClick();
    void TodayBtnClick();
    void grid_click(int row, int col, bool dbl);
    void OptOKBtnClick();
    void show_options();
    bool one_click() const;

    qwel::Date cur_;
    bool filling_ = false;
    int month_days_[12] = {};
};

extern TFCal* FCal;

}  // namespace mintor::forms
