#include "support/TempTree.h"

#include "model/ComponentAudio.h"
#include "model/ComponentFlashQuestion.h"
#include "model/ComponentFlashVideo.h"
#include "model/ComponentFreeFormText.h"
#include "model/ComponentVideo.h"
#include "model/PlaceholderTemplate.h"
#include "platform/CorvContext.h"
#include "platform/QuestionIdCounter.h"
#include "platform/RecordingPrompt.h"

#include <gtest/gtest.h>

namespace {

// Checks that text is one script expression made of double-quoted string literals joined by "+", as the
// screen scripts take a component's markup, and gives back the markup the literals hold.
bool ParseScriptLiterals(const QString &text, QString &markup, QString &why)
{
    qsizetype i = 0;
    auto skipSpace = [&] {
        while (i < text.size() && text[i].isSpace())
            ++i;
    };
    skipSpace();
    while (true) {
        if (i >= text.size() || text[i] != u'"') {
            why = QStringLiteral("no string literal at %1").arg(i);
            return false;
        }
        for (++i;; ++i) {
            if (i >= text.size() || text[i] == u'\n' || text[i] == u'\r') {
                why = QStringLiteral("unterminated literal");
                return false;
            }
            if (text[i] == u'"')
                break;
            if (text[i] == u'\\')
                ++i;
            markup += text[i];
        }
        ++i;
        skipSpace();
        if (i == text.size())
            return true;
        if (text[i] != u'+') {
            why = QStringLiteral("\"%1\" between literals").arg(text[i]);
            return false;
        }
        ++i;
        skipSpace();
    }
}

} // namespace

// Guards the filling of every template: all occurrences, tokens found after a stray "<~", unknown tokens
// kept, and values never filled again (an author's text that holds a token stays as written).
TEST(PlaceholderTemplate, FillReplacesEachTokenOnce)
{
    const CPlaceholderTemplate::Tokens tokens = {
        {"a", QStringLiteral("1")}, {"b", QStringLiteral("<~a~>")}, {"empty", QString()}};
    struct Case {
        const char *text;
        const char *filled;
    } cases[] = {
        {"<~a~>-<~a~>", "1-1"},
        {"<~b~>", "<~a~>"},
        {"x<~unknown~>y<~a~>", "x<~unknown~>y1"},
        {"<~x<~a~>", "<~x1"},
        {"<~a", "<~a"},
        {"~><~a~><~", "~>1<~"},
        {"[<~empty~>]", "[]"},
        {"", ""},
        {"no tokens at all", "no tokens at all"},
    };
    for (const Case &c : cases) {
        QString text = QString::fromUtf8(c.text);
        CPlaceholderTemplate::Fill(text, tokens);
        EXPECT_EQ(text, QString::fromUtf8(c.filled)) << c.text;
    }
}

// Guards templates of a program folder copied from Windows, whose names may be spelt in any case.
TEST(PlaceholderTemplate, FoundWithoutRegardToCase)
{
    TempTree tree;
    tree.Write(QStringLiteral("source/placeholdertext/MEDIA/Audio.TXT"), "found <~x~>\r\nline");
    CCorvContext context;
    context.programFolder = tree.Path();
    const CResult<QString> out = CPlaceholderTemplate::Expand(context, QStringLiteral("Media/audio.txt"),
                                                              QStringLiteral("%1"), {{"x", QStringLiteral("it")}});
    ASSERT_TRUE(out) << out.Error().toStdString();
    EXPECT_EQ(*out, QStringLiteral("found it\nline"));
}

TEST(PlaceholderTemplate, ColourAsRedGreenBlue)
{
    EXPECT_EQ(CPlaceholderTemplate::ColourHex(0x00FF8000), QStringLiteral("0080FF"));
    EXPECT_EQ(CPlaceholderTemplate::ColourHex(0x00FF6600), QStringLiteral("0066FF"));
    EXPECT_EQ(CPlaceholderTemplate::ColourHex(0xFFFFFFFF), QStringLiteral("FFFFFF"));
    EXPECT_EQ(CPlaceholderTemplate::ColourHex(0), QStringLiteral("000000"));
}

// Guards the templates the program ships: each one exists, every token it holds is filled, and what an
// author may type (quotes, apostrophes, backslashes, line breaks) cannot break out of the screen
// script's string literals or out of an attribute of the markup they hold.
TEST(PlaceholderTemplate, ShippedTemplatesMakeWellFormedScript)
{
    CRecordingPrompt prompt;
    CCorvContext context;
    context.programFolder = QStringLiteral(CORV_SOURCE_DIR "/data");
    context.prompt = &prompt;
    const QString awkward = QStringLiteral("it's \"q\" a\\b");
    std::vector<std::pair<QString, QString>> built;
    auto build = [&](const QString &name, const CResult<QString> &made) {
        EXPECT_TRUE(made) << qPrintable(name) << qPrintable(made.Error());
        built.emplace_back(name, made.ValueOr(QString()));
    };

    for (const char *extension : {"mp3", "ra", "wma"}) {
        CComponentAudio audio;
        audio.SetFilePath(QStringLiteral("/m/") + awkward + u'.' + QLatin1String(extension));
        build(QLatin1String(extension), audio.BuildPublishHtml(context, 2));
    }
    for (const char *extension : {"avi", "mpg", "mov", "wmv", "rm", "pdf", "gif", "swf"}) {
        CComponentVideo video(nullptr);
        video.SetFilePath(QStringLiteral("/m/") + awkward + u'.' + QLatin1String(extension));
        video.SetFlashVars(awkward + QStringLiteral("\r\nnext"));
        video.m_windowMode = awkward;
        build(QLatin1String(extension), video.BuildPublishHtml(context));
    }
    CComponentFlashQuestion quiz;
    quiz.SetFilePath(QStringLiteral("/m/") + awkward + QStringLiteral(".swf"));
    quiz.SetFlashVars(awkward);
    build(QStringLiteral("flash question"), quiz.BuildPublishHtml(context));
    CComponentFlashVideo player;
    player.SetFilePath(QStringLiteral("/m/") + awkward + QStringLiteral(".flv"));
    player.m_stillImagePath = QStringLiteral("/m/") + awkward + QStringLiteral(".png");
    build(QStringLiteral("flash video"), player.BuildPublishHtml(context));
    CQuestionIdCounter ids;
    CComponentFreeFormText question(nullptr, ids);
    question.m_instruction = QStringLiteral("Say \"why\"\r\nC:\\ <b>now</b>");
    build(QStringLiteral("free-form"), question.BuildPublishHtml(context, QStringLiteral("kv")));

    for (const auto &[name, text] : built) {
        SCOPED_TRACE(qPrintable(name));
        EXPECT_FALSE(text.isEmpty());
        EXPECT_FALSE(text.contains(QStringLiteral("<~"))) << qPrintable(text);
        QString markup, why;
        EXPECT_TRUE(ParseScriptLiterals(text, markup, why)) << qPrintable(why) << "\n" << qPrintable(text);
        // Attribute values are single-quoted: an apostrophe of the author's would end one early.
        EXPECT_EQ(markup.count(u'\'') % 2, 0) << qPrintable(markup);
    }
    EXPECT_TRUE(prompt.Texts().isEmpty()) << qPrintable(prompt.Texts().join(u'\n'));
}
