#pragma once

#include <QDialog>

#include <vector>

class CCorvessaDoc;
class CDropDownListCtrl;
class CFileDialogs;
class QLineEdit;
class QPushButton;

// What the two content-library dialogs share: the library path with "Browse...", a list of rows with a
// depth column and a check column, "Select all" and "Select none", the library description and the
// confirming button. Ticking a row ticks the rows of its subtree; the confirming button is enabled while
// a row is ticked and, where the dialog needs one, a library path is set.
class CDlgLibraryList : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kDepthColumn = 2;
    static constexpr int kCheckColumn = 5;
    static const QString kLibraryFilter;

    QLineEdit *PathEdit() const { return m_path; }
    QPushButton *BrowseButton() const { return m_browse; }
    CDropDownListCtrl *List() const { return m_list; }
    QPushButton *SelectAllButton() const { return m_selectAll; }
    QPushButton *SelectNoneButton() const { return m_selectNone; }
    QLineEdit *DescriptionEdit() const { return m_description; }
    QPushButton *OkButton() const { return m_ok; }
    bool IsRowTicked(int row) const;

protected:
    struct Column {
        const char *title;
        int width;
    };
    CDlgLibraryList(CCorvessaDoc &document, QWidget *parent, CFileDialogs *dialogs, const QString &caption,
                    const QString &pathLabel, const QString &listLabel, const QString &okText,
                    const std::vector<Column> &columns);

    // Ticks the subtrees of the ticked rows from startRow on.
    void PropagateTicks(int startRow);
    bool AnyTicked() const;
    void SetAllTicks(bool ticked);
    void UpdateOkButton();
    // Whether the dialog may be confirmed at all (the save dialog needs a library path).
    virtual bool CanConfirm() const { return true; }
    CFileDialogs &FileDialogs() const;

    CCorvessaDoc &m_document;
    CFileDialogs *m_dialogs;
    QLineEdit *m_path;
    QPushButton *m_browse;
    CDropDownListCtrl *m_list;
    QPushButton *m_selectAll;
    QPushButton *m_selectNone;
    QLineEdit *m_description;
    QPushButton *m_ok;
    bool m_ticking = false;
};
