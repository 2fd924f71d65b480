#include "document/ScreenFactory.h"

#include "document/CorvessaDoc.h"
#include "document/NewComponents.h"
#include "document/ProjectArchive.h"
#include "document/WordTable.h"
#include "model/ComponentFillBlanks.h"
#include "model/ComponentFlashQuestion.h"
#include "model/ComponentImage.h"
#include "model/ComponentLikert.h"
#include "model/ComponentRemediation.h"
#include "model/ComponentTable.h"
#include "model/ComponentTextbox.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "platform/PathUtil.h"

#include <algorithm>

namespace {

// The box of the theme's title picture when it cannot be read.
constexpr int kThemeTitleWidth = 174;
constexpr int kThemeTitleHeight = 26;

constexpr CRect kFullScreen{0, 0, 1008, 560};
constexpr CRect kSlidePicture{130, 0, 877, 560};

const QString kFreeFormTitle = QStringLiteral("Free form text question");

} // namespace

CScreenFactory::CScreenFactory(CCorvessaDoc &doc) : m_doc(doc)
{
}

CCorvPage *CScreenFactory::InsertScreen(CCorvessaDoc &doc, std::unique_ptr<CCorvPage> screen, CCorvPage *after,
                                        List list)
{
    if (list == List::byAfter) {
        const int type = after ? after->GetPageType() : -1;
        list = type == pt_popups_only ? List::popups : type == pt_glossary ? List::glossary : List::main;
    }
    return doc.AddScreen(std::move(screen), after, list == List::popups, list == List::glossary);
}

QString CScreenFactory::GetPlaceholderImagePath(const CCorvessaDoc &doc, int size)
{
    return doc.GetPlaceholderImagePath(size);
}

std::unique_ptr<CCorvPage> CScreenFactory::NewScreen(const QString &title, const QString &label, int pageType,
                                                     const QString &banner, const QString &sourceDocument,
                                                     int assessable)
{
    return std::make_unique<CCorvPage>(m_doc.TakeNextScreenNumber(), title, banner, sourceDocument, assessable, label,
                                       pageType, -1);
}

void CScreenFactory::Place(CCorvPage &screen, std::unique_ptr<CComponentBase> component, const CRect &rect)
{
    component->SetBounds(rect, true);
    Append(screen, std::move(component));
}

void CScreenFactory::Append(CCorvPage &screen, std::unique_ptr<CComponentBase> component)
{
    // The kinds made here are never refused; one that were would go with the handed-back pointer.
    screen.AddComponent(std::move(component));
}

template <class Question>
void CScreenFactory::SetQuestionFont(Question &question) const
{
    question.SetFont(m_doc.Settings().FontName[0], CProjectArchive::MainFontPoints(m_doc.Settings()));
}

// ---- Structural screens ----

CCorvPage *CScreenFactory::AddMainMenuScreen(const QString &title, const QString &label, CCorvPage *after)
{
    auto screen = NewScreen(title, label, pt_folder);
    screen->SetMenuKind(apt_multi_topic_menu);
    const QString picture = CNewComponents::ThemeTitlePicture(m_doc);
    int width = 0, height = 0;
    GetImageFileSize(width, height, picture);
    if (width <= 0 || height <= 0) {
        width = kThemeTitleWidth;
        height = kThemeTitleHeight;
    }
    const int left = kContentArea.left, top = kContentArea.top;
    Place(*screen, CNewComponents::Picture(m_doc, picture), CRect(left, top, left + width, top + height));
    return InsertScreen(m_doc, std::move(screen), after, List::main);
}

CCorvPage *CScreenFactory::AddContainerScreen(const QString &title, const QString &banner,
                                              const QString &sourceDocument, int assessable, const QString &label,
                                              CCorvPage *after)
{
    return InsertScreen(m_doc, NewScreen(title, label, pt_container, banner, sourceDocument, assessable), after,
                        List::byAfter);
}

