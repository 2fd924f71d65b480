#include "publish/PublishContext.h"

#include "document/CorvessaDoc.h"
#include "document/InternationalProfileFromXML.h"
#include "model/GlobalHelpers.h"
#include "platform/CorvContext.h"
#include "platform/PathUtil.h"
#include "publish/CharacterSubstitutions.h"
#include "publish/ProgramData.h"
#include "publish/PublishFile.h"
#include "publish/PublishText.h"

namespace {

QString WithoutTrailingSeparators(QString folder)
{
    while (folder.size() > 1 && CorvPath::IsSeparator(folder.back()))
        folder.chop(1);
    return folder;
}

} // namespace

CPublishContext::CPublishContext(const CCorvessaDoc &document, const QString &targetFolder,
                                 const QString &projectPrefix, const COutlineTree *courseTree)
    : m_document(document),
      m_targetFolder(WithoutTrailingSeparators(targetFolder)),
      m_projectPrefix(projectPrefix.toLower()),
      m_courseTree(courseTree),
      m_theme(Settings().Theme)
{
    BuildProfileTokenMap();
}

CPublishContext::~CPublishContext() = default;

const CCourseSettings &CPublishContext::Settings() const { return m_document.Settings(); }

const CCorvContext &CPublishContext::GetContext() const { return m_document.GetContext(); }

CPrompt &CPublishContext::Prompt() const { return m_document.Prompt(); }

QString CPublishContext::ProgramFolder() const
{
    QString folder;
    GetAppFolder(GetContext(), folder);
    return folder;
}

bool CPublishContext::IsCourseTreeEmpty() const { return !m_courseTree || m_courseTree->GetCount() == 0; }

bool CPublishContext::HasMenuScreen(const COutlineTree::Item *start) const
{
    return m_courseTree && m_courseTree->HasMenuScreen(start);
}

void CPublishContext::UseFallbackTheme() { m_theme = CorvProgramData::kFallbackTheme; }

void CPublishContext::ApplyTextSubstitutions(QString &text) const
{
    if (m_specialCharacters)
        m_specialCharacters->Apply(text);
}

void CPublishContext::BuildProfileTokenMap()
{
    const CCourseSettings &settings = Settings();
    m_profile = dynamic_cast<const InternationalProfileFromXML *>(m_document.GetInternationalProfile());
    if (!m_profile && !settings.InternationalProfileFilename.isEmpty()) {
        m_ownProfile = InternationalProfileFromXML::ReadFile(CorvPath::ResolveNoCase(settings.InternationalProfileFilename));
        m_profile = m_ownProfile.get();
    }
    if (!m_profile)
        return;
    for (const InternationalProfileItemFromXML &item : m_profile->items) {
        const QString value = ProfileScriptText(item);
        for (const InternationalItemFileFromXML &file : item.files) {
            // The outline page replaces its own tokens.
            if (file.fileName == u"outline.htm.txt")
                continue;
            m_tokens.try_emplace(file.GetReplaceString(), value);
        }
    }
}

void CPublishContext::ApplyProfileTokens(QString &line) const
{
    static const QString kTokenStart = QStringLiteral("<~");
    for (const auto &[token, value] : m_tokens) {
        if (!token.isEmpty())
            line.replace(token, value);
        if (!line.contains(kTokenStart))
            break;
    }
}

QString CPublishContext::GetProfileText(const QString &baseVariable, const QString &variable) const
{
    if (!m_profile)
        return {};
    for (const InternationalProfileItemFromXML &item : m_profile->items)
        if (item.baseVariable.compare(baseVariable, Qt::CaseInsensitive) == 0
            && item.variable.compare(variable, Qt::CaseInsensitive) == 0)
            return item.GetText();
    return {};
}

void CPublishContext::AddError(const QString &text) const
{
    if (!text.isEmpty())
        m_errors.append(text);
}

void CPublishContext::AddFileError(const CPublishFile &file) const { AddError(file.GetErrorText()); }
