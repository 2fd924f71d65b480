#include "publish/PagesScript.h"

#include "document/CorvessaDoc.h"
#include "model/ComponentFillBlanks.h"
#include "model/ComponentFreeFormText.h"
#include "model/ComponentLikert.h"
#include "model/ComponentMultipleChoice.h"
#include "model/ComponentRemediation.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "publish/AnswerTexts.h"
#include "publish/ProgramData.h"
#include "publish/PublishContext.h"
#include "publish/PublishFile.h"
#include "publish/PublishText.h"

#include <optional>

// content/scripts/<prefix>_pages.js: the arrays p of screen ids the run-time moves through, the scrambled
// answers quest, and the remediation instances. p[0][0] lists the screens at the top of the outline; every
// later entry p[n][m] is a group whose first id heads it. A new block n starts below a menu that opens
// another level of topics.

namespace {

const QString kRemediationInstance = QStringLiteral("source/PlaceHolderText/remediation/rem_instance.txt");
const QString kRemediationUtility = QStringLiteral("source/PlaceHolderText/remediation/rem_utility.txt");
const QString kRemediationCleanup = QStringLiteral("source/PlaceHolderText/remediation/rem_cleanup.txt");

int TypeOf(const CCorvPage *screen) { return screen ? screen->GetPageType() : -1; }

QString IdOf(const CCorvPage *screen) { return screen ? screen->GetPublishId() : QString(); }

// Popup screens and their folder never take part in the course's order.
bool IsPopupLike(const CCorvPage &screen)
{
    return screen.GetPublishId().startsWith(QLatin1String("1000")) || screen.GetPageType() == pt_popups_only;
}

// The types of screen that can stand before a remediation as its trigger: containers, documents, questions
// and the popups and glossary types; not folders, the assessment's screens or remediation screens.
bool IsContentLike(int type)
{
    return type == pt_container || type == pt_document || type == pt_question || type == pt_popups_only
           || type == pt_glossary;
}

QString IdList(const QStringList &ids) { return u'[' + QuotedIdList(ids) + u']'; }

} // namespace

CPagesScript::CPagesScript(CPublishContext &context)
    : m_context(context), m_document(context.GetDocument()), m_courseTree(context.GetCourseTree())
{
}

bool CPagesScript::Write()
{
    CPublishFile file;
    if (file.Open(m_context.GetTargetFolder(), QStringLiteral("content/scripts/%1_pages.js").arg(m_context.GetProjectPrefix()),
                  CPublishFile::WithByteOrderMark)) {
        file.WriteString(QStringLiteral("var p = [];\n"));
        if (m_courseTree && m_courseTree->GetRootItem())
            WritePagesArray(file, m_context.HasMenuScreen() ? PagesForm::Menu : PagesForm::Plain);
        file.WriteString(QStringLiteral("var quest = {};\n"));
        WriteAnswerEntries(file);
        // The instances follow the answers, so every p entry they name stands earlier in the file.
        if (!m_pagesText.isEmpty()) {
            WriteRemUtility(file);
            file.WriteString(m_pagesText);
            WriteRemCleanup(file);
        }
    }
    if (!file.Close()) {
        m_context.AddFileError(file);
        return false;
    }
    return true;
}

void CPagesScript::WritePagesArray(CPublishFile &file, PagesForm form)
{
    const COutlineTree &tree = *m_courseTree;
    QStringList ids;
    // Without menus a container has no screen of its own: the screens it holds stand in its place, in the
    // outline's order, so that a course that begins with a container (empty or not) lists only screens the
    // learner can be shown.
    const auto listTopLevel = [&](const auto &self, const COutlineTree::Item *item) -> void {
        for (; item; item = tree.GetNextSiblingItem(item)) {
            const CCorvPage *screen = tree.GetItemData(item);
            if (!screen || m_document.HasGlossaryScreen(screen->GetPublishId()) || IsPopupLike(*screen)
                || screen->GetPageType() == pt_remediation)
                continue;
            if (form == PagesForm::Plain && screen->GetPageType() == pt_container)
                self(self, tree.GetChildItem(item));
            else
                ids.append(screen->GetPublishId());
        }
    };
    listTopLevel(listTopLevel, tree.GetRootItem());
    file.WriteString(QStringLiteral("p[%1] = [];\n").arg(m_blockIndex));
    file.WriteString(QStringLiteral("p[%1][%2] = %3;\n").arg(m_blockIndex).arg(m_entryIndex).arg(IdList(ids)));
    ++m_entryIndex;
    QStringList work;
    WalkPagesLevel(file, tree.GetRootItem(), work, form);
}

// The group of screen ids an item with children heads, and how it is written: as pairs of the head with
// each screen, or as one list (which carries the remediation text found on the way).
struct CPagesScript::PagesGroup {
    QStringList &ids;
    // The screen that stands for the item afterwards: in the menu form a topic container stands for the
    // sibling before it, and an assessment container for the first screen of the course.
    CCorvPage *standIn = nullptr;
    bool list = false;
    QString remediation;
};

