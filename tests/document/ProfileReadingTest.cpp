// Reading a profile into the document: the version check, the extension profile, damaged files, and the
// profile a project without its own copy gets.
#include "document/CorvessaDoc.h"
#include "document/InternationalProfileFromXML.h"
#include "document/InternationalProfileReading.h"
#include "document/ProjectFile.h"
#include "platform/CorvContext.h"
#include "platform/RecordingPrompt.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

namespace {

QByteArray ProfileFile(const char *version, const QByteArray &items)
{
    return QByteArray("\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<internationalisation kvver=\"") + version
           + "\">\n" + items + "</internationalisation>\n";
}

QByteArray ItemXml(const char *base, const char *variable, const char *text)
{
    return QByteArray("\t<item  basevariable=\"") + base + "\" multiline=\"0\" limit=\"0\" cannotbenull=\"0\">\n"
           + "\t\t<variable>" + variable + "</variable>\n\t\t<description>d</description>\n\t\t<text><![CDATA[" + text
           + "]]></text>\n\t</item>\n";
}

struct ProfileDoc {
    ProfileDoc()
    {
        context.programFolder = tree.MakeFolder("program");
        context.versionText = "4.009";
        context.prompt = &prompt;
        doc = std::make_unique<CCorvessaDoc>(context);
        doc->OnNewDocument();
    }
    QStringList Texts() const
    {
        QStringList texts;
        if (const auto *profile = CorvProfileReading::LoadedProfile(*doc))
            for (const auto &item : profile->items)
                texts.append(item.variable + "=" + item.text);
        return texts;
    }

    TempTree tree;
    CRecordingPrompt prompt;
    CCorvContext context;
    std::unique_ptr<CCorvessaDoc> doc;
};

} // namespace

// Guards the version check: a profile matches when its version begins with the whole of the program's
// (letter case counts); a shorter one never does.
TEST(ProfileReading, VersionMatches)
{
    const struct {
        const char *program, *profile;
        bool matches;
    } cases[] = {{"4.009", "4.009", true}, {"4.009", "4.009b", true}, {"4.009", "4.00", false},
                 {"4.009", "4.010", false}, {"4.0a", "4.0A", false},  {"4.009", "", false}};
    for (const auto &c : cases)
        EXPECT_EQ(CorvProfileReading::VersionMatches(c.program, c.profile), c.matches) << c.program << " " << c.profile;
}

// Guards the author's texts against the extension profile: a profile of another version is completed with
// the extension's new items only, so an item the profile holds keeps its (translated) text, which the
// published course would otherwise lose to the extension's default coming after it.
TEST(ProfileReading, ExtensionAddsOnlyNewItems)
{
    ProfileDoc p;
    p.tree.Write("program/kv_profile_ext.kvp",
                 ProfileFile("4.009", ItemXml("kvxPrefs.str", "Next", "Next") + ItemXml("kvxPrefs.str", "signin", "Sign in")
                                          + ItemXml("kvxObj", "next", "Other object")));
    const QString old = p.tree.Write("old.kvp", ProfileFile("3.5", ItemXml("KVXPREFS.STR", "next", "Weiter")));
    ASSERT_TRUE(CorvProfileReading::ParseInternationalProfile(*p.doc, old));
    EXPECT_EQ(p.Texts(), (QStringList{"next=Weiter", "signin=Sign in", "next=Other object"}));
    EXPECT_EQ(CorvProfileReading::LoadedProfile(*p.doc)->GetVersion(), "4.009");

    // A profile of this version is read alone.
    const QString current = p.tree.Write("current.kvp", ProfileFile("4.009x", ItemXml("kvxPrefs.str", "next", "Suivant")));
    ASSERT_TRUE(CorvProfileReading::ParseInternationalProfile(*p.doc, current));
    EXPECT_EQ(p.Texts(), QStringList{"next=Suivant"});
    EXPECT_TRUE(p.prompt.Texts().isEmpty());
}

