#pragma once

#include "model/ComponentBase.h"
#include "model/URLLink.h"

#include <vector>

// What an HTML text keeps: copied whole by Clone, and what its window and dialogs exchange.
struct SHTMLEditorValues {
    std::vector<CURLLink> m_links;
    QString m_fileName;
    QString m_html;
};

// A text box whose content is an HTML document, edited in place on the canvas. The component keeps the
// document's HTML source exactly as it was read or last edited, so a project saved without touching it
// writes the same HTML; the window shows it and hands back what the author changed.
class CComponentHTMLEditor : public CComponentBase, private SHTMLEditorValues
{
public:
    explicit CComponentHTMLEditor(CEditCanvas *parent = nullptr);

    using Values = SHTMLEditorValues;
    const Values &GetValues() const { return *this; }
    // Takes every value and shows them in the window.
    void SetValues(const Values &values);

    // "tb%d.rtf", given by the document from its text-box counter.
    void SetFileName(const QString &name) { m_fileName = name; }
    const QString &GetFileName() const { return m_fileName; }
    void SetHtml(const QString &html);
    const QString &GetHtml() const { return m_html; }

    // Links the Edit window adds to the text, newest first. They are not part of the record.
    void AddLink(const QString &text, int position, int screenLink, int targetScreen, const QString &address,
                 int popup, int script, int fullSize, int popupHeight, int popupWidth);
    const std::vector<CURLLink> &GetLinks() const { return m_links; }

    // The HTML source as plain text within the bounds.
    void Draw(QPainter &painter) const override;
    // A copy with the same HTML and links; the document gives a pasted copy a file name of its own.
    std::unique_ptr<CComponentBase> Clone(bool keepPosition) const override;
    void SerializeComponent(CArchive &ar) override;
};
