#include "app/AssessmentRules.h"
#include "document/CourseSettings.h"

#include <gtest/gtest.h>

using namespace CorvAssessmentRules;

// Guards the assessment's automatic progress: after OK only with feedback in an assessment, after Evaluate
// only with Evaluate and no feedback; a stored option that breaks its rule is cleared and any other kept.
TEST(AssessmentRules, AutomaticProgressTable)
{
    struct Case
    {
        int assessment, feedback, evaluate;
        int okKept, evaluateKept;
        bool okEnabled, evaluateEnabled;
    };
    const Case cases[] = {
        {1, 1, 1, 1, 0, true, false},
        {1, 0, 1, 0, 1, false, true},
        {1, 0, 0, 0, 0, false, false},
        {0, 1, 1, 0, 0, false, false},
        // Without the assessment the Evaluate option is kept (greyed) for when it comes back.
        {0, 0, 1, 0, 1, false, false},
    };
    for (const Case &c : cases) {
        CCourseSettings s;
        s.LastAssessmentTopic = c.assessment;
        s.ProvideFeedback = c.feedback;
        s.IncEvalBtn4Assessment = c.evaluate;
        s.AutoProgressInAssessment = 1;
        s.AutoProgressOnEvaluateInAssessment = 1;
        const AssessmentStates states = ApplyAssessmentRules(s);
        const std::string at = std::to_string(c.assessment) + std::to_string(c.feedback) + std::to_string(c.evaluate);
        EXPECT_EQ(s.AutoProgressInAssessment, c.okKept) << at;
        EXPECT_EQ(s.AutoProgressOnEvaluateInAssessment, c.evaluateKept) << at;
        EXPECT_EQ(states.okProgress, c.okEnabled) << at;
        EXPECT_EQ(states.evaluateProgress, c.evaluateEnabled) << at;
        EXPECT_EQ(states.feedbackButton, c.okEnabled) << at;
    }
}

// Guards the other states: the time fields follow the switch, the limit and its kind; the pool follows
// its box and the switch; the pass mark stands on its own.
TEST(AssessmentRules, EnabledStates)
{
    CCourseSettings s;
    s.SetPercentagePassMark = 1;
    s.SetTimeLimitPerQuestion = 1;
    s.SetQuestionCountFromPool = 1;
    AssessmentStates off = ApplyAssessmentRules(s);
    EXPECT_FALSE(off.options || off.timer || off.eachSeconds || off.allSeconds || off.poolCount);
    EXPECT_TRUE(off.passMark);
    s.LastAssessmentTopic = 1;
    s.TimeLimitType = 1;
    AssessmentStates on = ApplyAssessmentRules(s);
    EXPECT_TRUE(on.options && on.timer && on.allSeconds && on.poolCount);
    EXPECT_FALSE(on.eachSeconds);
    s.SetPercentagePassMark = 0;
    EXPECT_FALSE(ApplyAssessmentRules(s).passMark);
}

// Guards the typed numbers: text that is no integer is refused with a message; a negative time or pool is
// refused (the course would never time out, or ask nothing); a pass mark beyond 0..100 is brought back into
// it; anything else is stored, beyond the arrows' range too.
TEST(AssessmentRules, TypedNumbers)
{
    struct Case
    {
        NumberField field;
        QString text;
        bool store;
        int value;
        bool told;
    };
    const Case cases[] = {
        {NumberField::AllSeconds, "5000", true, 5000, false},
        {NumberField::PoolCount, " 1200 ", true, 1200, false},
        {NumberField::EachSeconds, "0", true, 0, false},
        {NumberField::EachSeconds, "-5", false, 0, true},
        {NumberField::PoolCount, "-1", false, 0, true},
        {NumberField::EachSeconds, "ten", false, 0, true},
        {NumberField::PassMark, "", false, 0, true},
        {NumberField::PassMark, "150", true, 100, true},
        {NumberField::PassMark, "-3", true, 0, true},
        {NumberField::PassMark, "55", true, 55, false},
    };
    for (const Case &c : cases) {
        const NumberEntry entry = CheckNumber(c.field, c.text);
        EXPECT_EQ(entry.store, c.store) << qPrintable(c.text);
        if (c.store) {
            EXPECT_EQ(entry.value, c.value) << qPrintable(c.text);
        }
        EXPECT_EQ(!entry.message.isEmpty(), c.told) << qPrintable(c.text);
    }
    EXPECT_EQ(CheckNumber(NumberField::PoolCount, "x").message, "Please enter an integer.");
    EXPECT_EQ(SpinRange(NumberField::PoolCount).high, 1000);
    EXPECT_EQ(SpinRange(NumberField::AllSeconds).high, 3600);
}

// Guards the Interactivity page's rules, the same shape as the assessment's, and the response radio of a
// damaged stored value.
TEST(AssessmentRules, InteractivityRules)
{
    CCourseSettings s;
    s.UseQuestFeedback = 1;
    s.IncEvalBtn = 1;
    s.AutoProgress = s.AutoProgressOnEvaluate = 1;
    InteractivityStates withFeedback = ApplyInteractivityRules(s);
    EXPECT_TRUE(withFeedback.feedback);
    EXPECT_FALSE(withFeedback.evaluateProgress);
    EXPECT_EQ(s.AutoProgress, 1);
    EXPECT_EQ(s.AutoProgressOnEvaluate, 0);
    s.UseQuestFeedback = 0;
    s.AutoProgressOnEvaluate = 1;
    InteractivityStates without = ApplyInteractivityRules(s);
    EXPECT_TRUE(without.evaluateProgress);
    EXPECT_EQ(s.AutoProgress, 0);
    EXPECT_EQ(s.AutoProgressOnEvaluate, 1);
    s.IncEvalBtn = 0;
    EXPECT_FALSE(ApplyInteractivityRules(s).evaluateProgress);
    EXPECT_EQ(s.AutoProgressOnEvaluate, 0);
    for (const auto &[stored, radio] : {std::pair{0, 0}, {1, 1}, {2, 2}, {7, 2}, {-1, 2}})
        EXPECT_EQ(ResponseChoice(stored), radio) << stored;
}

// Guards the missing words of a paragraph question: at least two and at most ten when the field is left.
TEST(AssessmentRules, WordCountClamp)
{
    for (const auto &[typed, stored] : {std::pair{0, 2}, {1, 2}, {2, 2}, {6, 6}, {10, 10}, {15, 10}})
        EXPECT_EQ(ClampWordCount(typed), stored) << typed;
}
