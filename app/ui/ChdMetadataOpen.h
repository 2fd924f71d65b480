#pragma once

#include <QWidget>

#include <array>
#include <cstdint>
#include <vector>

class CCorvessaDoc;
class CCourseSettings;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QToolButton;

// The unfolded LOM panel of the General page: the learning-object metadata a course package carries for a
// learning management system. Each field writes through to the document as the author changes it.
class CChdMetadataOpen : public QWidget
{
    Q_OBJECT
public:
    // The four lists, in the order of their last-written indexes.
    enum List { Language, Status, Purpose, ResourceType, ListCount };

    explicit CChdMetadataOpen(CCorvessaDoc &document, QWidget *parent = nullptr);

    void ResetToDefaults();
    void RefreshFromDocument();

    QToolButton *Arrow() const { return m_arrow; }
    QComboBox *Combo(List list) const { return m_combos[size_t(list)]; }
    // A one-line text field by the label beside it ("Catalog", "Email", "Item title", ...); null for none.
    QLineEdit *Field(const QString &label) const;
    QPlainTextEdit *Keywords() const { return m_keywords; }
    QPlainTextEdit *Rights() const { return m_rights; }
    QCheckBox *Cost() const { return m_cost; }
    QCheckBox *Copyright() const { return m_copyright; }

signals:
    void closeRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct LineField
    {
        const char *label;
        QString CCourseSettings::*setting;
        QLineEdit *edit = nullptr;
    };
    struct LongField
    {
        QPlainTextEdit *edit;
        QString CCourseSettings::*setting;
        QString shown; // what the edit held after the last accepted change
    };

    void BuildControls();
    void OnLongTextChanged(LongField &field);
    void OnComboChosen(List list, int index);
    void OnCheckClicked(int32_t CCourseSettings::*setting, bool checked);

    CCorvessaDoc &m_document;
    QToolButton *m_arrow = nullptr;
    std::vector<LineField> m_lines;
    QPlainTextEdit *m_keywords = nullptr;
    QPlainTextEdit *m_rights = nullptr;
    std::array<LongField, 2> m_long{};
    QCheckBox *m_cost = nullptr;
    QCheckBox *m_copyright = nullptr;
    std::array<QComboBox *, ListCount> m_combos{};
    std::array<int, ListCount> m_lastWritten{};
};
