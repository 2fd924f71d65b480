#pragma once

#include "dialogs/BlankQuestionValues.h"
#include "dialogs/FlashQuestionValues.h"
#include "dialogs/LikertValues.h"
#include "dialogs/MatchPairsValues.h"
#include "dialogs/MultipleChoiceValues.h"
#include "dialogs/PartIdentificationValues.h"
#include "dialogs/ScreenDialogValues.h"
#include "model/ComponentFreeFormText.h"

#include <functional>
#include <optional>

class CComponentBase;
class CComponentTable;
class CCorvPage;
class CEditController;

// The Edit window's commands on whole screens: a new content screen from a template, the nine kinds of
// question screen, editing the question of the current screen, copying and pasting screens and adding a
// table to the current screen. The dialogs are asked through Dialogs (true: OK, with the values edited in
// place), so the commands run the same with windows and without.
class CScreenCommands
{
public:
    struct Dialogs {
        std::function<bool(int &templateCode)> addScreen;
        // completeParagraph: the complete-the-paragraph dialog, else the fill-in-the-blanks one.
        std::function<bool(CBlankQuestionValues &, bool completeParagraph)> blankQuestion;
        std::function<bool(CMultipleChoiceValues &)> multipleChoice;
        std::function<bool(CTrueFalseValues &)> trueFalse;
        std::function<bool(CMatchPairsValues &)> matchPairs;
        std::function<bool(CPartIdentificationValues &)> partIdentification;
        std::function<bool(CLikertValues &)> likert;
        std::function<bool(CFlashQuestionValues &)> flashQuestion;
        std::function<bool(CComponentFreeFormText::DialogValues &)> freeFormText;
        std::function<bool(CInsertTableValues &)> insertTable;
    };

    enum class Question {
        completeParagraph,
        fillBlanks,
        matchPairs,
        multipleChoice,
        trueFalse,
        partIdentification,
        freeFormText,
        flashQuestion,
        likert
    };

    static inline const QString kNewScreenTitle = QStringLiteral("Click to change the label");
    static inline const QString kNoScreenHereMessage = QStringLiteral("You may not add new screen at current location");
    static constexpr int kTextOnlyTemplate = 10;
    static constexpr int kBlankTemplate = 14;

    CScreenCommands(CEditController &controller, Dialogs &dialogs) : m_edit(controller), m_dialogs(dialogs) {}

    // The question kind a command (menu, canvas menu) inserts; none for other commands.
    static std::optional<Question> QuestionOfCommand(int commandId);

    // A content screen of the chosen template after the current screen (as the last child of a current
    // folder); null when refused, cancelled or not made.
    CCorvPage *NewScreen();
    // Ctrl+F1 to Ctrl+F12 (key 1 to 12): a new screen of template 0 to 9, a text-only or a blank screen, without
    // the dialog. A menu-based course takes it only where the current outline item is a container, a document,
    // or a popups, remediation or glossary folder; elsewhere the author is told and nothing is made.
    CCorvPage *NewScreenFromKey(int key);
    // The screen of a template code: 0 to 9 the picture layouts, 14 blank, any other text only.
    CCorvPage *MakeTemplateScreen(int templateCode, const QString &label, CCorvPage *after);
    // A question screen of the kind after the current screen, its feedback preset from the course.
    CCorvPage *InsertQuestion(Question kind);
    // Edits the question of the current question screen; true when the author OK'd a change.
    bool EditQuestion();
    // The first question component of the screen in drawing order; null when none.
    static CComponentBase *FindQuestionComponent(const CCorvPage &screen);
    // Whether a question on the screen takes the assessment feedback texts: the course wants them for its
    // last topic and the screen lies in it (a course without a menu: always).
    bool UseFinalFeedbackPair(const CCorvPage *screen) const;

    // Remembers the current screen for Paste, unless it is a folder of popups or glossary items or part of
    // an assessment.
    void CopyScreen();
    // A copy of the copied screen after the current one; null when nothing is copied or it is refused.
    CCorvPage *PasteScreen();

    // A table from the table dialog on the current screen; null without a screen or on Cancel.
    CComponentTable *AddTable();

    // The assessment folder "Final Performance Screens" at the end of the course (in a menu course inside
    // its last topic) with "Pass" and "Fail" (a percentage pass mark) or "Completed" holding a "Message"
    // screen each; the outline is renumbered and the last message shown. The folder; null when not made.
    CCorvPage *AddFinalPerformanceScreens();
    // 1 when the course has its popups-only folder already (nothing done), else 0 after adding it.
    int AddPopupsOnlyFolder();
    // Adds the glossary folder unless the course has one.
    void AddGlossaryFolder();
    // A text screen titled with the term, the definition in its text box, last in the glossary folder.
    CCorvPage *AddGlossaryItem(const QString &term, const QString &definition);

private:
    struct Finish {
        bool refresh = true;
        bool marked = true;
        bool carets = true;
        bool thumbnail = false;
        bool links = true;
    };
    // A new screen of the template after the current one, or as the last child of a current folder.
    CCorvPage *AddScreenOfTemplate(int code);
    void FinishNewScreen(CCorvPage *screen, const Finish &how);
    void ShowOnCanvas(CCorvPage *screen);
    CCorvPage *MakeQuestion(Question kind, const QString &label, CCorvPage *after, const QString &correct,
                            const QString &wrong, bool &cancelled);

    CEditController &m_edit;
    Dialogs &m_dialogs;
};
