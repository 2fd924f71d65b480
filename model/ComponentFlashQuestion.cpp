#include "model/ComponentFlashQuestion.h"

#include "model/GlobalHelpers.h"
#include "model/MediaCopy.h"
#include "platform/Archive.h"
#include "platform/Escape.h"

CComponentFlashQuestion::CComponentFlashQuestion(CEditCanvas *parent) : CComponentVideo(parent, ct_flash_question)
{
}

bool CComponentFlashQuestion::BuildPublishHtml(const CCorvContext &context, QString &out) const
{
    QString source;
    GetFileNameFromPath(m_filePath, source, true);
    CPlaceholderTemplate::Tokens tokens;
    AddPlacementTokens(tokens);
    tokens.push_back({"src", CorvEscape::ScriptHtmlAttribute(source)});
    return CPlaceholderTemplate::Expand(
        context, QStringLiteral("question_flash.txt"),
        QStringLiteral("FATAL Error: CComponentFlashQuestion: Could not open file\n%1"), tokens, out);
}

std::unique_ptr<CComponentBase> CComponentFlashQuestion::Clone(bool keepPosition) const
{
    // A copy stays a Flash question with its settings.
    auto copy = std::make_unique<CComponentFlashQuestion>(m_parent);
    CopyVideoFields(*copy, keepPosition);
    copy->ExchangeData(false);
    return copy;
}

void CComponentFlashQuestion::SerializeComponent(CArchive &ar)
{
    if (ar.IsStoring()) {
        ExchangeData(true);
        StoreHead(ar);
        SerializePlayAndFlash(ar);
        const CMediaCopy::Result copy = CMediaCopy::CopyOnSave(m_filePath, ar.GetFilePath(), IsStandAlone(),
                                                               CMediaCopy::questions, CMediaCopy::noPlaylist,
                                                               ar.Context().Prompt());
        m_filePath = copy.path;
        ar.WriteString(copy.storedName);
        return;
    }
    LoadBounds(ar);
    SerializePlayAndFlash(ar);
    m_filePath =
        CMediaCopy::PathFromStoredName(ar.GetFilePath(), IsStandAlone(), CMediaCopy::questions, ar.ReadString());
    ExchangeData(false);
}