CCorvPage *CScreenFactory::AddRemediationScreen(const QString &title, const QString &label, CCorvPage *after,
                                                const std::vector<int> &questionScreenIds, int completionScreenId,
                                                int reverseOutScreenId, int passMark)
{
    auto screen = NewScreen(title, label, pt_remediation);
    auto remediation = std::make_unique<CComponentRemediation>();
    remediation->SetQuestionPageIds(questionScreenIds);
    remediation->m_completionPageId = completionScreenId;
    remediation->m_reverseOutPageId = reverseOutScreenId;
    remediation->m_passMark = passMark;
    remediation->SetScreenLookup(&m_doc);
    Append(*screen, std::move(remediation));
    return InsertScreen(m_doc, std::move(screen), after, List::main);
}

CCorvPage *CScreenFactory::AddPopupsFolder(const QString &title, const QString &label, CCorvPage *after)
{
    CCorvPage *folder = InsertScreen(m_doc, NewScreen(title, label, pt_popups_only), after, List::popups);
    if (!m_doc.GetPopupsFolder())
        m_doc.SetPopupsFolder(folder);
    return folder;
}

CCorvPage *CScreenFactory::AddGlossaryFolder(const QString &title, const QString &label, CCorvPage *after)
{
    CCorvPage *folder = InsertScreen(m_doc, NewScreen(title, label, pt_glossary), after, List::glossary);
    if (!m_doc.GetGlossaryFolder())
        m_doc.SetGlossaryFolder(folder);
    return folder;
}

// ---- Question screens ----

CCorvPage *CScreenFactory::AddCompleteParagraphScreen(const QString &title, const QString &label, CCorvPage *after,
                                                      const QString &instruction, const QString &paragraph,
                                                      const CComponentQuestion::Words &missingWords,
                                                      const QString &correctFeedback, const QString &wrongFeedback)
{
    auto screen = NewScreen(title, label, pt_question);
    auto question = std::make_unique<CComponentCompleteParagraph>(m_doc.GetEditCanvas());
    SetQuestionFont(*question);
    question->SetInstruction(instruction);
    question->SetQuestionText(paragraph);
    question->SetMissingWords(missingWords);
    question->SetCorrectFeedback(correctFeedback);
    question->SetWrongFeedback(wrongFeedback);
    Place(*screen, std::move(question), kContentArea);
    return InsertScreen(m_doc, std::move(screen), after, List::main);
}

CCorvPage *CScreenFactory::AddFreeFormTextScreen(CCorvPage *after, const QString &label,
                                                 CComponentFreeFormText::Dialog &dialog)
{
    auto screen = NewScreen(kFreeFormTitle, label, pt_question);
    auto question =
        std::make_unique<CComponentFreeFormText>(m_doc.GetEditCanvas(), m_doc.GetContext().QuestionIds());
    question->m_correctFeedback = m_doc.Settings().FeedBackCorrect;
    question->m_wrongFeedback = m_doc.Settings().FeedBackWrong;
    if (!question->EditProperties(dialog))
        return nullptr;
    SetQuestionFont(*question);
    Place(*screen, std::move(question), kContentArea);
    return InsertScreen(m_doc, std::move(screen), after, List::main);
}

CCorvPage *CScreenFactory::AddFillBlanksScreen(const QString &title, const QString &label, CCorvPage *after,
                                               const QString &instruction, const QString &questionText,
                                               const CComponentQuestion::Words &words,
                                               const QString &correctFeedback, const QString &wrongFeedback)
{
    auto screen = NewScreen(title, label, pt_question);
    auto question = std::make_unique<CComponentFillBlanks>(m_doc.GetEditCanvas());
    question->SetBounds(kContentArea, true);
    SetQuestionFont(*question);
    question->SetInstruction(instruction);
    question->SetQuestionText(questionText);
    question->SetWords(words);
    question->SetCorrectFeedback(correctFeedback);
    question->SetWrongFeedback(wrongFeedback);
    Append(*screen, std::move(question));
    return InsertScreen(m_doc, std::move(screen), after, List::main);
}

