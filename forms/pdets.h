#pragma once
// TFpdets: the posting details window (silver): every field of one posting, shown not modally.

#include <QDialog>
#include <vector>

#include "core/records.h"

class QLabel;
class QMenuBar;
class QPushButton;

namespace mintor {
class Core;
}

namespace mintor::forms {

class TFpdets : public QDialog {
    Q_OBJECT
public:
    explicit TFpdets(QWidget* parent = nullptr);
    ~TFpdets() override;

    // Fills the window from the posting and shows it.
    void show_posting(const TPstg& p);
    // The value shown beside a caption ("Transaction", "Account", ...); empty when unknown.
    QString value_of(const QString& caption) const;

    QPushButton* OKBtn;
    QMenuBar* MainMenu1;

private:
    struct Row {
        QString caption;
        QLabel* value;
    };
    std::vector<Row> rows_;
};

extern TFpdets* FPdets;

// Reads posting (txnid, objid) and shows it; nothing happens when there is none.
void show_posting_details(Core& core, int txnid, int objid);
// The long name of a transaction type letter ("unknown!" for any other letter).
QString txn_type_long_name(QChar letter);

}  // namespace mintor::forms
