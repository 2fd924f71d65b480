#pragma once

#include "dialogs/LinkDialogs.h"

#include <QDialog>

#include <functional>

class CCorvessaDoc;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

// "Add link": the target of a new hyperlink (a screen, a web address or JavaScript). Values and rules live
// in CAddLinkValues; the caller presets values.selectedText, runs the dialog and reads values after OK.
class CDlgAddLink : public QDialog
{
    Q_OBJECT
public:
    CDlgAddLink(CCorvessaDoc &document, QWidget *parent = nullptr);

    CAddLinkValues values;
    // The navigator's captions of the screens; the default counts them in their lists.
    CAddLinkValues::CaptionFunction caption;
    // Makes a glossary item with the term (asking the author for it): true when a glossary screen was added.
    std::function<bool(const QString &term)> createGlossaryItem;

    int exec() override;
    void accept() override;
    // Shows the values (the dialog opening).
    void ShowValues();

    QRadioButton *ScreenRadio() const { return m_screenRadio; }
    QRadioButton *UrlRadio() const { return m_urlRadio; }
    QRadioButton *ScriptRadio() const { return m_scriptRadio; }
    QComboBox *ShowCombo() const { return m_show; }
    QComboBox *ScreenCombo() const { return m_screens; }
    QCheckBox *PopupCheck() const { return m_popup; }
    QRadioButton *MaximumRadio() const { return m_maximum; }
    QRadioButton *CustomRadio() const { return m_custom; }
    QSpinBox *WidthSpin() const { return m_width; }
    QSpinBox *HeightSpin() const { return m_height; }
    QLineEdit *AddressEdit() const { return m_address; }
    QLineEdit *ScriptEdit() const { return m_script; }
    QPushButton *OkButton() const;

private:
    void FillScreenList();
    void UpdateEnabling();
    void OnModeChanged();
    void OnShowChanged(int index);
    void OnScreenChosen(int index);

    CCorvessaDoc &m_document;
    bool m_updating = false;
    QRadioButton *m_screenRadio;
    QRadioButton *m_urlRadio;
    QRadioButton *m_scriptRadio;
    QComboBox *m_show;
    QComboBox *m_screens;
    QCheckBox *m_popup;
    QRadioButton *m_maximum;
    QRadioButton *m_custom;
    QSpinBox *m_width;
    QSpinBox *m_height;
    QLineEdit *m_address;
    QLineEdit *m_script;
    QDialogButtonBox *m_buttons;
};

// "Replace link text": the one text of a link component.
class CDlgUpdateLinkText : public QDialog
{
    Q_OBJECT
public:
    explicit CDlgUpdateLinkText(QWidget *parent = nullptr);
    QString text;
    int exec() override;
    void accept() override;
    QLineEdit *TextEdit() const { return m_edit; }

private:
    QLineEdit *m_edit;
};