CCorvPage *CScreenFactory::AddMatchPairsScreen(const QString &title, const QString &label, CCorvPage *after,
                                               const QString &questionText,
                                               const CComponentMatchPairs::Slots &leftTexts,
                                               const CComponentMatchPairs::Slots &leftImages,
                                               const CComponentMatchPairs::Slots &rightTexts,
                                               const CComponentMatchPairs::Slots &rightImages,
                                               const QString &correctFeedback, const QString &wrongFeedback, int zoom)
{
    auto screen = NewScreen(title, label, pt_question);
    auto question = std::make_unique<CComponentMatchPairs>(m_doc.GetEditCanvas());
    question->SetBounds(kContentArea, true);
    SetQuestionFont(*question);
    question->SetQuestionText(questionText);
    question->SetLeftTexts(leftTexts);
    question->SetLeftImages(leftImages);
    question->SetRightTexts(rightTexts);
    question->SetRightImages(rightImages);
    question->SetCorrectFeedback(correctFeedback);
    question->SetWrongFeedback(wrongFeedback);
    question->SetZoomImages(zoom);
    question->ExchangeData(false);
    Append(*screen, std::move(question));
    return InsertScreen(m_doc, std::move(screen), after, List::main);
}

CCorvPage *CScreenFactory::AddMultipleChoiceScreen(const QString &title, const QString &label, CCorvPage *after,
                                                   const QString &stem,
                                                   const CComponentMultipleChoice::Options &options,
                                                   const CComponentMultipleChoice::CorrectFlags &correct,
                                                   const QString &correctFeedback, const QString &wrongFeedback,
                                                   int singleAnswer, int trueFalse, const QString &instruction)
{
    auto screen = NewScreen(title, label, pt_question);
    auto question = std::make_unique<CComponentMultipleChoice>(m_doc.GetEditCanvas());
    question->SetBounds(kContentArea, true);
    SetQuestionFont(*question);
    question->SetQuestionText(stem);
    question->SetOptions(options, correct);
    question->SetCorrectFeedback(correctFeedback);
    question->SetWrongFeedback(wrongFeedback);
    question->SetTrueFalse(trueFalse);
    // The true-or-false style makes the question single-answer; a multiple-choice question keeps the
    // author's choice of radio behaviour.
    if (trueFalse == 0)
        question->m_singleAnswer = singleAnswer ? 1 : 0;
    question->SetInstruction(instruction);
    Append(*screen, std::move(question));
    return InsertScreen(m_doc, std::move(screen), after, List::main);
}

CCorvPage *CScreenFactory::AddPartIdentificationScreen(const QString &title, const QString &label, CCorvPage *after,
                                                       const QString &questionText, const QString &imageFile,
                                                       const TargetRects &targets, const QString &correctFeedback,
                                                       const QString &wrongFeedback, int targetCount,
                                                       int targetsToMatch, int reduceToFit,
                                                       uint32_t highlightColour)
{
    auto screen = NewScreen(title, label, pt_question);
    auto question = std::make_unique<CComponentPartIdentification>(m_doc.GetEditCanvas());
    question->SetBounds(kContentArea, true);
    SetQuestionFont(*question);
    question->m_highlightColor = int(highlightColour);
    question->SetQuestionText(questionText);
    question->m_reduceToFit = reduceToFit;
    question->ExchangeData(false);
    question->SetImageFile(imageFile);
    const int count = std::clamp(targetCount, 0, int(targets.size()));
    for (int i = 0; i < count; ++i) {
        const CRect &r = targets[size_t(i)];
        question->SetTargetRect(r.left, r.top, r.right, r.bottom, i);
    }
    question->SetTargetCount(targetCount);
    question->m_targetsToMatch = targetsToMatch;
    question->SetCorrectFeedback(correctFeedback);
    question->SetWrongFeedback(wrongFeedback);
    Append(*screen, std::move(question));
    return InsertScreen(m_doc, std::move(screen), after, List::main);
}

CCorvPage *CScreenFactory::AddFlashQuestionScreen(const QString &title, const QString &label, CCorvPage *after,
                                                  const QString &flashFile, int fullScreen, int flashVersion,
                                                  const QString &windowMode, uint32_t backgroundColour,
                                                  const QString &flashVars)
{
    auto screen = NewScreen(title, label, pt_question);
    auto question = std::make_unique<CComponentFlashQuestion>(m_doc.GetEditCanvas());
    question->SetBounds(fullScreen ? kFullScreen : kContentArea, true);
    question->SetFilePath(flashFile);
    question->SetBackgroundColor(backgroundColour);
    question->SetFlashVars(flashVars);
    question->SetFlashVersion(flashVersion);
    question->m_windowMode = windowMode;
    Append(*screen, std::move(question));
    return InsertScreen(m_doc, std::move(screen), after, List::main);
}