void CPagesScript::WalkPagesLevel(CPublishFile &file, const COutlineTree::Item *item, QStringList &ids, PagesForm form)
{
    const COutlineTree &tree = *m_courseTree;
    // The last content screen met along this chain: the trigger of a remediation folder that follows it.
    CCorvPage *lastContent = nullptr;
    for (; item; item = tree.GetNextSiblingItem(item)) {
        ids.clear();
        CCorvPage *screen = tree.GetItemData(item);
        if (!screen || m_document.HasGlossaryScreen(screen->GetPublishId()))
            continue;
        if (!lastContent && IsContentLike(screen->GetPageType()))
            lastContent = screen;
        PagesGroup group{ids, screen, false, {}};
        if (const COutlineTree::Item *child = tree.GetChildItem(item)) {
            const COutlineTree::Item *next = child;
            if (StartPagesGroup(item, lastContent, group, form)) {
                next = CollectPagesGroup(child, group, form);
                WritePagesGroup(file, group);
            }
            if (next)
                WalkPagesLevel(file, next, ids, form);
        }
        if (group.standIn && IsContentLike(group.standIn->GetPageType()))
            lastContent = group.standIn;
    }
}

bool CPagesScript::StartPagesGroup(const COutlineTree::Item *item, CCorvPage *lastContent, PagesGroup &group,
                                       PagesForm form)
{
    const COutlineTree &tree = *m_courseTree;
    CCorvPage *screen = tree.GetItemData(item);
    const int type = screen->GetPageType();
    const bool menuForm = form == PagesForm::Menu;
    // Menus, assessment folders and popups head no group of their own; what lies below them does.
    if (menuForm ? COutlineTree::IsMenuPage(screen) || type == pt_asmt_folder || IsPopupLike(*screen)
                 : type == pt_container || type == pt_asmt_folder || IsPopupLike(*screen))
        return false;
    if (menuForm && type == pt_container) {
        group.list = true;
        if (const COutlineTree::Item *previous = tree.GetPrevSiblingItem(item)) {
            group.standIn = tree.GetItemData(previous);
            if (COutlineTree::IsMenuPage(group.standIn))
                StartPagesBlock();
        }
        group.ids = {IdOf(group.standIn)};
        m_triggerScreen = nullptr;
    } else if (type == pt_asmt_container) {
        CCorvPage *first = tree.GetItemData(tree.GetRootItem());
        group.ids = {IdOf(first)};
        m_triggerScreen = nullptr;
        if (menuForm)
            group.standIn = first;
        else
            group.list = true;
    } else if (type == pt_remediation) {
        m_triggerScreen = lastContent;
        const CCorvPage *start = tree.GetItemData(tree.GetChildItem(item));
        for (const auto &component : screen->GetComponentList())
            if (const auto *settings = dynamic_cast<const CComponentRemediation *>(component.get()))
                WriteRemediationInstance(*settings, start, group.remediation);
        group.list = true;
        if (lastContent)
            group.ids = {IdOf(lastContent)};
    } else {
        group.ids = {IdOf(screen)};
        m_triggerScreen = nullptr;
    }
    return true;
}

// The screens of the group are the children, below any containers that only nest them. Gives where the
// walk goes on below the item.
const COutlineTree::Item *CPagesScript::CollectPagesGroup(const COutlineTree::Item *child, PagesGroup &group,
                                                              PagesForm form)
{
    const COutlineTree &tree = *m_courseTree;
    const auto isContainer = [&tree](const COutlineTree::Item *item) { return TypeOf(tree.GetItemData(item)) == pt_container; };
    const COutlineTree::Item *below = child;
    if (form == PagesForm::Menu) {
        if (isContainer(child)) {
            group.list = true;
            if (COutlineTree::IsMenuPage(group.standIn))
                StartPagesBlock();
            while (below && isContainer(below))
                below = tree.GetChildItem(below);
        }
    } else {
        while (below && isContainer(below)) {
            below = tree.GetChildItem(below);
            group.list = below != nullptr;
        }
    }
    if (below)
        CollectSiblingIds(below, group.ids);
    else
        group.ids.clear();
    return form == PagesForm::Menu ? child : below;
}

