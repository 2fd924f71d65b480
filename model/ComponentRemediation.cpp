#include "model/ComponentRemediation.h"

#include "model/ScreenLookup.h"
#include "platform/Archive.h"

namespace {

int ExistingOrNone(const CScreenLookup &document, int &id)
{
    if (!document.FindScreenByNumber(id))
        id = -1;
    return id;
}

// Remediation lists are short; anything near this comes from a damaged file.
constexpr int32_t kMaxQuestionIds = 1 << 20;

} // namespace

CComponentRemediation::CComponentRemediation() : CComponentBase(ct_remediation)
{
}

void CComponentRemediation::SetQuestionPageIds(const std::vector<int> &ids)
{
    m_questionPageIds = ids;
}

void CComponentRemediation::GetQuestionPageIds(const CScreenLookup &document, std::vector<int> &out)
{
    out.clear();
    std::erase_if(m_questionPageIds, [&document](int id) { return !document.FindScreenByNumber(id); });
    out = m_questionPageIds;
}

int CComponentRemediation::GetCompletionPageId(const CScreenLookup &document)
{
    return ExistingOrNone(document, m_completionPageId);
}

int CComponentRemediation::GetReverseOutPageId(const CScreenLookup &document)
{
    return ExistingOrNone(document, m_reverseOutPageId);
}

std::unique_ptr<CComponentBase> CComponentRemediation::Clone(bool /*keepPosition*/) const
{
    auto copy = std::make_unique<CComponentRemediation>();
    copy->SetValues(GetValues());
    copy->m_document = m_document;
    return copy;
}

void CComponentRemediation::SetValues(const Values &values)
{
    static_cast<Values &>(*this) = values;
    ExchangeData(false);
}

void CComponentRemediation::SerializeComponent(CArchive &ar)
{
    if (ar.IsStoring()) {
        ar.WriteInt(ct_remediation);
        ar.WriteInt(int32_t(m_questionPageIds.size()));
        for (int id : m_questionPageIds)
            ar.WriteInt(id);
        ar.WriteInt(m_document ? GetCompletionPageId(*m_document) : m_completionPageId);
        ar.WriteInt(m_document ? GetReverseOutPageId(*m_document) : m_reverseOutPageId);
        ar.WriteInt(m_passMark);
        return;
    }
    m_questionPageIds.clear();
    const int32_t count = ar.ReadInt();
    if (count > 0) {
        // Checked against what is left before anything is allocated (4 bytes per id).
        if (count > kMaxQuestionIds || qint64(count) * 4 > ar.BytesLeft())
            throw CArchiveException(CArchiveException::badCount,
                                    QStringLiteral("The file %1 is damaged: %2 question screens cannot follow.")
                                        .arg(ar.GetFilePath(), QString::number(count)));
        m_questionPageIds.reserve(size_t(count));
        for (int32_t i = 0; i < count; ++i)
            m_questionPageIds.push_back(ar.ReadInt());
    }
    m_completionPageId = ar.ReadInt();
    m_reverseOutPageId = ar.ReadInt();
    m_passMark = ar.ReadInt();
}
