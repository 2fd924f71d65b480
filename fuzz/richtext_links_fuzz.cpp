// Text box and table records on untrusted bytes: reading must end in the archive's error or in a component
// whose links agree with their markers, and what is then stored must read back to the same bytes.
#include "model/ComponentFactory.h"
#include "model/ComponentTable.h"
#include "model/ComponentTextbox.h"
#include "model/ProjectSchema.h"
#include "platform/Archive.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// Every record's text stands between its own hidden markers.
void CheckAgreement(const CRichTextLinks &content)
{
    const CRichText &text = content.GetRichText();
    for (const auto &link : content.GetLinks()) {
        const int position = link->GetPosition();
        const int end = position + int(link->GetText().size());
        if (position < 6 || end + 6 > text.GetTextLength() ||
            text.GetTextRange(position - 6, position) != CURLLink::OpeningMarker(link->GetNumber()) ||
            text.GetTextRange(end, end + 6) != CURLLink::ClosingMarker(link->GetNumber()))
            std::abort();
    }
}

QByteArray Store(CComponentBase &component)
{
    CArchive ar;
    component.SerializeEntry(ar);
    if (auto *box = dynamic_cast<CComponentTextbox *>(&component)) {
        CheckAgreement(box->GetContent());
    } else if (auto *table = dynamic_cast<CComponentTable *>(&component)) {
        for (const CRichTextLinks &cell : table->GetCellList())
            CheckAgreement(cell);
    }
    return ar.GetBuffer();
}

std::unique_ptr<CComponentBase> Load(const QByteArray &bytes, int schema)
{
    CArchive ar(bytes);
    return CComponentFactory::LoadComponent(ar, schema);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    // The first byte picks the schema the record is read at: the gates of the text box, table and link
    // records, where each field is not read yet.
    namespace PS = ProjectSchema;
    static const int kSchemas[] = {PS::kCurrent,   PS::kLinkScript,         PS::kTableCellSettings,
                                   PS::kLinkNumber, PS::kTextboxRightToLeft, PS::kLinkPopupSize,
                                   PS::kLinkPopup,  PS::kRtfInArchive};
    const int schema = kSchemas[data[0] % (sizeof kSchemas / sizeof kSchemas[0])];
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    std::unique_ptr<CComponentBase> component;
    try {
        component = Load(bytes, schema);
    } catch (const CArchiveException &) {
        return 0;
    }
    if (!component || (component->GetType() != ct_textbox && component->GetType() != ct_table))
        return 0;
    const QByteArray first = Store(*component);
    auto again = Load(first, ProjectSchema::kCurrent);
    if (Store(*again) != first)
        std::abort();
    return 0;
}
