#pragma once

#include "model/ComponentBase.h"

// What a button keeps: copied whole by Clone, and what its window and dialogs exchange.
struct SButtonValues {
    QString m_fontFace;
    int m_fontSize = 0;
    QString m_caption;
};

// A captioned button, placed on the assessment screens that report a result.
class CComponentButton : public CComponentBase, private SButtonValues
{
public:
    explicit CComponentButton(CEditCanvas *parent = nullptr);

    using Values = SButtonValues;
    const Values &GetValues() const { return *this; }
    // Takes every value and shows them in the window.
    void SetValues(const Values &values);

    void SetText(const QString &caption);
    const QString &GetText() const { return m_caption; }
    // The window draws the caption in this font; neither is stored.
    void SetFont(const QString &face, int size);
    const QString &GetFontFace() const { return m_fontFace; }
    int GetFontSize() const { return m_fontSize; }

    void SetBounds(const CRect &rect, bool move) override;
    void Draw(QPainter &painter) const override;
    std::unique_ptr<CComponentBase> Clone(bool keepPosition) const override;
    void SerializeComponent(CArchive &ar) override;
};
