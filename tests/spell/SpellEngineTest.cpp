#include "spell/SpellEngine.h"
#include "spell/SpellTokenizer.h"
#include "spell/UserWordList.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

// Guards the Language menu's dictionaries: each command loads its own English, and an unknown value (an
// old project's 0 or garbage) falls back to American rather than to nothing.
TEST(SpellEngine, LanguageCommandsChooseTheirDictionary)
{
    const struct {
        int language;
        const char *dictionary;
    } cases[] = {{32958, "en_US"}, {32959, "en_CA"}, {32960, "en_GB"}, {12345, "en_US"}, {0, "en_US"}};
    for (const auto &c : cases) {
        EXPECT_EQ(CSpellEngine::DictionaryName(c.language), QString::fromLatin1(c.dictionary)) << c.language;
        CSpellEngine engine;
        EXPECT_TRUE(engine.SetLanguage(c.language)) << c.language;
        EXPECT_EQ(engine.DictionaryLoaded(), QString::fromLatin1(c.dictionary));
    }
    EXPECT_EQ(CSpellEngine::DictionaryNameOfLexicons("ssceca.tlx,ssceca2.clx"), "en_CA");
    EXPECT_EQ(CSpellEngine::DictionaryNameOfLexicons("sscebr.tlx,sscebr2.clx"), "en_GB");
    EXPECT_EQ(CSpellEngine::DictionaryNameOfLexicons("ssceam.tlx,ssceam2.clx"), "en_US");
}

// Guards that the chosen dictionary is the one consulted: British and American spellings differ.
TEST(SpellEngine, BritishAndAmericanSpellingsDiffer)
{
    CSpellEngine uk;
    ASSERT_TRUE(uk.SetLanguage(32960));
    EXPECT_TRUE(uk.IsCorrect("colour"));
    EXPECT_FALSE(uk.IsCorrect("color"));
    CSpellEngine us;
    ASSERT_TRUE(us.SetLanguage(32958));
    EXPECT_TRUE(us.IsCorrect("color"));
    EXPECT_FALSE(us.IsCorrect("colour"));
    EXPECT_TRUE(us.Suggest("Teh").contains("The"));
    // A typographic apostrophe is the author's keyboard, not a misspelling.
    EXPECT_TRUE(us.IsCorrect(QString::fromUtf8("don\u2019t")));
    us.AddToSession("Corvessa");
    EXPECT_TRUE(us.IsCorrect("Corvessa"));
}

// Guards a missing dictionary: no engine is made rather than one that accepts or rejects everything.
TEST(SpellEngine, MissingDictionaryLoadsNothing)
{
    TempTree tree;
    CSpellEngine engine(tree.Path());
    EXPECT_FALSE(engine.SetLanguage(32960));
    EXPECT_FALSE(engine.IsLoaded());
    EXPECT_FALSE(engine.IsCorrect("colour"));
    EXPECT_TRUE(engine.Suggest("colur").isEmpty());
}

// Guards the words the check reports: link markers, numbers and codes are never words, apostrophes inside a
// word belong to it, and a marker glued to a word does not hide the word.
TEST(SpellTokenizer, WordsSkipMarkersAndNumbers)
{
    const struct {
        const char *text;
        QStringList words;
    } cases[] = {
        {"see [0001#here#0001] now", {"see", "here", "now"}},
        {"[0012#link#0012]", {"link"}},
        {"don't 'quoted' rock'n'roll", {"don't", "quoted", "rock'n'roll"}},
        {"page 12 and A4 or x86", {"page", "and", "or"}},
        {"[12#x#12] a[0001#b", {"x", "a", "b"}},
        {"", {}},
        {"\r\v  ...", {}},
    };
    for (const auto &c : cases) {
        const QString text = QString::fromUtf8(c.text);
        QStringList words;
        for (const auto &w : CorvSpellTokenizer::Words(text))
            words.append(text.mid(w.start, w.length));
        EXPECT_EQ(words, c.words) << c.text;
    }
}

// Guards the author's word list: kept across runs in the per-user folder, and written even when that folder
// does not exist yet.
TEST(UserWordList, AddedWordsSurviveAReload)
{
    TempTree tree;
    const QString path = CUserWordList::PathIn(tree / "fresh/user");
    CUserWordList list(path);
    list.Load();
    EXPECT_TRUE(list.Words().isEmpty());
    EXPECT_TRUE(list.Add("Corvessa"));
    EXPECT_TRUE(list.Add("Zerandt"));
    EXPECT_TRUE(list.Add("Corvessa"));
    CUserWordList again(path);
    again.Load();
    EXPECT_EQ(again.Words(), QStringList({"Corvessa", "Zerandt"}));
    // A list that cannot be written says so; the word is still kept for the run.
    CUserWordList unwritable(tree / "file-not-folder/x/userwords.txt");
    tree.Write("file-not-folder", "x");
    EXPECT_FALSE(unwritable.Add("word"));
    EXPECT_EQ(unwritable.Words(), QStringList({"word"}));
}
