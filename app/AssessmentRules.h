#pragma once

#include <QString>

class CCourseSettings;

// What the Assessment, Interactivity and Questions pages decide without a window: their reset values, which
// controls are available, the automatic-progress options a course may keep, and the numbers an author may
// type.
namespace CorvAssessmentRules {

// ---- Assessment page ----

// Writes the page's reset values; the feedback texts and the two automatic-progress options are left.
void ResetAssessment(CCourseSettings &settings);

struct AssessmentStates
{
    bool options = false;          // the switch's dependents: every option but the pass mark
    bool feedbackButton = false;   // "Edit default feedback..."
    bool okProgress = false;       // progress after the feedback's OK
    bool evaluateProgress = false; // progress after Evaluate
    bool timer = false;            // "Show timer" and the two time-limit radios
    bool eachSeconds = false;
    bool allSeconds = false;
    bool poolCount = false;
    bool passMark = false;
};
// The controls' states for the stored settings. Automatic progress after the feedback's OK needs per-question
// feedback in an assessment, progress after Evaluate needs Evaluate without feedback: a stored option that
// breaks its rule is cleared (without marking anything modified), any other is kept.
AssessmentStates ApplyAssessmentRules(CCourseSettings &settings);

// The four number fields of the page. Their arrows step within a range; a typed number may go beyond it.
enum class NumberField { EachSeconds, AllSeconds, PoolCount, PassMark };
struct Range
{
    int low;
    int high;
};
Range SpinRange(NumberField field);

struct NumberEntry
{
    bool store = false; // whether value is to be stored
    int value = 0;
    QString message;    // told to the author when not empty
};
// A number typed into a field: text that is no integer is refused; a negative time or pool size is refused,
// since the course could never time out or would ask nothing; a pass mark is kept within 0 to 100.
NumberEntry CheckNumber(NumberField field, const QString &text);
QString NotAnIntegerMessage();

// ---- Interactivity page ----

void ResetInteractivity(CCourseSettings &settings);

struct InteractivityStates
{
    bool feedback = false;         // "Edit default feedback..." and progress after OK
    bool evaluateProgress = false; // progress after Evaluate
};
// As for the assessment: progress after OK needs feedback, progress after Evaluate needs Evaluate and no
// feedback; a stored option that breaks its rule is cleared.
InteractivityStates ApplyInteractivityRules(CCourseSettings &settings);

// The radio that shows QuestResponse: 0 and 1 their own, anything else "No response" (2).
int ResponseChoice(int questResponse);

// ---- Questions page ----

void ResetParagraphQuestions(CCourseSettings &settings);
Range IntervalRange();
Range WordCountRange();
// The missing-word count stored when the field is left: within 2 to 10.
int ClampWordCount(int words);

} // namespace CorvAssessmentRules
