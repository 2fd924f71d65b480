#include "editor/ScreenCommands.h"

#include "app/CommandIds.h"
#include "dialogs/QuestionDialogApply.h"
#include "document/ComponentInsertion.h"
#include "document/ContentScreenFactory.h"
#include "document/CorvessaDoc.h"
#include "document/EditorHooks.h"
#include "document/ScreenFactory.h"
#include "editor/CanvasEdits.h"
#include "editor/EditController.h"
#include "editor/MenuScreens.h"
#include "editor/OutlineRules.h"
#include "editor/PageIds.h"
#include "model/ComponentCompleteParagraph.h"
#include "model/ComponentFillBlanks.h"
#include "model/ComponentFlashQuestion.h"
#include "model/ComponentFreeFormText.h"
#include "model/ComponentLikert.h"
#include "model/ComponentMatchPairs.h"
#include "model/ComponentMultipleChoice.h"
#include "model/ComponentPartIdentification.h"
#include "model/ComponentTable.h"
#include "model/ComponentTextbox.h"
#include "model/CorvPage.h"
#include "model/EditCanvas.h"
#include "model/GlobalHelpers.h"
#include "platform/Prompt.h"

#include <type_traits>

namespace {

const QString kMultipleTopicMessage = QStringLiteral("This is a multiple topic, cannot add anything to empty ");

// The free-form question runs its dialog itself; this one hands it to the Edit window's dialog.
class FreeFormDialog : public CComponentFreeFormText::Dialog
{
public:
    explicit FreeFormDialog(const std::function<bool(CComponentFreeFormText::DialogValues &)> &run) : m_run(run) {}
    bool Edit(CComponentFreeFormText::DialogValues &values) override { return m_run && m_run(values); }

private:
    const std::function<bool(CComponentFreeFormText::DialogValues &)> &m_run;
};

// Runs a dialog hook that may be empty (then like Cancel).
template <class Dialog, class Values>
bool Asks(const Dialog &dialog, Values &values)
{
    if constexpr (std::is_constructible_v<bool, const Dialog &>)
        return dialog && dialog(values);
    else
        return dialog(values);
}

} // namespace

std::optional<CScreenCommands::Question> CScreenCommands::QuestionOfCommand(int commandId)
{
    namespace M = CanvasEdits::Menu;
    // Each kind is reached from the Insert menu, the canvas's menu and, for the five older kinds, the Edit
    // window's own numbers 32790 to 32794.
    switch (commandId) {
    case 32790: case CorvCommand::InsertCompleteParagraph: case M::CompleteParagraph: return Question::completeParagraph;
    case 32791: case CorvCommand::InsertFillBlanks: case M::FillBlanks: return Question::fillBlanks;
    case 32792: case CorvCommand::InsertMatchPairs: case M::MatchPairs: return Question::matchPairs;
    case 32793: case CorvCommand::InsertMultipleChoice: case M::MultipleChoice: return Question::multipleChoice;
    case CorvCommand::InsertTrueFalse: case M::TrueFalse: return Question::trueFalse;
    case 32794: case CorvCommand::InsertPartIdentification: case M::PartIdentification:
        return Question::partIdentification;
    case CorvCommand::InsertFreeFormText: case M::FreeFormText: return Question::freeFormText;
    case CorvCommand::InsertFlashQuestion: case M::FlashQuestion: return Question::flashQuestion;
    case CorvCommand::InsertLikert: case M::LikertQuestion: return Question::likert;
    default: return std::nullopt;
    }
}

// ---- New screens ----

void CScreenCommands::ShowOnCanvas(CCorvPage *screen)
{
    if (m_edit.GetHooks().showScreen)
        m_edit.GetHooks().showScreen(screen);
    else if (screen && m_edit.GetCanvas())
        screen->ShowOnCanvas(*m_edit.GetCanvas());
}

