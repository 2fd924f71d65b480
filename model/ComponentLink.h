#pragma once

#include "model/ComponentBase.h"

class CScreenLookup;

// What a link keeps: copied whole by Clone, and what its window and dialogs exchange.
struct SLinkValues {
    QString m_caption;
    QString m_fixedTargetId;
    QString m_targetLabel;
    int m_targetPageId = -1;
    bool m_hasFont = false;
    QString m_fontFace;
    int m_fontPoints = 0;
};

// A one-line text link to another screen of the course. It names its target by outline label (stored) and
// holds the screen it resolved to by number (not stored), so a deleted screen simply stops resolving.
// With a window the link is exactly as large as its caption in the link font.
class CComponentLink : public CComponentBase, private SLinkValues
{
public:
    explicit CComponentLink(CEditCanvas *parent = nullptr);

    using Values = SLinkValues;
    const Values &GetValues() const { return *this; }
    // Takes every value and shows them in the window.
    void SetValues(const Values &values);

    void SetText(const QString &caption);
    const QString &GetText() const { return m_caption; }
    // The page identifier used as the target when the target label is empty.
    void SetFixedTargetId(const QString &id) { m_fixedTargetId = id; }
    const QString &GetFixedTargetId() const { return m_fixedTargetId; }
    void SetTargetLabel(const QString &label) { m_targetLabel = label; }
    const QString &GetTargetLabel() const { return m_targetLabel; }

    // The resolved target screen, kept as its number; null clears it.
    void SetTargetPage(const CCorvPage *page);
    void SetTargetPageId(int id) { m_targetPageId = id; }
    int GetTargetPageId() const { return m_targetPageId; }
    // The target screen as the document has it now; null when unresolved or gone.
    CCorvPage *GetTargetPage(const CScreenLookup &document) const;

    // The font the caption is drawn and measured with (the loaders set the course's body font first).
    void SetFont(const QString &face, int points);
    bool HasFont() const { return m_hasFont; }
    const QString &GetFontFace() const { return m_fontFace; }
    int GetFontPoints() const { return m_fontPoints; }

    void SetBounds(const CRect &rect, bool move) override;
    void ExchangeData(bool save) override;
    std::unique_ptr<CComponentBase> Clone(bool keepPosition) const override;
    void SerializeComponent(CArchive &ar) override;
};
