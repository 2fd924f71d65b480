#pragma once

#include "dialogs/ScreenDialogValues.h"
#include "dialogs/ui/ValueDialog.h"

#include <array>

class CColorSelectButton;
class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;

// "Add table" (or, from the table window, "Update table"): the size of the table, its borders and
// padding, the header kind, its colours and its summary. Without "Set colors" the colours are the plain
// ones; with "'Old' style borders" the borders are black and the cell border thickness does not apply.
class CDlgInsertTable : public CValueDialog
{
    Q_OBJECT
public:
    explicit CDlgInsertTable(QWidget *parent = nullptr);

    CInsertTableValues values;

    void ShowValues() override;
    void accept() override;

    QLineEdit *RowsBox() const { return m_rows; }
    QLineEdit *ColumnsBox() const { return m_columns; }
    QLineEdit *TableBorderBox() const { return m_tableBorder; }
    QLineEdit *CellBorderBox() const { return m_cellBorder; }
    QLineEdit *PaddingBox() const { return m_padding; }
    QCheckBox *OldStyleBox() const { return m_oldStyle; }
    QCheckBox *SetColoursBox() const { return m_setColours; }
    QRadioButton *HeaderRadio(int kind) const { return m_header[size_t(kind)]; }
    CColorSelectButton *TableBorderColour() const { return m_tableBorderColour; }
    CColorSelectButton *CellBorderColour() const { return m_cellBorderColour; }
    CColorSelectButton *TableBackground() const { return m_tableBackground; }
    CColorSelectButton *HeaderBackground() const { return m_headerBackground; }
    QPlainTextEdit *SummaryBox() const { return m_summary; }

    // The small picture of a header kind above its radio button.
    static QImage HeaderPicture(int kind);

private:
    void ReadChoices(CInsertTableValues &v) const;
    void ShowColours();
    void OnRuleClicked();

    QLineEdit *m_rows;
    QLineEdit *m_columns;
    QLineEdit *m_tableBorder;
    QLineEdit *m_cellBorder;
    QLineEdit *m_padding;
    QCheckBox *m_oldStyle;
    QCheckBox *m_setColours;
    std::array<QRadioButton *, 4> m_header{};
    CColorSelectButton *m_tableBorderColour;
    CColorSelectButton *m_cellBorderColour;
    CColorSelectButton *m_tableBackground;
    CColorSelectButton *m_headerBackground;
    QPlainTextEdit *m_summary;
};