void CScreenCommands::FinishNewScreen(CCorvPage *screen, const Finish &how)
{
    CEditController::Hooks &hooks = m_edit.GetHooks();
    if (CCorvPage *current = m_edit.GetCurrentPage()) {
        if (how.refresh && current->GetModified()) {
            m_edit.RefreshCurrentThumbnail();
            current->SetModified(0);
        }
        current->LeaveCanvas();
        if (hooks.clearCanvasSelection)
            hooks.clearCanvasSelection();
    }
    m_edit.AddPageAndSelect(screen);
    m_edit.Thumbs().RelabelThumbnails();
    ShowOnCanvas(screen);
    if (how.marked)
        screen->SetModified(1);
    m_edit.Document().SetModifiedFlag(true);
    // Labels are positional again and the document's lists follow the outline.
    m_edit.Renumber();
    if (how.thumbnail)
        m_edit.RefreshCurrentThumbnail();
    if (how.links && hooks.updateSectionLinks)
        hooks.updateSectionLinks();
    if (how.carets)
        screen->ResetCarets();
}

CCorvPage *CScreenCommands::MakeTemplateScreen(int templateCode, const QString &label, CCorvPage *after)
{
    CCorvessaDoc &doc = m_edit.Document();
    if (templateCode >= 0 && templateCode < CContentScreenFactory::kTemplateCount)
        return CContentScreenFactory(doc).AddContentScreenTemplate(templateCode, kNewScreenTitle, label, after,
                                                                   doc.Settings().GraphicSize, 1);
    if (templateCode == 14)
        return CScreenFactory(doc).AddBlankScreen(kNewScreenTitle, label, after);
    return CScreenFactory(doc).AddTextScreen(kNewScreenTitle, label, after, 1);
}

CCorvPage *CScreenCommands::NewScreen()
{
    CCorvessaDoc &doc = m_edit.Document();
    CCorvPage *current = m_edit.GetCurrentPage();
    if (doc.Settings().MenuBasedCourse == 1 && !current) {
        doc.Prompt().Information(kMultipleTopicMessage);
        return nullptr;
    }
    int code = 0;
    if (!m_dialogs.addScreen || !m_dialogs.addScreen(code))
        return nullptr;
    return AddScreenOfTemplate(code);
}

CCorvPage *CScreenCommands::NewScreenFromKey(int key)
{
    if (key < 1 || key > 12)
        return nullptr;
    CCorvessaDoc &doc = m_edit.Document();
    if (doc.Settings().MenuBasedCourse == 1) {
        CCorvPage *current = m_edit.GetCurrentPage();
        const CEditController::Item *item = m_edit.GetCurrentItem();
        const CCorvPage *itemScreen = item ? item->screen : current;
        const int type = itemScreen ? itemScreen->GetPageType() : -1;
        const bool allowed = current && (type == pt_container || type == pt_document || type == pt_popups_only ||
                                         type == pt_remediation || type == pt_glossary);
        if (!allowed) {
            doc.Prompt().Information(kNoScreenHereMessage);
            return nullptr;
        }
    }
    // F1 to F10 the picture layouts 0 to 9, F11 a text-only screen, F12 a blank one.
    const int code = key <= 10 ? key - 1 : (key == 11 ? kTextOnlyTemplate : kBlankTemplate);
    return AddScreenOfTemplate(code);
}

CCorvPage *CScreenCommands::AddScreenOfTemplate(int code)
{
    CCorvPage *current = m_edit.GetCurrentPage();
    QString label;
    if (current) {
        const int type = current->GetPageType();
        if (type == pt_container || type == pt_popups_only || type == pt_remediation || type == pt_glossary) {
            CEditController::Item *item = m_edit.GetCurrentItem() ? m_edit.GetCurrentItem()
                                                                  : m_edit.FindTreeItemOfPage(current);
            label = PageIds::ChildPageId(m_edit.GetTreeCtrl(), item);
        } else {
            label = PageIds::NextPageId(current->GetLabel());
        }
    } else {
        label = PageIds::NextPageId(QString());
    }
    CCorvPage *screen = MakeTemplateScreen(code, label, current);
    if (!screen)
        return nullptr;
    FinishNewScreen(screen, Finish{});
    return screen;
}

// ---- Question screens ----

