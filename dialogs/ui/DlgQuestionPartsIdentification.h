#pragma once

#include "dialogs/PartIdentificationValues.h"
#include "dialogs/ui/ValueDialog.h"

class CColorSelectButton;
class CPartTargetsView;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// "Part identification": the picture with the targets the learner must find, the question, the picture
// file, how many targets there are and how many must be found, "reduce to fit", the highlight colour and
// the two feedback texts. Only the question and feedback boxes follow the course's right-to-left setting;
// the picture area is never mirrored.
class CDlgQuestionPartsIdentification : public CValueDialog
{
    Q_OBJECT
public:
    explicit CDlgQuestionPartsIdentification(QWidget *parent = nullptr);

    CPartIdentificationValues values;

    int exec() override;
    void ShowValues() override;
    void accept() override;
    void OnBrowse();

    CPartTargetsView *PictureArea() const { return m_area; }
    QPlainTextEdit *QuestionBox() const { return m_question; }
    QLineEdit *PictureBox() const { return m_file; }
    QPushButton *BrowseButton() const { return m_browse; }
    QComboBox *TargetsList() const { return m_targets; }
    QComboBox *ToMatchList() const { return m_toMatch; }
    QCheckBox *ReduceBox() const { return m_reduce; }
    CColorSelectButton *HighlightButton() const { return m_highlight; }
    QPlainTextEdit *CorrectFeedbackBox() const { return m_correct; }
    QPlainTextEdit *WrongFeedbackBox() const { return m_wrong; }

    // The picture of a file as the area shows it; a null image when it does not load.
    static QImage LoadPicture(const QString &file);

private:
    QPlainTextEdit *m_question;
    CPartTargetsView *m_area;
    QLineEdit *m_file;
    QPushButton *m_browse;
    QComboBox *m_targets;
    QComboBox *m_toMatch;
    QCheckBox *m_reduce;
    CColorSelectButton *m_highlight;
    QPlainTextEdit *m_correct;
    QPlainTextEdit *m_wrong;
};