void CPagesScript::WritePagesGroup(CPublishFile &file, const PagesGroup &group)
{
    const QStringList &ids = group.ids;
    if (!group.list) {
        // One pair per screen, each headed by the group's first id.
        for (qsizetype i = 1; i < ids.size(); ++i) {
            if (m_entryIndex == 0)
                file.WriteString(QStringLiteral("p[%1] = [];\n").arg(m_blockIndex));
            file.WriteString(QStringLiteral("p[%1][%2] = [\"%3\",\"%4\"];\n")
                                 .arg(m_blockIndex)
                                 .arg(m_entryIndex)
                                 .arg(ids.front(), ids[i]));
            ++m_entryIndex;
        }
        return;
    }
    // A list of one id is no group: nothing is written, and its remediation is dropped.
    if (ids.size() < 2)
        return;
    if (m_entryIndex == 0)
        file.WriteString(QStringLiteral("\np[%1] = [];\n").arg(m_blockIndex));
    file.WriteString(QStringLiteral("p[%1][%2] = %3;\n").arg(m_blockIndex).arg(m_entryIndex).arg(IdList(ids)));
    ++m_entryIndex;
    m_pagesText += group.remediation;
}

void CPagesScript::CollectSiblingIds(const COutlineTree::Item *item, QStringList &ids) const
{
    for (; item; item = m_courseTree->GetNextSiblingItem(item)) {
        const CCorvPage *screen = m_courseTree->GetItemData(item);
        if (screen && screen->GetPageType() != pt_remediation)
            ids.append(screen->GetPublishId());
    }
}

void CPagesScript::WriteRemediationInstance(const CComponentRemediation &remediation, const CCorvPage *start,
                                                QString &out)
{
    if (!m_triggerScreen) {
        out.clear();
        return;
    }
    QString instance;
    if (!ReadAnsiTextFile(CorvProgramData::Resolve(m_context.ProgramFolder(), kRemediationInstance), instance)) {
        ++m_remediationNumber;
        return;
    }
    // The screens are looked up here, not through the component, which would drop the deleted ones from
    // the course while it is published.
    QStringList questions;
    for (int number : remediation.GetStoredQuestionPageIds())
        if (const CCorvPage *question = m_document.FindScreenByNumber(number))
            questions.append(question->GetPublishId());
    if (questions.isEmpty())
        return;
    const auto targetId = [this](int number) { return IdOf(m_document.FindScreenByNumber(number)); };
    instance.replace(QLatin1String("<~questions~>"), IdList(questions));
    instance.replace(QLatin1String("<~num~>"), QString::number(m_remediationNumber));
    instance.replace(QLatin1String("<~topic~>"), QStringLiteral("[%1][%2]").arg(m_blockIndex).arg(m_entryIndex));
    instance.replace(QLatin1String("<~passmark~>"), QString::number(remediation.m_passMark));
    instance.replace(QLatin1String("<~trigger~>"), u'"' + IdOf(m_triggerScreen) + u'"');
    instance.replace(QLatin1String("<~start~>"), u'"' + IdOf(start) + u'"');
    instance.replace(QLatin1String("<~prev~>"), targetId(remediation.m_reverseOutPageId));
    instance.replace(QLatin1String("<~next~>"), targetId(remediation.m_completionPageId));
    out = instance;
    ++m_remediationNumber;
}

void CPagesScript::WriteRemUtility(CPublishFile &file) const
{
    QString text;
    if (ReadAnsiTextFile(CorvProgramData::Resolve(m_context.ProgramFolder(), kRemediationUtility), text))
        file.WriteString(text);
}

void CPagesScript::WriteRemCleanup(CPublishFile &file) const
{
    QString text;
    if (ReadAnsiTextFile(CorvProgramData::Resolve(m_context.ProgramFolder(), kRemediationCleanup), text))
        file.WriteString(text);
}

void CPagesScript::WriteAnswerEntries(CPublishFile &file) const
{
    for (const auto &screen : m_document.MainScreens()) {
        const QString &id = screen->GetPublishId();
        // A screen without a publish id is not in the outline: the course never shows it, and its answers
        // would have no key to be hidden with.
        if (screen->GetPageType() != pt_question || id.isEmpty() || m_document.HasGlossaryScreen(id))
            continue;
        for (const auto &component : screen->GetComponentList()) {
            std::optional<QString> answer;
            QString line;
            if (const auto *blanks = dynamic_cast<const CComponentFillBlanks *>(component.get()))
                answer = CorvAnswerTexts::FillBlanks(*blanks);
            else if (const auto *freeForm = dynamic_cast<const CComponentFreeFormText *>(component.get()))
                freeForm->BuildKeywordsJs(id, line);
            else if (const auto *slider = dynamic_cast<const CComponentLikert *>(component.get()))
                answer = CorvAnswerTexts::Slider(*slider);
            else if (const auto *choice = dynamic_cast<const CComponentMultipleChoice *>(component.get()))
                answer = CorvAnswerTexts::MultipleChoice(*choice);
            if (answer)
                line = QStringLiteral("quest[\"%1\"] = \"%2\";\n").arg(id, ScrambleString(*answer, id).value_or(QString()));
            if (!line.isEmpty())
                file.WriteString(line);
        }
    }
}
