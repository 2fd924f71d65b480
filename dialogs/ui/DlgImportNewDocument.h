#pragma once

#include "dialogs/ScreenDialogValues.h"
#include "dialogs/ui/ValueDialog.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// "Import new document": a Word or PowerPoint document to import after the current screen, into a new
// topic (menu-based courses) or into the glossary only. OK is offered only where the document can land.
class CDlgImportNewDocument : public CValueDialog
{
    Q_OBJECT
public:
    explicit CDlgImportNewDocument(QWidget *parent = nullptr);

    CImportNewDocumentValues values;

    void ShowValues() override;
    void accept() override;
    void OnBrowse();

    QLineEdit *PathBox() const { return m_path; }
    QPushButton *BrowseButton() const { return m_browse; }
    QCheckBox *GlossaryBox() const { return m_glossary; }
    QCheckBox *CreateTopicBox() const { return m_createTopic; }
    QLineEdit *TitleBox() const { return m_title; }
    QLineEdit *BannerBox() const { return m_banner; }
    QPushButton *OkButton() const { return m_ok; }

private:
    void Read(CImportNewDocumentValues &v) const;
    void UpdateControls();

    QLineEdit *m_path;
    QPushButton *m_browse;
    QCheckBox *m_glossary;
    QCheckBox *m_createTopic;
    QLabel *m_titleLabel;
    QLineEdit *m_title;
    QLabel *m_bannerLabel;
    QLineEdit *m_banner;
    QPushButton *m_ok;
};
