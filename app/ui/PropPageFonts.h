#pragma once

#include "app/ui/SettingsPage.h"

class CColorSelectButton;
class CFontComboBox;
class QCheckBox;
class QComboBox;
class QLabel;

// One tab of the Fonts page: the face, size, weight, colour and fallback families of one text style (the
// slot of every font setting). Only the main-body tab shows the import check; outline and glossary have no
// colour, glossary no weight.
class CPropPageFonts : public CSettingsPage
{
    Q_OBJECT
public:
    CPropPageFonts(CCorvessaDoc &document, int style, QWidget *parent = nullptr);

    int Style() const { return m_style; }
    void ResetToDefaults() override;
    void RefreshFromDocument() override;

    CFontComboBox *FaceBox() const { return m_face; }
    QComboBox *SizeBox() const { return m_size; }
    QComboBox *WeightBox() const { return m_weight; }
    QComboBox *FamilyBox() const { return m_family; }
    CColorSelectButton *ColourButton() const { return m_colour; }
    QCheckBox *ImportCheck() const { return m_import; }
    QLabel *Sample() const { return m_sample; }
    QLabel *Note() const { return m_note; }

private:
    void BuildControls();
    void UpdateSample();
    void OnFaceChosen(int index);
    void OnSizeChosen(int index);
    void OnWeightChosen(int index);
    void OnFamilyChosen(int index);
    void OnColourClicked();
    void OnImportClicked(bool checked);
    void StoreIfDifferent(QString &setting, const QString &text);

    const int m_style;
    QCheckBox *m_import = nullptr;
    CFontComboBox *m_face = nullptr;
    QComboBox *m_size = nullptr;
    QLabel *m_weightLabel = nullptr;
    QComboBox *m_weight = nullptr;
    QLabel *m_colourLabel = nullptr;
    CColorSelectButton *m_colour = nullptr;
    QLabel *m_sample = nullptr;
    QComboBox *m_family = nullptr;
    QLabel *m_note = nullptr;
};
