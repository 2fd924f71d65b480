#pragma once

#include "dialogs/LibraryPicker.h"
#include "dialogs/ui/ValueDialog.h"

#include <array>
#include <optional>

class CCorvContext;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QVBoxLayout;
class QRadioButton;

// A picture the author chose from the graphics library.
struct SLibraryPicture {
    QString fileName; // as the library's index names it
    QString path;     // where it lies in the library
    QString altText;
    int size = 1;        // 0 small, 1 medium, 2 large
    int border = 0;      // 1: a border is drawn into a JPEG picture
    int borderStyle = 0; // 0 black, 1 bevelled
};

// The graphics-library picker: keywords, kinds of picture and a category; "Search" lists the pictures found
// as thumbnails; the author picks one, a border and a size. It searches the index start-up loaded (the
// context's), and neither reads nor changes the project's list of used pictures. After OK the values hold
// the chosen file name, the alternative text, the size and the border.
class CDlgGraphicFromLib : public CValueDialog
{
    Q_OBJECT
public:
    CLibraryPickerValues values;

    void ShowValues() override;
    void accept() override;

    // Lists the pictures of the keywords, kinds and category in the boxes (the keywords lowered in the
    // values). Without a keyword the list is only emptied.
    void Search();
    // Rows a search lists at most.
    int Limit() const { return m_limit; }

    QLineEdit *KeywordBox(int i) const { return m_keywords[size_t(i)]; }
    QPushButton *SearchButton() const { return m_search; }
    // 0 colour photos, 1 b/w photos, 2 photo objects, 3 clip art.
    QCheckBox *KindBox(int i) const { return m_kinds[size_t(i)]; }
    QComboBox *CategoryList() const { return m_category; }
    QListWidget *ResultList() const { return m_results; }
    QLineEdit *CountBox() const { return m_count; }
    QCheckBox *BorderBox() const { return m_border; }
    QRadioButton *BlackRadio() const { return m_black; }
    QRadioButton *BevelledRadio() const { return m_bevelled; }
    // 0 small, 1 medium, 2 large.
    QRadioButton *SizeRadio(int i) const { return m_sizes[size_t(i)]; }
    QPushButton *ConfirmButton() const { return m_confirm; }

    // The small pictures beside "Black" and "Bevelled": a picture in a black frame, a bevelled picture.
    static QImage BorderSample(int bevelled);

protected:
    CDlgGraphicFromLib(const CCorvContext &context, bool replace, QWidget *parent);
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void BuildSearchRows(QVBoxLayout *layout);
    void BuildResults(QVBoxLayout *layout);
    void BuildChoices(QVBoxLayout *layout);
    QPushButton *BuildButtons(QVBoxLayout *layout, bool replace);
    void ReadControls(CLibraryPickerValues &v) const;
    void ShowBorderChoice();
    void ShowSelection();

    const CCorvContext &m_context;
    int m_limit;
    std::array<QLineEdit *, 3> m_keywords{};
    QPushButton *m_search;
    std::array<QCheckBox *, 4> m_kinds{};
    QComboBox *m_category;
    QListWidget *m_results;
    QLineEdit *m_count;
    QCheckBox *m_border;
    QRadioButton *m_black;
    QRadioButton *m_bevelled;
    std::array<QRadioButton *, 3> m_sizes{};
    QPushButton *m_confirm;
};

// "Add graphic from library": lists up to 100 pictures; "Insert" confirms.
class CDlgInsertGraphicFromLib : public CDlgGraphicFromLib
{
    Q_OBJECT
public:
    explicit CDlgInsertGraphicFromLib(const CCorvContext &context, QWidget *parent = nullptr)
        : CDlgGraphicFromLib(context, false, parent)
    {
    }
};

// "Replace graphic from library": lists up to 500 pictures; "Update" confirms.
class CDlgUpdateGraphicFromLib : public CDlgGraphicFromLib
{
    Q_OBJECT
public:
    explicit CDlgUpdateGraphicFromLib(const CCorvContext &context, QWidget *parent = nullptr)
        : CDlgGraphicFromLib(context, true, parent)
    {
    }
};

// Runs the add (replace false) or replace picker; the chosen picture with its path in the library, or
// nothing when the author cancels or the picture is not in the library's folders. Messages go to the
// context's prompt.
std::optional<SLibraryPicture> PickGraphicFromLibrary(QWidget *parent, const CCorvContext &context, bool replace);
