#pragma once

#include "dialogs/MatchPairsValues.h"
#include "dialogs/ui/ValueDialog.h"

#include <array>

class CCorvContext;
class CImageStatic;
class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// "Match the pairs": the question, five pairs whose sides each have a text box, a 40 x 40 thumbnail of its
// picture and "Add" and "Del" buttons for the picture, the roll-over zoom choice and the two feedback texts.
class CDlgQuestionMatchPairs : public CValueDialog
{
    Q_OBJECT
public:
    static constexpr int kSides = 2 * CMatchPairsValues::kPairs;

    explicit CDlgQuestionMatchPairs(QWidget *parent = nullptr);

    CMatchPairsValues values;
    // The graphics library photo objects take their masks from; none: no masks.
    const CCorvContext *context = nullptr;

    void ShowValues() override;
    void accept() override;
    // Side 0 to 4 is 1a to 5a, 5 to 9 is 1b to 5b.
    void OnAdd(int side);
    void OnDel(int side);

    QPlainTextEdit *QuestionBox() const { return m_question; }
    QLineEdit *SideBox(int side) const { return m_texts[size_t(side)]; }
    CImageStatic *Thumbnail(int side) const { return m_thumbnails[size_t(side)]; }
    QPushButton *AddButton(int side) const { return m_add[size_t(side)]; }
    QPushButton *DelButton(int side) const { return m_del[size_t(side)]; }
    QCheckBox *ZoomBox() const { return m_zoom; }
    QPlainTextEdit *CorrectFeedbackBox() const { return m_correct; }
    QPlainTextEdit *WrongFeedbackBox() const { return m_wrong; }

private:
    QString &PictureOf(CMatchPairsValues &v, int side) const;
    void ShowThumbnail(int side);
    void ReadTexts(CMatchPairsValues &v) const;

    // The pictures chosen since the dialog opened; the values take them on OK.
    std::array<QString, kSides> m_pictures;
    QPlainTextEdit *m_question;
    std::array<QLineEdit *, kSides> m_texts{};
    std::array<CImageStatic *, kSides> m_thumbnails{};
    std::array<QPushButton *, kSides> m_add{};
    std::array<QPushButton *, kSides> m_del{};
    QCheckBox *m_zoom;
    QPlainTextEdit *m_correct;
    QPlainTextEdit *m_wrong;
};
