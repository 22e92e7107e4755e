#include "forms/selfldr2.h"

#include <QDir>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QListView>
#include <QPushButton>
#include <QSplitter>
#include <QTreeView>
#include <QVBoxLayout>

#include "qwellib/dialogs.h"
#include "qwellib/text.h"

namespace mintor::forms {

TFselfldr2* FSelfldr2 = nullptr;

TFselfldr2::TFselfldr2(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FSelfldr2"));
    setWindowTitle(QStringLiteral("Select folder"));
    resize(640, 420);
    auto* v = new QVBoxLayout(this);
    auto* split = new QSplitter(this);
    v->addWidget(split, 1);

    dirs_ = new QFileSystemModel(this);
    dirs_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Hidden);
    dirs_->setRootPath(QStringLiteral("/"));
    TreeView1 = new QTreeView(split);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setModel(dirs_);
    TreeView1->setRootIndex(dirs_->index(QStringLiteral("/")));
    dirs_->sort(0, Qt::AscendingOrder);
    for (int c = 1; c < dirs_->columnCount(); ++c) TreeView1->hideColumn(c);
    TreeView1->header()->hide();

    files_ = new QFileSystemModel(this);
    files_->setFilter(QDir::Files);
    files_->sort(0, Qt::AscendingOrder);
    FileList1 = new QListView(split);
    FileList1->setObjectName(QStringLiteral("FileList1"));
    FileList1->setModel(files_);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 1);

    auto* row = new QHBoxLayout;
    SelectBtn = new QPushButton(QStringLiteral("Select folder"), this);
    SelectBtn->setObjectName(QStringLiteral("SelectBtn"));
    SelectBtn->setDefault(true);
    NewFolderBtn = new QPushButton(QStringLiteral("New folder"), this);
    NewFolderBtn->setObjectName(QStringLiteral("NewFolderBtn"));
    NewFolderBtn->setAutoDefault(false);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setAutoDefault(false);
    row->addWidget(SelectBtn);
    row->addWidget(NewFolderBtn);
    row->addStretch(1);
    row->addWidget(CancelBtn);
    v->addLayout(row);

    connect(TreeView1->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
        const QString path = shown_folder();
        files_->setRootPath(path);
        FileList1->setRootIndex(files_->index(path));
    });
    connect(SelectBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(NewFolderBtn, &QPushButton::clicked, this, &TFselfldr2::NewFolderBtnClick);
    if (!FSelfldr2) FSelfldr2 = this;
}

TFselfldr2::~TFselfldr2() {
    if (FSelfldr2 == this) FSelfldr2 = nullptr;
}

QString TFselfldr2::shown_folder() const {
    QModelIndex i = TreeView1->currentIndex();
    QString p = i.isValid() ? dirs_->filePath(i) : QStringLiteral("/");
    if (!p.endsWith(QLatin1Char('/'))) p += QLatin1Char('/');
    return p;
}

void TFselfldr2::select_folder(const QString& path) {
    QString p = QDir::cleanPath(path);
    QModelIndex i = dirs_->index(p);
    if (!i.isValid()) return;
    TreeView1->setCurrentIndex(i);
    TreeView1->scrollTo(i);
    TreeView1->expand(i);
}

bool TFselfldr2::pick(const QString& title, QString& folder) {
    setWindowTitle(title.isEmpty() ? QStringLiteral("Select folder") : title);
    if (!folder.isEmpty() && QDir(folder).exists()) select_folder(folder);
    if (exec() != QDialog::Accepted) return false;
    folder = shown_folder();
    qwel::set_folder_title(QString());
    return true;
}

void TFselfldr2::NewFolderBtnClick() {
    QString name;
    if (!qwel::ask_text(QStringLiteral("New folder name"), name)) return;
    const QString path = shown_folder() + name;
    if (!qwel::ask_ok(QStringLiteral("Create folder ") + qwel::dquote(path))) return;
    if (!QDir().mkdir(path)) {
        qwel::show_msg(QStringLiteral("Create folder ") + qwel::dquote(path) + QStringLiteral(" failed"));
        return;
    }
    select_folder(shown_folder());
}

}  // namespace mintor::forms