CCorvPage *CScreenFactory::AddLikertScreen(const QString &title, const QString &label, CCorvPage *after,
                                           const LikertValues &v)
{
    auto screen = NewScreen(title, label, pt_question);
    // The slider keeps the rectangle it is made with.
    auto question = std::make_unique<CComponentLikert>(m_doc.GetEditCanvas());
    question->SetQuestionText(v.questionText);
    question->SetHorizontal(v.horizontal);
    question->SetShowFill(v.showFill);
    question->SetShowValue(v.showValue);
    question->SetUseNumbers(v.useNumbers);
    question->SetStartValue(v.startValue);
    question->SetEndValue(v.endValue);
    question->SetStartLabel(v.startLabel);
    question->SetEndLabel(v.endLabel);
    question->SetSnap(v.snap);
    question->SetEvaluate(v.evaluate);
    question->SetCorrectValue(v.correctValue);
    question->SetDecimalPlaces(v.decimalPlaces);
    question->SetCorrectFeedback(v.correctFeedback);
    question->SetWrongFeedback(v.wrongFeedback);
    question->SetWords(v.words);
    question->SetTolerance(v.tolerance);
    question->SetMarkers(v.markers);
    Append(*screen, std::move(question));
    return InsertScreen(m_doc, std::move(screen), after, List::main);
}

// ---- Other content screens ----

CCorvPage *CScreenFactory::AddSlideImageScreen(const QString &title, const QString &label, CCorvPage *after)
{
    auto screen = NewScreen(title, label, pt_document);
    Place(*screen, CNewComponents::Picture(m_doc, GetPlaceholderImagePath(m_doc, 2)), kSlidePicture);
    return InsertScreen(m_doc, std::move(screen), after, List::main);
}

CCorvPage *CScreenFactory::AddTextScreen(const QString &title, const QString &label, CCorvPage *after,
                                         int defaultText)
{
    auto screen = NewScreen(title, label, pt_document);
    Place(*screen, CNewComponents::TextBox(m_doc, defaultText), kContentArea);
    return InsertScreen(m_doc, std::move(screen), after, List::byAfter);
}

CCorvPage *CScreenFactory::AddBlankScreen(const QString &title, const QString &label, CCorvPage *after)
{
    return InsertScreen(m_doc, NewScreen(title, label, pt_document), after, List::byAfter);
}

CCorvPage *CScreenFactory::AddWordTableScreen(const QString &title, const QString &label, const CWordTable &source)
{
    auto screen = NewScreen(title, label, pt_document);
    auto table = CNewComponents::Table(m_doc, CNewComponents::DefaultTableSettings(source.RowCount(),
                                                                                   source.ColumnCount()));
    table->SetBounds(kContentArea, true);
    // Word ends every cell's text with its end-of-cell mark.
    const QString endOfCell = QStringLiteral("\r\a");
    for (int row = 0; row < source.RowCount(); ++row)
        for (int cell = 0; cell < source.CellCount(row); ++cell)
            table->SetCellText(source.CellText(row, cell).remove(endOfCell), row, cell);
    // Filled before the screen joins a list, so the course never shows a half-read table.
    Append(*screen, std::move(table));
    return InsertScreen(m_doc, std::move(screen), nullptr, List::main);
}

CCorvPage *CScreenFactory::DuplicateScreen(const CCorvPage *source, const QString &label, CCorvPage *after)
{
    if (!source)
        return nullptr;
    auto screen = NewScreen(source->GetTitle(), label, source->GetPageType(), source->GetBanner());
    for (const auto &component : source->GetComponentList()) {
        std::unique_ptr<CComponentBase> clone = component->Clone(true);
        if (!clone)
            continue;
        if (auto *textbox = dynamic_cast<CComponentTextbox *>(clone.get()))
            textbox->SetFileName(CNewComponents::TakeTextBoxFileName(m_doc));
        else if (auto *table = dynamic_cast<CComponentTable *>(clone.get()))
            table->SetFileName(CNewComponents::TakeTableFileName(m_doc));
        Append(*screen, std::move(clone));
    }
    return InsertScreen(m_doc, std::move(screen), after, List::byAfter);
}
