#pragma once

#include "model/OutlineTree.h"
#include "publish/PublishTarget.h"

#include <QString>
#include <QStringList>

#include <map>
#include <memory>

class CCharacterSubstitutions;
class CCorvContext;
class CCorvessaDoc;
class CCourseSettings;
class CPrompt;
class CPublishFile;
class InternationalProfileFromXML;

// What every step of one publish reads: the course (never changed by publishing), the target, the output
// folder, the prefix that names the per-course files, the outline that orders the screens, the
// international texts and the substitutions for screen texts. The steps add what failed to its list of
// errors, so that a failed publish can tell the author of every failure it met.
class CPublishContext
{
public:
    // The folder loses any trailing separator; the prefix is lower-cased. courseTree may be null (then
    // there is nothing to publish); it must outlive the context.
    CPublishContext(const CCorvessaDoc &document, const QString &targetFolder, const QString &projectPrefix,
                    const COutlineTree *courseTree);
    ~CPublishContext();
    CPublishContext(const CPublishContext &) = delete;
    CPublishContext &operator=(const CPublishContext &) = delete;

    const CCorvessaDoc &GetDocument() const { return m_document; }
    // The course-wide settings the steps publish.
    const CCourseSettings &Settings() const;
    const CCorvContext &GetContext() const;
    CPrompt &Prompt() const;
    // The program folder the templates and run-time files come from.
    QString ProgramFolder() const;

    const QString &GetTargetFolder() const { return m_targetFolder; }
    const QString &GetProjectPrefix() const { return m_projectPrefix; }
    const COutlineTree *GetCourseTree() const { return m_courseTree; }
    bool IsCourseTreeEmpty() const;
    bool HasMenuScreen(const COutlineTree::Item *start = nullptr) const;

    // The target kind (PublishTarget) and the preview flag.
    int GetTarget() const { return m_target; }
    void SetTarget(int target) { m_target = target; }
    int GetPreviewFlag() const { return m_previewFlag; }
    void SetPreviewFlag(int previewFlag) { m_previewFlag = previewFlag; }

    // The theme the course is published with: the course's, until the copy of the run-time finds it missing
    // and publishes "Classical" in its place.
    const QString &Theme() const { return m_theme; }
    void UseFallbackTheme();

    // The substitutions for published screen texts (none when not given); not owned.
    void SetSpecialCharacters(const CCharacterSubstitutions *substitutions) { m_specialCharacters = substitutions; }
    void ApplyTextSubstitutions(QString &text) const;

    // The profile the publish takes its texts from: the document's, or, while the document has none
    // loaded, the one its profile path names (null when that cannot be read either).
    const InternationalProfileFromXML *GetInternationalProfile() const { return m_profile; }
    // The text (line breaks as backslash and "n") of the first item whose base variable and variable are
    // the given ones, compared without regard to case; "" when there is none.
    QString GetProfileText(const QString &baseVariable, const QString &variable) const;
    // Replaces the profile's tokens in one line of a template.
    void ApplyProfileTokens(QString &line) const;
    const std::map<QString, QString> &GetProfileTokens() const { return m_tokens; }

    // ---- What failed ----
    // Adds the system's text of a failure; an empty text adds nothing.
    void AddError(const QString &text) const;
    // Adds why a file failed, when it says.
    void AddFileError(const CPublishFile &file) const;
    const QStringList &Errors() const { return m_errors; }
    // Every failure, one a line ("" when none).
    QString ErrorText() const { return m_errors.join(u'\n'); }
    void ClearErrors() { m_errors.clear(); }

private:
    void BuildProfileTokenMap();

    const CCorvessaDoc &m_document;
    QString m_targetFolder;
    QString m_projectPrefix;
    const COutlineTree *m_courseTree;
    const CCharacterSubstitutions *m_specialCharacters = nullptr;
    int m_target = PublishTargetPreview;
    int m_previewFlag = 0;
    QString m_theme;
    // The international tokens by token, ordered.
    std::map<QString, QString> m_tokens;
    // A profile read from the document's profile path while the document holds none.
    std::unique_ptr<InternationalProfileFromXML> m_ownProfile;
    const InternationalProfileFromXML *m_profile = nullptr;
    // Added to by steps that see the context as const.
    mutable QStringList m_errors;
};
