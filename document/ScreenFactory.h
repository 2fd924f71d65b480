#pragma once

#include "model/ComponentCompleteParagraph.h"
#include "model/ComponentFreeFormText.h"
#include "model/ComponentMatchPairs.h"
#include "model/ComponentMultipleChoice.h"
#include "model/ComponentPartIdentification.h"
#include "platform/Rect.h"

#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class CComponentBase;
class CCorvContext;
class CCorvPage;
class CCorvessaDoc;
class CWordTable;

// Makes every screen that comes into being while the author works: the structural screens, the question
// screens, the slide, text, blank and Word-table screens and the duplicate of a screen. Each factory takes
// the document's next screen number (which moves on, even when the factory then makes nothing), builds the
// screen with the default components of its kind in drawing order (the first listed backmost), inserts it
// into one of the document's screen lists right after the given screen and returns it; the list owns it.
// The caller gives the title and the outline label and puts the screen into the outline.
//
// Rectangles are canvas coordinates: new components lie in the content area (36, 32)-(972, 520).
class CScreenFactory
{
public:
    explicit CScreenFactory(CCorvessaDoc &doc);

    // The content area of a new screen.
    static constexpr CRect kContentArea{36, 32, 972, 520};

    // Which list a new screen goes to. byAfter: the popups list after a screen of page type 7, the
    // glossary list after one of page type 9, else (also without a screen) the main list.
    enum class List { main, popups, glossary, byAfter };
    // Puts the screen into the list, right after `after` when that screen is in it, else at its end.
    static CCorvPage *InsertScreen(CCorvessaDoc &doc, std::unique_ptr<CCorvPage> screen, CCorvPage *after, List list);
    // The program folder's placeholder picture of a picture-size preset: "tmp_small.png" for 0,
    // "tmp_large.png" for 2, "tmp_medium.png" for any other value.
    static QString GetPlaceholderImagePath(const CCorvessaDoc &doc, int size);

    // ---- Structural screens ----
    CCorvPage *AddMainMenuScreen(const QString &title, const QString &label, CCorvPage *after);
    CCorvPage *AddContainerScreen(const QString &title, const QString &banner, const QString &sourceDocument,
                                  int assessable, const QString &label, CCorvPage *after);
    CCorvPage *AddRemediationScreen(const QString &title, const QString &label, CCorvPage *after,
                                    const std::vector<int> &questionScreenIds, int completionScreenId,
                                    int reverseOutScreenId, int passMark);
    CCorvPage *AddPopupsFolder(const QString &title, const QString &label, CCorvPage *after);
    CCorvPage *AddGlossaryFolder(const QString &title, const QString &label, CCorvPage *after);

    // ---- Question screens ----
    CCorvPage *AddCompleteParagraphScreen(const QString &title, const QString &label, CCorvPage *after,
                                          const QString &instruction, const QString &paragraph,
                                          const CComponentQuestion::Words &missingWords,
                                          const QString &correctFeedback, const QString &wrongFeedback);
    // The author fills the question in its dialog; null when he cancels (the screen number is used up).
    CCorvPage *AddFreeFormTextScreen(CCorvPage *after, const QString &label, CComponentFreeFormText::Dialog &dialog);
    CCorvPage *AddFillBlanksScreen(const QString &title, const QString &label, CCorvPage *after,
                                   const QString &instruction, const QString &questionText,
                                   const CComponentQuestion::Words &words, const QString &correctFeedback,
                                   const QString &wrongFeedback);
    CCorvPage *AddMatchPairsScreen(const QString &title, const QString &label, CCorvPage *after,
                                   const QString &questionText, const CComponentMatchPairs::Slots &leftTexts,
                                   const CComponentMatchPairs::Slots &leftImages,
                                   const CComponentMatchPairs::Slots &rightTexts,
                                   const CComponentMatchPairs::Slots &rightImages, const QString &correctFeedback,
                                   const QString &wrongFeedback, int zoom);
    // singleAnswer applies to the multiple-choice style; a true-or-false question always has one answer.
    CCorvPage *AddMultipleChoiceScreen(const QString &title, const QString &label, CCorvPage *after,
                                       const QString &stem, const CComponentMultipleChoice::Options &options,
                                       const CComponentMultipleChoice::CorrectFlags &correct,
                                       const QString &correctFeedback, const QString &wrongFeedback,
                                       int singleAnswer, int trueFalse, const QString &instruction);
    using TargetRects = std::array<CRect, CComponentPartIdentification::kMaxTargets>;
    // The first targetCount rectangles (at most ten) are the targets.
    CCorvPage *AddPartIdentificationScreen(const QString &title, const QString &label, CCorvPage *after,
                                           const QString &questionText, const QString &imageFile,
                                           const TargetRects &targets, const QString &correctFeedback,
                                           const QString &wrongFeedback, int targetCount, int targetsToMatch,
                                           int reduceToFit, uint32_t highlightColour);
    CCorvPage *AddFlashQuestionScreen(const QString &title, const QString &label, CCorvPage *after,
                                      const QString &flashFile, int fullScreen, int flashVersion,
                                      const QString &windowMode, uint32_t backgroundColour,
                                      const QString &flashVars);
    // What the slider question's dialog hands over, in the order the question takes it.
    struct LikertValues {
        QString questionText;
        int horizontal = 1;
        int showFill = 1;
        int showValue = 1;
        int useNumbers = 1;
        float startValue = 0.0f;
        float endValue = 0.0f;
        QString startLabel;
        QString endLabel;
        int snap = 1;
        int evaluate = 1;
        float correctValue = 0.0f;
        int decimalPlaces = 0;
        QString correctFeedback;
        QString wrongFeedback;
        QString words;
        float tolerance = 0.0f;
        int markers = 10;
    };
    CCorvPage *AddLikertScreen(const QString &title, const QString &label, CCorvPage *after,
                               const LikertValues &values);

    // ---- Other content screens ----
    CCorvPage *AddSlideImageScreen(const QString &title, const QString &label, CCorvPage *after);
    CCorvPage *AddTextScreen(const QString &title, const QString &label, CCorvPage *after, int defaultText);
    CCorvPage *AddBlankScreen(const QString &title, const QString &label, CCorvPage *after);
    // A screen holding the table read from a Word document, appended to the main list.
    CCorvPage *AddWordTableScreen(const QString &title, const QString &label, const CWordTable &table);

    // A copy of the screen with copies of its components in place; text boxes and tables get file names of
    // their own (an HTML text keeps its name, which names no file). Null for a null source.
    CCorvPage *DuplicateScreen(const CCorvPage *source, const QString &label, CCorvPage *after);

    // ---- What every factory does ----
    // Takes the next screen number and builds the screen (thumbnail index -1).
    std::unique_ptr<CCorvPage> NewScreen(const QString &title, const QString &label, int pageType,
                                         const QString &banner = QString(), const QString &sourceDocument = QString(),
                                         int assessable = 0);
    // Places the component over the rectangle and puts it in front of the screen's others.
    void Place(CCorvPage &screen, std::unique_ptr<CComponentBase> component, const CRect &rect);
    void Append(CCorvPage &screen, std::unique_ptr<CComponentBase> component);

private:
    // The course's question font on a question component.
    template <class Question>
    void SetQuestionFont(Question &question) const;

    CCorvessaDoc &m_doc;
};