bool CScreenCommands::UseFinalFeedbackPair(const CCorvPage *screen) const
{
    return CMenuScreens::UseFinalFeedbackPair(m_edit.Document(), m_edit.GetTreeCtrl(), screen);
}

CCorvPage *CScreenCommands::InsertQuestion(Question kind)
{
    namespace A = QuestionDialogApply;
    CCorvessaDoc &doc = m_edit.Document();
    CCorvPage *current = m_edit.GetCurrentPage();
    const bool assessment = UseFinalFeedbackPair(current);
    const QString correct = assessment ? doc.Settings().AssmntFeedBackCorrect : doc.Settings().FeedBackCorrect;
    const QString wrong = assessment ? doc.Settings().AssmntFeedBackWrong : doc.Settings().FeedBackWrong;

    auto preset = [&](auto &values) {
        values.correctFeedback = correct;
        values.wrongFeedback = wrong;
    };
    auto ask = [](const auto &dialog, auto &values) { return dialog && dialog(values); };
    // The label of the new screen once the dialog was OK'd; none when nothing may be inserted here.
    auto label = [&]() -> std::optional<QString> {
        QString currentLabel;
        QString newLabel;
        if (!m_edit.NewPageIdForInsert(currentLabel, newLabel))
            return std::nullopt;
        return newLabel;
    };

    CScreenFactory factory(doc);
    CCorvPage *screen = nullptr;
    switch (kind) {
    case Question::completeParagraph:
    case Question::fillBlanks: {
        const bool paragraph = kind == Question::completeParagraph;
        CBlankQuestionValues values =
            paragraph ? CBlankQuestionValues::CompleteParagraph() : CBlankQuestionValues::FillBlanks();
        preset(values);
        if (!m_dialogs.blankQuestion || !m_dialogs.blankQuestion(values, paragraph))
            return nullptr;
        const auto at = label();
        if (!at)
            return nullptr;
        screen = paragraph ? A::AddCompleteParagraph(factory, values, *at, current)
                           : A::AddFillBlanks(factory, values, *at, current);
        break;
    }
    case Question::multipleChoice: {
        CMultipleChoiceValues values;
        preset(values);
        if (!ask(m_dialogs.multipleChoice, values))
            return nullptr;
        const auto at = label();
        if (!at)
            return nullptr;
        screen = A::AddMultipleChoice(factory, values, *at, current);
        break;
    }
    case Question::trueFalse: {
        CTrueFalseValues values;
        preset(values);
        if (!ask(m_dialogs.trueFalse, values))
            return nullptr;
        const auto at = label();
        if (!at)
            return nullptr;
        screen = A::AddTrueFalse(factory, values, *at, current);
        break;
    }
    case Question::matchPairs: {
        // A new question starts with the default instruction to the learner.
        CMatchPairsValues values = CMatchPairsValues::Defaults();
        preset(values);
        if (!ask(m_dialogs.matchPairs, values))
            return nullptr;
        const auto at = label();
        if (!at)
            return nullptr;
        screen = A::AddMatchPairs(factory, values, *at, current);
        break;
    }
    case Question::partIdentification: {
        CPartIdentificationValues values;
        // A new question starts with the default squares: the first one too must be a target to find.
        values.targets = CPartIdentificationValues::DefaultTargets();
        preset(values);
        if (!ask(m_dialogs.partIdentification, values))
            return nullptr;
        const auto at = label();
        if (!at)
            return nullptr;
        screen = A::AddPartIdentification(factory, values, *at, current);
        break;
    }
    case Question::likert: {
        CLikertValues values;
        preset(values);
        if (!ask(m_dialogs.likert, values))
            return nullptr;
        const auto at = label();
        if (!at)
            return nullptr;
        screen = A::AddLikert(factory, values, *at, current);
        break;
    }
    case Question::flashQuestion: {
        CFlashQuestionValues values;
        if (!ask(m_dialogs.flashQuestion, values))
            return nullptr;
        const auto at = label();
        if (!at)
            return nullptr;
        screen = A::AddFlashQuestion(factory, values, *at, current);
        break;
    }
    case Question::freeFormText: {
        const auto at = label();
        if (!at)
            return nullptr;
        FreeFormDialog dialog(m_dialogs.freeFormText);
        screen = factory.AddFreeFormTextScreen(current, *at, dialog);
        break;
    }
    }
    if (!screen)
        return nullptr;
    FinishNewScreen(screen, Finish{false, false, false, true, true});
    return screen;
}

