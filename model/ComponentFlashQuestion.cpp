#include "model/ComponentFlashQuestion.h"

#include "model/GlobalHelpers.h"
#include "model/MediaRecord.h"
#include "platform/Archive.h"

CComponentFlashQuestion::CComponentFlashQuestion(CEditCanvas *parent) : CComponentVideo(parent, ct_flash_question)
{
}

CResult<QString> CComponentFlashQuestion::BuildPublishHtml(const CCorvContext &context) const
{
    QString source;
    GetFileNameFromPath(m_filePath, source, true);
    CPlaceholderTemplate::Tokens tokens;
    AddPlacementTokens(tokens);
    tokens.push_back({"src", CPlaceholderTemplate::AttributeValue(source)});
    return CPlaceholderTemplate::Expand(
        context, QStringLiteral("question_flash.txt"),
        QStringLiteral("FATAL Error: CComponentFlashQuestion: Could not open file\n%1"), tokens);
}

std::unique_ptr<CComponentBase> CComponentFlashQuestion::Clone(bool keepPosition) const
{
    return CloneKind<CComponentFlashQuestion>(keepPosition);
}

void CComponentFlashQuestion::SerializeComponent(CArchive &ar)
{
    // The video's record without the PDF options, the file in the questions folder.
    SerializeVideoHead(ar);
    CMediaRecord::SerializeFileName(ar, *this, m_filePath, CMediaCopy::questions);
    if (ar.IsLoading())
        ExchangeData(false);
}
