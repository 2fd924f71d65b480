#include "app/AssessmentRules.h"

#include "document/CourseSettings.h"

#include <algorithm>

namespace CorvAssessmentRules {

void ResetAssessment(CCourseSettings &s)
{
    s.LastAssessmentTopic = 0;
    s.LinearSourceAssessable = 0;
    s.ShowCorrectAnswer = 0;
    s.ProvideFeedback = 0;
    s.IncEvalBtn4Assessment = 1;
    s.SetTimeLimitPerQuestion = 0;
    s.ShowTimer = 1;
    s.TimeLimitType = 0;
    s.TimeLimitEachQuestion = 60;
    s.TimeLimitAllQuestions = 600;
    s.SetQuestionCountFromPool = 0;
    s.QuestionCountFromPool = 80;
    s.SetPercentagePassMark = 1;
    s.PercentagePassMark = 80;
    s.PresentRandomQuestions = 1;
    s.PresentRandomMultiChoice = 1;
    s.DisableNextBtn2 = 0;
    s.DisableBackBtn2 = 1;
    s.DisableMenuBtn2 = 0;
}

AssessmentStates ApplyAssessmentRules(CCourseSettings &s)
{
    const bool assessment = s.LastAssessmentTopic != 0;
    const bool feedback = s.ProvideFeedback != 0;
    const bool evaluate = s.IncEvalBtn4Assessment != 0;
    const bool timed = assessment && s.SetTimeLimitPerQuestion != 0;
    // The two automatic-progress options exclude each other: after the OK of per-question feedback, or
    // after Evaluate when there is no feedback.
    if (!(feedback && assessment))
        s.AutoProgressInAssessment = 0;
    if (feedback || !evaluate)
        s.AutoProgressOnEvaluateInAssessment = 0;
    AssessmentStates states;
    states.options = assessment;
    states.feedbackButton = states.okProgress = feedback && assessment;
    states.evaluateProgress = assessment && !feedback && evaluate;
    states.timer = timed;
    states.eachSeconds = timed && s.TimeLimitType == 0;
    states.allSeconds = timed && s.TimeLimitType != 0;
    states.poolCount = assessment && s.SetQuestionCountFromPool != 0;
    states.passMark = s.SetPercentagePassMark != 0;
    return states;
}

Range SpinRange(NumberField field)
{
    switch (field) {
    case NumberField::EachSeconds:
    case NumberField::AllSeconds: return {0, 3600};
    case NumberField::PoolCount: return {0, 1000};
    case NumberField::PassMark: break;
    }
    return {0, 100};
}

QString NotAnIntegerMessage() { return QStringLiteral("Please enter an integer."); }

NumberEntry CheckNumber(NumberField field, const QString &text)
{
    bool ok = false;
    const int number = text.trimmed().toInt(&ok);
    if (!ok)
        return {false, 0, NotAnIntegerMessage()};
    if (field == NumberField::PassMark) {
        if (number < 0 || number > 100)
            return {true, std::clamp(number, 0, 100), QStringLiteral("Please enter an integer between 0 and 100.")};
        return {true, number, {}};
    }
    if (number < 0)
        return {false, 0, QStringLiteral("Please enter an integer of 0 or more.")};
    return {true, number, {}};
}

void ResetInteractivity(CCourseSettings &s)
{
    s.UseQuestFeedback = 1;
    s.DisableNextBtn = 1;
    s.IncEvalBtn = 1;
    s.QuestResponse = 0;
}

InteractivityStates ApplyInteractivityRules(CCourseSettings &s)
{
    const bool feedback = s.UseQuestFeedback != 0;
    const bool evaluate = s.IncEvalBtn != 0;
    if (!feedback)
        s.AutoProgress = 0;
    if (feedback || !evaluate)
        s.AutoProgressOnEvaluate = 0;
    return {feedback, !feedback && evaluate};
}

int ResponseChoice(int questResponse) { return questResponse == 0 || questResponse == 1 ? questResponse : 2; }

void ResetParagraphQuestions(CCourseSettings &s)
{
    s.AutoCreateDragDropQuest = 0;
    s.DragDropQuestInterval = 10;
    s.DragDropQuestWordCount = 6;
    s.UseRandScreensQuest = 0;
}

Range IntervalRange() { return {0, 100}; }
Range WordCountRange() { return {2, 10}; }

int ClampWordCount(int words)
{
    const Range range = WordCountRange();
    return std::clamp(words, range.low, range.high);
}

} // namespace CorvAssessmentRules