CComponentBase *CScreenCommands::FindQuestionComponent(const CCorvPage &screen)
{
    for (const auto &component : screen.GetComponentList()) {
        CComponentBase *c = component.get();
        if (dynamic_cast<CComponentCompleteParagraph *>(c) || dynamic_cast<CComponentFillBlanks *>(c) ||
            dynamic_cast<CComponentMatchPairs *>(c) || dynamic_cast<CComponentMultipleChoice *>(c) ||
            dynamic_cast<CComponentPartIdentification *>(c) || dynamic_cast<CComponentFreeFormText *>(c) ||
            dynamic_cast<CComponentVideo *>(c) || dynamic_cast<CComponentLikert *>(c))
            return c;
    }
    return nullptr;
}

bool CScreenCommands::EditQuestion()
{
    namespace A = QuestionDialogApply;
    CCorvPage *screen = m_edit.GetCurrentPage();
    if (!screen || screen->GetPageType() != pt_question)
        return false;
    CComponentBase *question = FindQuestionComponent(*screen);
    bool changed = false;
    // Load, ask, and on OK apply: the pattern of every kind.
    auto edit = [&](auto &component, auto values, const auto &dialog) {
        A::Load(component, values);
        if (Asks(dialog, values)) {
            A::Apply(values, component);
            changed = true;
        }
    };
    if (auto *q = dynamic_cast<CComponentCompleteParagraph *>(question)) {
        edit(*q, CBlankQuestionValues::CompleteParagraph(),
             [this](CBlankQuestionValues &v) { return m_dialogs.blankQuestion && m_dialogs.blankQuestion(v, true); });
    } else if (auto *q = dynamic_cast<CComponentFillBlanks *>(question)) {
        edit(*q, CBlankQuestionValues::FillBlanks(),
             [this](CBlankQuestionValues &v) { return m_dialogs.blankQuestion && m_dialogs.blankQuestion(v, false); });
    } else if (auto *q = dynamic_cast<CComponentMatchPairs *>(question)) {
        edit(*q, CMatchPairsValues{}, m_dialogs.matchPairs);
    } else if (auto *q = dynamic_cast<CComponentMultipleChoice *>(question)) {
        if (q->m_trueFalse != 0)
            edit(*q, CTrueFalseValues{}, m_dialogs.trueFalse);
        else
            edit(*q, CMultipleChoiceValues{}, m_dialogs.multipleChoice);
    } else if (auto *q = dynamic_cast<CComponentPartIdentification *>(question)) {
        edit(*q, CPartIdentificationValues{}, m_dialogs.partIdentification);
    } else if (auto *q = dynamic_cast<CComponentFreeFormText *>(question)) {
        FreeFormDialog dialog(m_dialogs.freeFormText);
        changed = q->EditProperties(dialog);
    } else if (auto *q = dynamic_cast<CComponentFlashQuestion *>(question)) {
        edit(*q, CFlashQuestionValues{}, m_dialogs.flashQuestion);
    } else if (auto *q = dynamic_cast<CComponentLikert *>(question)) {
        edit(*q, CLikertValues{}, m_dialogs.likert);
    }
    if (changed) {
        question->ExchangeData(false);
        // The edited question is the author's work: it must be saved.
        screen->SetModified(1);
        m_edit.Document().SetModifiedFlag(true);
    }
    m_edit.RefreshCurrentThumbnail();
    return changed;
}

// ---- Copy and paste ----

void CScreenCommands::CopyScreen()
{
    CCorvPage *current = m_edit.GetCurrentPage();
    const int type = current ? current->GetPageType() : -1;
    const bool refused = type == pt_popups_only || type == pt_glossary || type == pt_asmt_folder ||
                         type == pt_asmt_container || type == pt_asmt_document;
    m_edit.CopyScreen(refused ? nullptr : current);
}

