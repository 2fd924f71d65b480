#include "model/ComponentFactory.h"

#include "model/ComponentAudio.h"
#include "model/ComponentButton.h"
#include "model/ComponentCompleteParagraph.h"
#include "model/ComponentEllipse.h"
#include "model/ComponentFillBlanks.h"
#include "model/ComponentFlashQuestion.h"
#include "model/ComponentFlashVideo.h"
#include "model/ComponentFreeFormText.h"
#include "model/ComponentHTMLEditor.h"
#include "model/ComponentImage.h"
#include "model/ComponentLargeTopic.h"
#include "model/ComponentLikert.h"
#include "model/ComponentLine.h"
#include "model/ComponentLink.h"
#include "model/ComponentMatchPairs.h"
#include "model/ComponentMultipleChoice.h"
#include "model/ComponentPartIdentification.h"
#include "model/ComponentRectangle.h"
#include "model/ComponentRemediation.h"
#include "model/ComponentSmallTopic.h"
#include "model/ComponentTable.h"
#include "model/ComponentTextbox.h"
#include "model/ComponentVideo.h"
#include "model/ComponentYouTube.h"
#include "platform/Archive.h"

namespace {

using Creator = std::unique_ptr<CComponentBase> (*)(CEditCanvas *parent);

template <class Kind>
std::unique_ptr<CComponentBase> Make(CEditCanvas *parent)
{
    return std::make_unique<Kind>(parent);
}

std::unique_ptr<CComponentBase> MakeRemediation(CEditCanvas *)
{
    return std::make_unique<CComponentRemediation>();
}

struct KindEntry {
    int type;
    const char *className;
    Creator create;  // null: not read by this program
};

// One row per type code, in code order. The media kind (17) is never stored.
const KindEntry kKinds[kComponentTypeCount] = {
    {ct_complete_paragraph, "CComponentCompleteParagraph", &Make<CComponentCompleteParagraph>},
    {ct_fill_blanks, "CComponentFillBlanks", &Make<CComponentFillBlanks>},
    {ct_match_pairs, "CComponentMatchPairs", &Make<CComponentMatchPairs>},
    {ct_multiple_choice, "CComponentMultipleChoice", &Make<CComponentMultipleChoice>},
    {ct_part_identification, "CComponentPartIdentification", &Make<CComponentPartIdentification>},
    {ct_button, "CComponentButton", &Make<CComponentButton>},
    {ct_textbox, "CComponentTextbox", &Make<CComponentTextbox>},
    {ct_image, "CComponentImage", &Make<CComponentImage>},
    {ct_video, "CComponentVideo", &Make<CComponentVideo>},
    {ct_audio, "CComponentAudio", &Make<CComponentAudio>},
    {ct_rectangle, "CComponentRectangle", &Make<CComponentRectangle>},
    {ct_line, "CComponentLine", &Make<CComponentLine>},
    {ct_ellipse, "CComponentEllipse", &Make<CComponentEllipse>},
    {ct_small_topic, "CComponentSmallTopic", &Make<CComponentSmallTopic>},
    {ct_large_topic, "CComponentLargeTopic", &Make<CComponentLargeTopic>},
    {ct_link, "CComponentLink", &Make<CComponentLink>},
    {ct_table, "CComponentTable", &Make<CComponentTable>},
    {ct_media, "CComponentMedia", nullptr},
    {ct_free_form_text, "CComponentFreeFormText", &Make<CComponentFreeFormText>},
    {ct_html_editor, "CComponentHTMLEditor", &Make<CComponentHTMLEditor>},
    {ct_flash_question, "CComponentFlashQuestion", &Make<CComponentFlashQuestion>},
    {ct_youtube, "CComponentYouTube", &Make<CComponentYouTube>},
    {ct_remediation, "CComponentRemediation", &MakeRemediation},
    {ct_flash_video, "CComponentFlashVideo", &Make<CComponentFlashVideo>},
    {ct_likert, "CComponentLikert", &Make<CComponentLikert>},
};

const KindEntry *FindKind(int type)
{
    if (type < 0 || type >= kComponentTypeCount)
        return nullptr;
    return &kKinds[type];
}

[[noreturn]] void ThrowUnreadable(const CArchive &ar, int type)
{
    const KindEntry *kind = FindKind(type);
    const QString what = kind ? QStringLiteral("a component of kind %1 (type %2)").arg(QLatin1String(kind->className)).arg(type)
                              : QStringLiteral("a component of unknown type %1").arg(type);
    throw CArchiveException(CArchiveException::badSchema,
                            QStringLiteral("The file %1 holds %2 that cannot be read here, at byte %3.")
                                .arg(ar.GetFilePath().isEmpty() ? QStringLiteral("being read") : ar.GetFilePath(),
                                     what, QString::number(ar.GetPosition() - 4)));
}

} // namespace

std::unique_ptr<CComponentBase> CComponentFactory::CreateComponent(int type, CEditCanvas *parent)
{
    const KindEntry *kind = FindKind(type);
    if (!kind || !kind->create)
        return nullptr;
    return kind->create(parent);
}

bool CComponentFactory::IsDroppedOnLoad(int type, bool mainList)
{
    return type == ct_media || (type == ct_remediation && !mainList);
}

bool CComponentFactory::IsSupported(int type)
{
    const KindEntry *kind = FindKind(type);
    return kind && kind->create;
}

const char *CComponentFactory::ClassName(int type)
{
    const KindEntry *kind = FindKind(type);
    return kind ? kind->className : "";
}

std::unique_ptr<CComponentBase> CComponentFactory::LoadComponent(CArchive &ar, const LoadOptions &options)
{
    const int type = ar.ReadInt();
    if (IsDroppedOnLoad(type, options.mainList))
        return nullptr;
    std::unique_ptr<CComponentBase> component = CreateComponent(type, options.parent);
    if (!component)
        ThrowUnreadable(ar, type);
    component->SetStandAlone(options.standAlone ? 1 : 0);
    component->SetFileSchema(options.fileSchema);
    if (options.beforeRead)
        options.beforeRead(*component);
    component->SerializeEntry(ar);
    if (options.afterRead)
        options.afterRead(*component, ar);
    return component;
}