// Guards damaged profile files: each ends in the message with the file named, and the document keeps the
// profile it had (the texts were lost when a damaged file was imported); a damaged extension likewise.
TEST(ProfileReading, DamagedFilesAreTold)
{
    ProfileDoc p;
    const QString good = p.tree.Write("good.kvp", ProfileFile("4.009", ItemXml("kvxPrefs.str", "next", "Next")));
    ASSERT_TRUE(CorvProfileReading::ParseInternationalProfile(*p.doc, good));
    for (const QByteArray &bad : {QByteArray("<internationalisation><item>"), QByteArray("<other/>"), QByteArray("\x00\x01", 2)}) {
        p.prompt.Clear();
        const QString path = p.tree.Write("bad.kvp", bad);
        EXPECT_FALSE(CorvProfileReading::ParseInternationalProfile(*p.doc, path));
        EXPECT_EQ(p.Texts(), QStringList{"next=Next"});
        ASSERT_EQ(p.prompt.Texts().size(), 1);
        EXPECT_TRUE(p.prompt.Texts()[0].startsWith("Unable to read International Profile sundry text"));
        EXPECT_TRUE(p.prompt.Texts()[0].contains("bad.kvp"));
    }

    p.prompt.Clear();
    p.tree.Write("program/kv_profile_ext.kvp", "<internationalisation><item>");
    const QString old = p.tree.Write("old.kvp", ProfileFile("3.5", ItemXml("kvxPrefs.str", "next", "Weiter")));
    EXPECT_FALSE(CorvProfileReading::ParseInternationalProfile(*p.doc, old));
    EXPECT_EQ(p.Texts(), QStringList{"next=Next"});
    ASSERT_EQ(p.prompt.Texts().size(), 1);
    EXPECT_TRUE(p.prompt.Texts()[0].contains("kv_profile_ext.kvp"));
}

// Guards a profile written where it cannot be: the writer says so rather than reporting success.
TEST(ProfileReading, UnwritableExportFails)
{
    TempTree tree;
    InternationalProfileFromXML profile;
    profile.version = "4.009";
    tree.Write("blocked", "a file, not a folder");
    EXPECT_FALSE(profile.WriteProfileFile(tree / "blocked/kv_profile.kvp"));
}

// Guards that a project keeps the profile it was saved with and that another project, opened or new, does
// not inherit it.
TEST(ProfileReading, ProjectCopyTravelsWithItsProjectOnly)
{
    ProfileDoc p;
    const QString good = p.tree.Write("good.kvp", ProfileFile("4.009", ItemXml("kvxPrefs.str", "next", "Next")));
    ASSERT_TRUE(CorvProfileReading::ParseInternationalProfile(*p.doc, good));
    CorvProfileReading::LoadedProfile(*p.doc)->items[0].text = "Weiter";
    const QString withCopy = p.tree / "a/Translated.kvx";
    ASSERT_TRUE(CProjectFile::Save(*p.doc, withCopy));

    p.doc->OnNewDocument();
    EXPECT_EQ(p.doc->GetInternationalProfile(), nullptr);
    const QString plain = p.tree / "b/Plain.kvx";
    ASSERT_TRUE(CProjectFile::Save(*p.doc, plain));

    ASSERT_TRUE(CProjectFile::Open(*p.doc, withCopy));
    EXPECT_EQ(p.Texts(), QStringList{"next=Weiter"});
    ASSERT_TRUE(CProjectFile::Open(*p.doc, plain));
    EXPECT_EQ(p.doc->GetInternationalProfile(), nullptr);
    EXPECT_TRUE(p.prompt.Texts().isEmpty()) << qPrintable(p.prompt.Texts().join(u'\n'));
}

// Guards a profile saved with Windows line ends: a text's line break reads as one CR LF (one backslash-"n"
// when published), not as CR CR LF.
TEST(ProfileReading, WindowsLineEndsInTexts)
{
    const auto profile = InternationalProfileFromXML::ReadBytes(
        ProfileFile("4.009", ItemXml("kvxPrefs.str", "quitconfirm", "Leave?\nYour work is kept.")).replace("\n", "\r\n"));
    ASSERT_NE(profile, nullptr);
    EXPECT_EQ(profile->items[0].text, "Leave?\r\nYour work is kept.");
    EXPECT_EQ(profile->items[0].GetText(), "Leave?\\nYour work is kept.");
}