CCorvPage *CScreenCommands::PasteScreen()
{
    CCorvPage *copied = m_edit.GetCopiedScreen();
    if (!copied)
        return nullptr;
    QString currentLabel;
    QString label;
    if (!m_edit.NewPageIdForInsert(currentLabel, label))
        return nullptr;
    CCorvPage *screen = CScreenFactory(m_edit.Document()).DuplicateScreen(copied, label, m_edit.GetCurrentPage());
    if (!screen)
        return nullptr;
    FinishNewScreen(screen, Finish{true, true, false, false, false});
    m_edit.RefreshPageThumbnail(screen);
    return screen;
}

// ---- Tables ----

CComponentTable *CScreenCommands::AddTable()
{
    CCorvPage *screen = m_edit.GetCurrentPage();
    if (!screen)
        return nullptr;
    CInsertTableValues values;
    values.ApplyColourRules();
    if (!m_dialogs.insertTable || !m_dialogs.insertTable(values))
        return nullptr;
    CScreenHooks hooks(screen);
    CComponentTable *table = CComponentInsertion(m_edit.Document(), hooks).InsertTable(values.ToSettings());
    if (!table)
        return nullptr;
    m_edit.Document().SetModifiedFlag(true);
    m_edit.RefreshCurrentThumbnail();
    return table;
}

// ---- Folders ----

CCorvPage *CScreenCommands::AddFinalPerformanceScreens()
{
    CCorvessaDoc &doc = m_edit.Document();
    const COutlineTree &tree = m_edit.GetTreeCtrl();
    if (CCorvPage *current = m_edit.GetCurrentPage()) {
        current->LeaveCanvas();
        if (m_edit.GetHooks().clearCanvasSelection)
            m_edit.GetHooks().clearCanvasSelection();
    }
    m_edit.SetInsertionPoint(nullptr, m_edit.GetCurrentThumbnailIndex());
    QString folderLabel = QStringLiteral("1");
    if (OutlineRules::HasMenuPage(tree, tree.GetRootItem())) {
        CEditController::Item *last = OutlineRules::FindLastMenuTopic(tree);
        QString base = QStringLiteral("1");
        if (last && last->screen)
            base = last->screen->GetLabel();
        m_edit.SetInsertionPoint(last, m_edit.GetCurrentThumbnailIndex());
        folderLabel = base + QStringLiteral("_1");
    }
    CContentScreenFactory factory(doc);
    CCorvPage *folder = factory.AddFinalPerformanceFolder(QStringLiteral("Final Performance Screens"), folderLabel,
                                                          nullptr);
    if (!folder)
        return nullptr;
    doc.SetFinalPerformanceFolder(folder);
    m_edit.AddPageAndSelect(folder);

    const QString message = QStringLiteral("Message");
    CCorvPage *shown = nullptr;
    if (doc.Settings().SetPercentagePassMark) {
        const QString passLabel = folderLabel + QStringLiteral("_1");
        CCorvPage *pass = factory.AddCompletedScreen(QStringLiteral("Pass"), passLabel, nullptr);
        m_edit.AddPageAndSelect(pass);
        CCorvPage *passMessage = factory.AddPassScreen(message, passLabel + QStringLiteral("_1"), nullptr);
        m_edit.AddPageAndSelect(passMessage);
        m_edit.RefreshPageThumbnail(passMessage);
        // The fail container goes after the pass container, not inside it.
        if (pass)
            m_edit.SetInsertionPoint(m_edit.FindTreeItemOfPage(pass), m_edit.GetCurrentThumbnailIndex());
        const QString failLabel = PageIds::NextPageId(passLabel);
        CCorvPage *fail = factory.AddCompletedScreen(QStringLiteral("Fail"), failLabel, nullptr);
        m_edit.AddPageAndSelect(fail);
        shown = factory.AddFailScreen(message, failLabel + QStringLiteral("_1"), nullptr);
    } else {
        const QString completedLabel = folderLabel + QStringLiteral("_1");
        m_edit.AddPageAndSelect(factory.AddCompletedScreen(QStringLiteral("Completed"), completedLabel, nullptr));
        shown = factory.AddMessageScreen(message, completedLabel + QStringLiteral("_1"), nullptr);
    }
    m_edit.AddPageAndSelect(shown);
    // Positional labels again (a provisional "1" beside the course's own "1" would confuse label lookups),
    // and the current screen on the canvas.
    m_edit.Renumber();
    doc.SetModifiedFlag(true);
    if (shown) {
        m_edit.RefreshPageThumbnail(shown);
        ShowOnCanvas(shown);
    }
    return folder;
}

