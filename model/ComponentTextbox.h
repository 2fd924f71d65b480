#pragma once

#include "model/ComponentBase.h"
#include "model/RichTextLinks.h"

#include <QString>

#include <cstdint>


class CScreenLookup;

// What a text box keeps: copied whole by Clone, and what its window and dialogs exchange.
struct STextboxValues {
    CRichTextLinks m_content;
    QString m_fontFace;
    int m_fontSize = 0;
    uint32_t m_fontColour = 0;
    QString m_fileName;
    int m_rightToLeft = 0;
};

// A rectangle of formatted text on a screen, with hyperlinks to screens, web addresses or script. The
// component owns its rich text and the link records that the hidden markers in it number; the window only
// shows and edits that text.
//
// The rich text is not part of the record: the box's entry in an archive (SerializeEntry) is the record, then
// the rich text as one RTF string; on load the links then find their markers again (RenumberLinks).
class CComponentTextbox : public CComponentBase, private STextboxValues
{
public:
    using Values = STextboxValues;

    explicit CComponentTextbox(CEditCanvas *parent = nullptr);

    const Values &GetValues() const { return *this; }
    // Takes every value and shows them in the window.
    void SetValues(const Values &values);

    CRichText &GetRichText() { return m_content.GetRichText(); }
    const CRichText &GetRichText() const { return m_content.GetRichText(); }
    CRichTextLinks &GetContent() { return m_content; }
    const CRichTextLinks &GetContent() const { return m_content; }

    // The default character format of the text: face, height points x 20 twips, colour, not bold.
    void SetDefaultFont(const QString &face, int size, uint32_t colour);
    // The same at points x 14 twips, for text taken from slides.
    void SetDefaultFontScaled(const QString &face, int size, uint32_t colour);
    const QString &GetDefaultFontFace() const { return m_fontFace; }
    int GetDefaultFontSize() const { return m_fontSize; }
    uint32_t GetDefaultFontColour() const { return m_fontColour; }

    // Paragraph alignment of the selection by name: "AlignLeft", "AlignCenter", "AlignRight" (any case).
    void SetAlignment(const QString &name);
    void AlignLeft();
    void Centre();
    void AlignRight();
    void Justify();
    void IncreaseIndent();
    void DecreaseIndent();

    // "tb%d.rtf": the file the oldest projects kept the text in.
    const QString &GetFileName() const { return m_fileName; }
    void SetFileName(const QString &name) { m_fileName = name; }

    // 1 when the text runs right to left; a new text box takes the document's direction. The record's
    // reserved int carries it: any value but 0 means right to left, and a value read from a file is
    // written back as it was read (GetStoredRightToLeft).
    int GetRightToLeft() const { return m_rightToLeft != 0 ? 1 : 0; }
    int GetStoredRightToLeft() const { return m_rightToLeft; }
    void SetRightToLeft(int rightToLeft);

    // Links, by number.
    int GetLinkCount() const { return m_content.GetLinkCount(); }
    CURLLink *FindLink(int number) const { return m_content.FindLink(number); }
    int GetNextLinkNumber() const { return m_content.GetNextLinkNumber(); }
    // Makes the text at position a link to the given target and gives it the link effect; fails, with the
    // message for the author, when the text does not stand there or no link number is left.
    CStatus AddLink(const QString &text, int position, int screenLink, int targetScreen, const QString &address,
                    int popup, int script, int fullSize, int popupHeight, int popupWidth);
    // Frees the record of that number (the markers are the caller's): 1, or 0 when there is none.
    int DeleteLink(int number) { return m_content.DeleteLink(number); }
    // Unlinks the link around the selection, markers and record included.
    bool DeleteLinkAtCaret() { return m_content.DeleteLinkAtCaret(false); }
    bool IsScreenLink(int number) const { return m_content.IsScreenLink(number) != 0; }
    int GetLinkOption(int number) const { return m_content.IsPopupLink(number); }
    bool IsScriptLink(int number) const { return m_content.IsScriptLink(number) != 0; }
    int GetLinkPopupHeight(int number) const { return m_content.GetLinkPopupHeight(number); }
    int GetLinkPopupWidth(int number) const { return m_content.GetLinkPopupWidth(number); }
    QString GetLinkTarget(int number, const CScreenLookup *document) const
    {
        return m_content.GetLinkTarget(number, document);
    }

    // After the text is loaded: numbers and marks the records of older files, re-reads the others from
    // their markers, drops those that cannot be found; with dropAddressless (a single screen brought in)
    // also every link without an address or script.
    void RenumberLinks(int dropAddressless) { m_content.MarkPendingLinks(dropAddressless != 0); }
    // Before storing: records and markers brought into agreement.
    void RepairLinkMarkers() { m_content.RepairLinks(); }

    // The whole entry: the record, then the rich text (StoreRichText, LoadRichText); a load ends with
    // RenumberLinks, dropping the links without an address when the box comes from a single-screen
    // archive (stand-alone).
    void SerializeEntry(CArchive &ar) override;
    // The RTF string that follows the record.
    void StoreRichText(CArchive &ar) const;
    // Reads the text that follows the record: the RTF string, or for the oldest files (fileSchema below
    // ProjectSchema::kRtfInArchive) the file of GetFileName in the Rtfs folder beside the archive. A missing
    // file leaves the text empty.
    void LoadRichText(CArchive &ar, int fileSchema);

    int GetTextLength() const override { return GetRichText().GetTextLength(); }
    CRichText *GetEditorText() override { return &GetRichText(); }
    std::unique_ptr<CComponentBase> Clone(bool keepPosition) const override;
    void SerializeComponent(CArchive &ar) override;

private:
    void ApplyDefaultFont(const QString &face, int size, uint32_t colour, int twipsPerPoint);
};
