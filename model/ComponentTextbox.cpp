#include "model/ComponentTextbox.h"

#include "model/ComponentWindow.h"
#include "model/MediaCopy.h"
#include "platform/Archive.h"
#include "platform/CorvContext.h"
#include "platform/PathUtil.h"

#include <QFile>

namespace {

struct AlignmentName {
    const char *name;
    void (CComponentTextbox::*align)();
};

const AlignmentName kAlignmentNames[] = {
    {"AlignLeft", &CComponentTextbox::AlignLeft},
    {"AlignCenter", &CComponentTextbox::Centre},
    {"AlignRight", &CComponentTextbox::AlignRight},
};

} // namespace

CComponentTextbox::CComponentTextbox(CEditCanvas *parent) : CComponentBase(ct_textbox, parent) {}

void CComponentTextbox::SetValues(const Values &values)
{
    static_cast<Values &>(*this) = values;
    ExchangeData(false);
}

void CComponentTextbox::SetDefaultFont(const QString &face, int size, uint32_t colour)
{
    ApplyDefaultFont(face, size, colour, 20);
}

void CComponentTextbox::SetDefaultFontScaled(const QString &face, int size, uint32_t colour)
{
    ApplyDefaultFont(face, size, colour, 14);
}

void CComponentTextbox::ApplyDefaultFont(const QString &face, int size, uint32_t colour, int twipsPerPoint)
{
    m_fontFace = face;
    m_fontSize = size;
    m_fontColour = colour;
    CCharFormat format;
    format.mask = CFM_BOLD | CFM_COLOR | CFM_FACE | CFM_SIZE;
    format.face = m_fontFace;
    format.height = m_fontSize * twipsPerPoint;
    format.colour = m_fontColour;
    GetRichText().SetDefaultCharFormat(format);
}

void CComponentTextbox::SetAlignment(const QString &name)
{
    for (const AlignmentName &entry : kAlignmentNames) {
        if (name.compare(QLatin1String(entry.name), Qt::CaseInsensitive) == 0) {
            (this->*entry.align)();
            return;
        }
    }
}

void CComponentTextbox::AlignLeft()
{
    GetRichText().AlignLeft();
}

void CComponentTextbox::Centre()
{
    GetRichText().AlignCenter();
}

void CComponentTextbox::AlignRight()
{
    GetRichText().AlignRight();
}

void CComponentTextbox::Justify()
{
    GetRichText().AlignJustify();
}

void CComponentTextbox::IncreaseIndent()
{
    GetRichText().IncreaseIndent();
}

void CComponentTextbox::DecreaseIndent()
{
    GetRichText().DecreaseIndent();
}

void CComponentTextbox::SetRightToLeft(int rightToLeft)
{
    m_rightToLeft = rightToLeft ? 1 : 0;
}

CStatus CComponentTextbox::AddLink(const QString &text, int position, int screenLink, int targetScreen,
                                   const QString &address, int popup, int script, int fullSize, int popupHeight,
                                   int popupWidth)
{
    if (CStatus added = m_content.AddLink(text, position, screenLink, targetScreen, address, popup, script, fullSize,
                                          popupHeight, popupWidth);
        !added)
        return added;
    // AddLink leaves the visible text selected.
    CCharFormat link;
    link.mask = CFM_LINK;
    link.effects = CFE_LINK;
    GetRichText().SetSelectionCharFormat(link);
    if (m_window)
        m_window->UpdateFromComponent();
    return {};
}

void CComponentTextbox::SerializeEntry(CArchive &ar)
{
    SerializeComponent(ar);
    if (ar.IsStoring()) {
        StoreRichText(ar);
        return;
    }
    LoadRichText(ar, GetFileSchema());
    RenumberLinks(IsStandAlone());
}

void CComponentTextbox::StoreRichText(CArchive &ar) const
{
    ar.WriteString(GetRichText().GetRtf());
}

void CComponentTextbox::LoadRichText(CArchive &ar, int fileSchema)
{
    if (ProjectSchema::AtLeast(fileSchema, ProjectSchema::kRtfInArchive)) {
        GetRichText().SetRtf(ar.ReadString());
        return;
    }
    // The name comes from the file: it may only name a file inside the Rtfs folder.
    const QString name = CorvPath::SafeBareName(m_fileName);
    if (name.isEmpty())
        return;
    // The Rtfs folder of the oldest files lies in the folder named after the archive, for a project and for
    // a single screen alike (whose other media lie beside the archive).
    const QString folder = CMediaCopy::BaseFolder(ar.GetFilePath(), false);
    QFile file(ar.Paths().Resolve(CorvPath::Join({folder, QStringLiteral("Rtfs"), name})));
    if (file.open(QIODevice::ReadOnly))
        GetRichText().SetRtfBytes(file.readAll());
}

std::unique_ptr<CComponentBase> CComponentTextbox::Clone(bool keepPosition) const
{
    // The text and its links are copied as they are; nothing goes through the author's clipboard.
    return CloneKind<CComponentTextbox>(keepPosition);
}

void CComponentTextbox::SerializeComponent(CArchive &ar)
{
    if (ar.IsStoring()) {
        RepairLinkMarkers();
        StoreHead(ar);
        ar.WriteString(m_fileName);
        m_content.StoreLinks(ar);
        ar.WriteInt(m_rightToLeft);
        return;
    }
    LoadBounds(ar);
    m_fileName = ar.ReadString();
    m_content.RemoveAllLinks();
    m_content.LoadLinks(ar, GetFileSchema());
    // Kept as stored: any value but 0 reads as right to left and is written back as it was.
    if (IsSchemaAbove(ProjectSchema::kTextboxRightToLeft))
        m_rightToLeft = ar.ReadInt();
    ExchangeData(false);
}
