#pragma once

#include "dialogs/PictureDialogValues.h"
#include "dialogs/ui/ValueDialog.h"

#include <QStringList>

class CImageStatic;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

// "Add graphic from file", "Replace graphic from file" and the topic buttons' "Replace graphic from file":
// a picture file with its preview and, for pictures on a screen, the alternate text and a size class. The
// picture dialogs always open on "Medium"; OK takes the size class from the radios.
class CDlgPictureFile : public CValueDialog
{
    Q_OBJECT
public:
    SPictureFileValues values;

    void ShowValues() override;
    void accept() override;

    QLineEdit *PathEdit() const { return m_path; }
    QPushButton *BrowseButton() const { return m_browse; }
    CImageStatic *Preview() const { return m_preview; }
    QLineEdit *AltTextEdit() const { return m_altText; }
    // Small, Medium, Large; null in the dialog without sizes.
    QRadioButton *SizeRadio(int sizeClass) const;

    // Shows the picture at path in the preview; a picture that does not load leaves the preview as it was.
    bool LoadPreview(const QString &path);
    void OnBrowse();

protected:
    // withPictureValues: the alternate text and the size radios; checkPicture: OK needs a picture that loads.
    CDlgPictureFile(const QString &objectName, const QString &caption, bool withPictureValues, bool checkPicture,
                    QWidget *parent);

private:
    void ShowPreviewOnOpen();

    bool m_withPictureValues;
    bool m_checkPicture;
    QLineEdit *m_path = nullptr;
    QPushButton *m_browse = nullptr;
    CImageStatic *m_preview = nullptr;
    QLineEdit *m_altText = nullptr;
    QRadioButton *m_sizes[3] = {};
};

// A new picture on the screen being edited.
class CDlgInsertImage : public CDlgPictureFile
{
    Q_OBJECT
public:
    explicit CDlgInsertImage(QWidget *parent = nullptr);
};

// Another picture for a picture on the screen; the preset picture shows in the preview as the dialog opens.
class CDlgUpdateImage : public CDlgPictureFile
{
    Q_OBJECT
public:
    explicit CDlgUpdateImage(QWidget *parent = nullptr);
};

// Another picture for a topic button: the path only.
class CDlgUpdateGraphicFromFile1 : public CDlgPictureFile
{
    Q_OBJECT
public:
    explicit CDlgUpdateGraphicFromFile1(QWidget *parent = nullptr);
};

// One text of a picture: "Alt text" and "Keywords".
class CDlgPictureText : public CValueDialog
{
    Q_OBJECT
public:
    QString text;

    void ShowValues() override;
    void accept() override;
    QLineEdit *TextEdit() const { return m_text; }

protected:
    CDlgPictureText(const QString &objectName, const QString &caption, const QString &label, QWidget *parent);
    QLineEdit *m_text;
};

class CDlgAltText : public CDlgPictureText
{
    Q_OBJECT
public:
    explicit CDlgAltText(QWidget *parent = nullptr);
};

// The label asks for "Update": that button takes the keywords as OK does.
class CDlgKeywords : public CDlgPictureText
{
    Q_OBJECT
public:
    explicit CDlgKeywords(QWidget *parent = nullptr);
    QPushButton *UpdateButton() const { return m_update; }

private:
    QPushButton *m_update;
};

// "Set priorities": which graphics-library categories are preferred, in order.
class CDlgSetCategoriesPriority : public CValueDialog
{
    Q_OBJECT
public:
    explicit CDlgSetCategoriesPriority(QWidget *parent = nullptr);

    QStringList available;
    QStringList selected;

    void ShowValues() override;
    void accept() override;

    QListWidget *AvailableList() const { return m_available; }
    QListWidget *SelectedList() const { return m_selected; }
    QPushButton *AddButton() const { return m_add; }
    QPushButton *RemoveButton() const { return m_remove; }
    QPushButton *MoveUpButton() const { return m_up; }
    QPushButton *MoveDownButton() const { return m_down; }

    void OnAdd();
    void OnRemove();
    void OnMoveUp();
    void OnMoveDown();

    // Runs the dialog over the two lists; true on OK, with the author's lists in them.
    static bool Run(QStringList &available, QStringList &prioritised, QWidget *parent);

private:
    void Show(int availableRow, int selectedRow);

    CCategoryPriorityLists m_lists;
    QListWidget *m_available;
    QListWidget *m_selected;
    QPushButton *m_add;
    QPushButton *m_remove;
    QPushButton *m_up;
    QPushButton *m_down;
};