int CScreenCommands::AddPopupsOnlyFolder()
{
    const COutlineTree &tree = m_edit.GetTreeCtrl();
    if (OutlineRules::HasPopupsOnlyFolder(tree, tree.GetRootItem()))
        return 1;
    if (CCorvPage *current = m_edit.GetCurrentPage()) {
        current->LeaveCanvas();
        if (m_edit.GetHooks().clearCanvasSelection)
            m_edit.GetHooks().clearCanvasSelection();
    }
    m_edit.SetInsertionPoint(nullptr, m_edit.GetCurrentThumbnailIndex());
    CCorvessaDoc &doc = m_edit.Document();
    CCorvPage *folder = CScreenFactory(doc).AddPopupsFolder(QStringLiteral("Popups Only"), QStringLiteral("1000"), nullptr);
    if (!folder)
        return 0;
    doc.SetPopupsFolder(folder);
    m_edit.AddPageAndSelect(folder);
    doc.SetModifiedFlag(true);
    return 0;
}

void CScreenCommands::AddGlossaryFolder()
{
    const COutlineTree &tree = m_edit.GetTreeCtrl();
    if (OutlineRules::HasGlossaryFolder(tree, tree.GetRootItem()))
        return;
    if (CCorvPage *current = m_edit.GetCurrentPage()) {
        if (current->GetModified()) {
            m_edit.RefreshCurrentThumbnail();
            current->SetModified(0);
        }
        current->LeaveCanvas();
        if (m_edit.GetHooks().clearCanvasSelection)
            m_edit.GetHooks().clearCanvasSelection();
    }
    m_edit.SetInsertionPoint(nullptr, m_edit.GetCurrentThumbnailIndex());
    CCorvessaDoc &doc = m_edit.Document();
    CCorvPage *folder = CScreenFactory(doc).AddGlossaryFolder(QStringLiteral("Glossary"), QStringLiteral("9000"), nullptr);
    if (!folder)
        return;
    doc.SetGlossaryFolder(folder);
    m_edit.AddPageAndSelect(folder);
    doc.SetModifiedFlag(true);
}

CCorvPage *CScreenCommands::AddGlossaryItem(const QString &term, const QString &definition)
{
    AddGlossaryFolder();
    const COutlineTree &tree = m_edit.GetTreeCtrl();
    CEditController::Item *glossary = nullptr;
    for (CEditController::Item *item = tree.GetRootItem(); item && !glossary; item = tree.GetNextSiblingItem(item))
        if (item->screen && item->screen->GetPageType() == pt_glossary)
            glossary = item;
    if (!glossary)
        return nullptr;
    const QString label = PageIds::ChildPageId(tree, glossary);
    // The new thumbnail goes to the end of the list, after the glossary's others.
    m_edit.SetInsertionPoint(glossary, -1);
    CCorvPage *screen = CScreenFactory(m_edit.Document()).AddTextScreen(term, label, glossary->screen, 0);
    if (!screen)
        return nullptr;
    std::vector<CComponentBase *> boxes;
    screen->GetComponentsOfType(ct_textbox, boxes);
    if (auto *box = boxes.empty() ? nullptr : dynamic_cast<CComponentTextbox *>(boxes.front()))
        box->GetRichText().AppendText(definition, 0);
    FinishNewScreen(screen, Finish{});
    return screen;
}
