#pragma once
// TFCtrl: the main control form. The database panel (name, location, version, start and end
// dates), the period panel, the status panel with "Rebalance now", the main menu, the
// accounts pop-up and the recent-database menu; Esc, minimise and exit; the start-of-database
// timer and the day-change timer.

#include <QMainWindow>
#include <QPoint>
#include <array>
#include <functional>

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTimer;

namespace mintor {
class Core;
}

namespace mintor::forms {

class ClickLabel;

class TFCtrl : public QMainWindow {
    Q_OBJECT
public:
    // Opens FORMS.INI in the program folder and restores the form's geometry.
    explicit TFCtrl(const QString& program_folder, QWidget* parent = nullptr);
    ~TFCtrl() override;

    // The core whose state the form shows and works on (null: no ledger core yet).
    void attach_core(Core* core);
    Core* core() const { return core_; }
    // Copies the core's view into the widgets.
    void refresh_view();

    // Object type of the accounts pop-up: 1 external, 6 internal, 4 counterparties.
    int seltype() const { return seltype_; }
    bool minimising() const { return minimising_; }

    // Closes the secondary forms before a database exchange.
    void close_other_forms();
    // Opens the ledger at path in place of the open one (the recent-database items).
    void change_database(const QString& path);
    // The start-of-database tasks (Timer1's tick).
    void Timer1Timer();
    // Refreshes the captions of the menus as their opening does.
    void DatabaseMenuPopup();
    void ToolsMenuPopup();
    void PopupMenu1Popup();

    // Database panel
    QFrame* Panel1;
    QLineEdit* dbnamebx;
    QPushButton* Button2;
    QLabel* dblbl;
    QLabel* dbvnlbl;
    ClickLabel* dbstartlbl1;
    QLabel* dbstartlbl2;
    ClickLabel* dbendlbl1;
    QLabel* dbendlbl2;
    // Period panel
    QFrame* Panel2;
    QLabel* FromLbl;
    QLabel* ToLbl;
    QPushButton* Button1;
    // Status panel
    QLabel* Panel3;
    QPushButton* rebalbtn;
    QPushButton* Cancelbtn;

    QTimer* Timer1;
    QTimer* Timer2;

    // Menus
    QMenu* Close1;
    QMenu* Transactions1;
    QMenu* Database1;
    QMenu* Tools1;
    QMenu* Debug1;
    QMenu* FlashMenu;
    QMenu* Options1;
    QMenu* PopupMenu1;
    std::array<QAction*, 10> dbfn{};
    QAction* Thisdb1;
    QAction* Browse1;
    QAction* Freeze1;
    QAction* Lastmessage1;
    QAction* Interval1;
    QAction* Trace1;
    QAction* Washmnu;
    QAction* Simclick1;
    QAction* Esctominimize1;
    QAction* Esctoclose1;
    // Accounts pop-up
    QAction* External1;
    QAction* Internal1;
    QAction* Counterparties1;
    QAction* currency1;
    QAction* select1;
    QAction* balancesmovements1;
    QAction* MenuItem2;
    QAction* MenuItem3;
    QAction* values1;
    QAction* frzbefore;

signals:
    // After a database exchange from the Database menu: whether the new ledger opened.
    void database_changed(bool ok);

protected:
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void build_panels();
    void build_menus();
    void build_popup();
    QAction* item(QMenu* menu, const char* name, const QString& caption);
    void hook(QAction* a, const QString& what, std::function<void()> run);
    void CancelbtnClick();
    void Button1Click();
    void Button2Click();
    void rebalbtnClick();
    void dbfnClick(int slot);
    void BrowseClick();
    void FreezeClick();
    void LastinputClick();
    void NewTxnClick();
    void SimclickClick();
    void WashClick();
    void TraceClick();
    void frzbeforeClick();
    void SeekAccountClick();
    void HierarchyClick(int type);
    void CurrencyClick();
    bool warn_rebalance_outstanding();
    void popup_again();
    void Timer2Timer();
    void bring_reminders_front();

    Core* core_ = nullptr;
    int seltype_ = 1;
    QPoint popup_anchor_;
    bool minimising_ = false;
    bool closed_ = false;
};

extern TFCtrl* FCtrl;

}  // namespace mintor::forms
