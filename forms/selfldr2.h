#pragma once
// TFselfldr2: the folder picker. A folder tree from the root of the file system and, beside
// it, the plain files of the folder selected in the tree; "Select folder", "New folder",
// "Cancel".

#include <QDialog>

class QFileSystemModel;
class QListView;
class QPushButton;
class QTreeView;

namespace mintor::forms {

class TFselfldr2 : public QDialog {
    Q_OBJECT
public:
    explicit TFselfldr2(QWidget* parent = nullptr);
    ~TFselfldr2() override;

    // Captioned title ("Select folder" when empty), starting at folder when it exists.
    // True and the chosen folder (with a trailing "/") on "Select folder".
    bool pick(const QString& title, QString& folder);
    // The folder selected in the tree, with a trailing "/".
    QString shown_folder() const;
    void select_folder(const QString& path);

    QTreeView* TreeView1;
    QListView* FileList1;
    QPushButton* SelectBtn;
    QPushButton* NewFolderBtn;
    QPushButton* CancelBtn;

private:
    void NewFolderBtnClick();
    QFileSystemModel* dirs_;
    QFileSystemModel* files_;
};

extern TFselfldr2* FSelfldr2;

}  // namespace mintor::forms
