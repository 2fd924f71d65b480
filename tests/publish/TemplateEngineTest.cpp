#include "PublishStepsFixture.h"

#include <map>

namespace {

class TemplateEngineTest : public PublishStepsTest
{
protected:
    TemplateEngineTest()
    {
        doc->MutableSettings().CourseName = "My Course";
        doc->MutableSettings().EncodingLabel = "Unicode (UTF-8) - [utf-8]";
        doc->MutableSettings().Theme = "Plain";
        QDir().mkpath(output + "/content/scripts");
        QDir().mkpath(output + "/content/include");
    }

    void SetProfile(std::unique_ptr<InternationalProfileFromXML> profile) { doc->SetInternationalProfile(std::move(profile)); }

    static InternationalProfileItemFromXML Item(const QString &variable, const QString &text,
                                                std::vector<std::pair<QString, QString>> files, int limit = 0)
    {
        InternationalProfileItemFromXML item;
        item.baseVariable = "kvxPrefs.str";
        item.variable = variable;
        item.text = text;
        item.limit = limit;
        for (const auto &[fileName, token] : files)
            item.files.push_back({fileName, "html", token});
        return item;
    }
};

// Guards the line rules of every template: the byte-order mark of the first line (every copy of it there,
// none after it), trigger lines by key in any case, lines that are not triggers (a blank before the
// colons), unknown and empty keys dropped, a last line without a line feed, CR LF read as one line end,
// and a template byte read as the character of its code (so UTF-8 text comes out encoded twice).
TEST_F(TemplateEngineTest, StartPageLineRules)
{
    Program("source/publish/index.htm", "\xEF\xBB\xBF<!DOCTYPE\xEF\xBB\xBF html>\r\n"
                                        "\xEF\xBB\xBF second\n"
                                        ":::CHARSET\n"
                                        "::: title\n"
                                        " :::css\n"
                                        ":::bogus line\n"
                                        ":::\n"
                                        ":::  \t\n"
                                        "\n"
                                        "caf\xC3\xA9\n"
                                        "last");
    auto publisher = Publisher(PublishTargetLms);
    ASSERT_TRUE(publisher->CreateIndexWebPage());
    EXPECT_EQ(Out("index.htm"), QByteArray("<!DOCTYPE html>\n"
                                           "\xC3\xAF\xC2\xBB\xC2\xBF second\n"
                                           "<meta http-equiv=\"Content-Type\" content=\"text/html;charset=utf-8\">\n"
                                           "<title>My Course</title>\n"
                                           " :::css\n"
                                           "\n"
                                           "caf\xC3\x83\xC2\xA9\n"
                                           "last\n"));
    // Only the targets that open the page as a program get index.hta.
    EXPECT_FALSE(OutExists("index.hta"));
}

// Guards which targets get index.hta, written from its own template.
TEST_F(TemplateEngineTest, HtaPageOnlyForPreviewLanAndStandalone)
{
    Program("source/publish/index.htm", "page\n");
    Program("source/publish/index.hta", "application\n:::title\n");
    const std::map<int, bool> expected = {
        {PublishTargetPreview, true}, {PublishTargetLan, true}, {PublishTargetWeb, false},
        {PublishTargetLms, false},    {PublishTargetStandalone, true},
    };
    for (const auto &[target, hta] : expected) {
        QFile::remove(output + "/index.hta");
        ASSERT_TRUE(Publisher(target)->CreateIndexWebPage()) << target;
        EXPECT_EQ(Out("index.htm"), "page\n") << target;
        EXPECT_EQ(OutExists("index.hta"), hta) << target;
        if (hta) {
            EXPECT_EQ(Out("index.hta"), "application\n<title>My Course</title>\n");
        }
    }
}

// Guards the failures of the start-page step: a missing template, and the page template missing for the
// second page after the first was written (which stays).
TEST_F(TemplateEngineTest, MissingStartTemplateFailsTheStep)
{
    EXPECT_FALSE(Publisher(PublishTargetStandalone)->CreateIndexWebPage());
    EXPECT_FALSE(OutExists("index.htm"));
    Program("source/publish/index.htm", "page\n");
    EXPECT_FALSE(Publisher(PublishTargetStandalone)->CreateIndexWebPage());
    EXPECT_EQ(Out("index.htm"), "page\n");
    EXPECT_TRUE(Publisher(PublishTargetWeb)->CreateIndexWebPage());
}

// Guards the theme style sheet: named after the prefix, with the byte-order mark, the defaults of its
// trigger lines handed on (trimmed, "default:" found anywhere in the line), no tokens, and the theme name
// kept to one folder of the themes.
TEST_F(TemplateEngineTest, ThemeStyleSheet)
{
    Program("Themes/Plain/Plain.css", "body {\n"
                                      "::: backgroundrepeat default: no-repeat \n"
                                      "::: bodybackground\n"
                                      ":::BACKGROUNDIMAGE   default:url(pics/bg.jpg)\n"
                                      "::: logo default: x.png\n"
                                      "\tcontent: \"<~startcourse~>\";\n"
                                      "}\n");
    doc->MutableSettings().LogoImage.clear();
    auto item = Item("startcourse", "Begin", {{"index.htm", "<~startcourse~>"}});
    auto profile = std::make_unique<InternationalProfileFromXML>();
    profile->items.push_back(item);
    SetProfile(std::move(profile));

    auto publisher = Publisher(PublishTargetStandalone, "My-Demo");
    ASSERT_TRUE(publisher->CreateKvxCss());
    EXPECT_EQ(Out("content/scripts/my-demo.css"), QByteArray("\xEF\xBB\xBF"
                                                             "body {\n"
                                                             "\tbackground-repeat: no-repeat;\n"
                                                             "\tbackground-color: ;\n"
                                                             "\tbackground-image: url(pics/bg.jpg);\n"
                                                             "\tcontent: \"<~startcourse~>\";\n"
                                                             "}\n"));

    for (const QString &theme : {QString("Missing"), QString("../Themes/Plain"), QString("Plain/../Plain"), QString()}) {
        doc->MutableSettings().Theme = theme;
        EXPECT_FALSE(Publisher(PublishTargetStandalone)->CreateKvxCss()) << theme.toStdString();
    }
    // Theme names are found without regard to case, as the themes have always been named.
    doc->MutableSettings().Theme = "PLAIN";
    Program("Themes/Plain/PLAIN.css", "x\n");
    EXPECT_TRUE(Publisher(PublishTargetStandalone)->CreateKvxCss());
}

// Guards the content pages: each *.htm of the folder (any case of the extension) under its own name, read in
// the legacy code page, tokens applied; end.htm (that exact name) left out for an LMS that opens the
// course in its own window; other files ignored.
TEST_F(TemplateEngineTest, ContentPages)
{
    Program("source/publish/content/ind.htm", ":::title\nprice \x80" "5 <~startcourse~>\n");
    Program("source/publish/content/end.htm", "end\n");
    Program("source/publish/content/End.htm", "End\n");
    Program("source/publish/content/NAV.HTM", "nav\n");
    Program("source/publish/content/notes.txt", "notes\n");
    Program("source/publish/content/scripts/deep.htm", "deep\n");
    auto profile = std::make_unique<InternationalProfileFromXML>();
    profile->items.push_back(Item("startcourse", "Begin", {{"ind.htm", "<~startcourse~>"}}));
    SetProfile(std::move(profile));

    Publisher(PublishTargetStandalone)->ProcessSourceFiles();
    EXPECT_EQ(Out("content/ind.htm"), "<title>My Course</title>\nprice \xE2\x82\xAC" "5 Begin\n");
    EXPECT_EQ(Out("content/end.htm"), "end\n");
    EXPECT_EQ(Out("content/End.htm"), "End\n");
    EXPECT_EQ(Out("content/NAV.HTM"), "nav\n");
    EXPECT_FALSE(OutExists("content/notes.txt"));
    EXPECT_FALSE(OutExists("content/deep.htm"));
    EXPECT_FALSE(OutExists("content/include/msg.php"));

    QFile::remove(output + "/content/end.htm");
    QFile::remove(output + "/content/End.htm");
    doc->MutableSettings().LmsOpensNewWindow = 1;
    Publisher(PublishTargetLms)->ProcessSourceFiles();
    EXPECT_FALSE(OutExists("content/end.htm"));
    EXPECT_EQ(Out("content/End.htm"), "End\n");
    doc->MutableSettings().LmsOpensNewWindow = 0;
    Publisher(PublishTargetLms)->ProcessSourceFiles();
    EXPECT_TRUE(OutExists("content/end.htm"));
}

// Guards the message file of the PHP pages: every line copied with its tokens, trigger lines included, only
// for the PHP target, and nothing when the template is missing.
TEST_F(TemplateEngineTest, PhpMessageFile)
{
    Program("source/PlaceHolderText/msg.txt", "\xEF\xBB\xBF<?php\n:::title\nsignin=<~dberrorsignin~>\n");
    auto profile = std::make_unique<InternationalProfileFromXML>();
    profile->items.push_back(Item("dberrorsignin", "Say \"who\"?", {{"msg.txt", "<~dberrorsignin~>"}}));
    SetProfile(std::move(profile));

    doc->MutableSettings().UseASP = 1;
    Publisher(PublishTargetWeb)->ProcessSourceFiles();
    EXPECT_FALSE(OutExists("content/include/msg.php"));
    doc->MutableSettings().UseASP = 0;
    Publisher(PublishTargetWeb)->ProcessSourceFiles();
    EXPECT_EQ(Out("content/include/msg.php"), "<?php\n:::title\nsignin=Say \\\"who\\\"?\n");
    Publisher(PublishTargetStandalone)->ProcessSourceFiles();

    QFile::remove(output + "/content/include/msg.php");
    QFile::remove(tmp / "program/source/PlaceHolderText/msg.txt");
    Publisher(PublishTargetWeb)->ProcessSourceFiles();
    EXPECT_FALSE(OutExists("content/include/msg.php"));
}

// Guards that the content step writes nothing and does not fail when the output tree is missing (after a
// failed tree step), and that one page that cannot be written does not stop the others.
TEST_F(TemplateEngineTest, ContentPagesWithoutOutputFolder)
{
    Program("source/publish/content/a.htm", "a\n");
    Program("source/publish/content/b.htm", "b\n");
    QDir(output).removeRecursively();
    Publisher(PublishTargetStandalone)->ProcessSourceFiles();
    EXPECT_TRUE(OutFiles().isEmpty());

    QDir().mkpath(output + "/content/a.htm"); // a folder where the page goes
    Publisher(PublishTargetStandalone)->ProcessSourceFiles();
    EXPECT_EQ(Out("content/b.htm"), "b\n");
}

// Guards the token map: the escaping of profile texts (backslash, quote, "]]>", CR LF; a lone LF kept), the
// first item that names a token wins, the outline's own records left out, the limit applied after
// escaping and never splitting an escape or a surrogate pair, and the walk over the tokens in key order.
TEST_F(TemplateEngineTest, ProfileTokens)
{
    auto profile = std::make_unique<InternationalProfileFromXML>();
    profile->items.push_back(Item("first", "He said \"hi\"\r\nC:\\x ]]> y\nz",
                                  {{"outline.htm.txt", "<~outline~>"}, {"index.htm", "<~a~>"}}));
    profile->items.push_back(Item("second", "other", {{"ind.htm", "<~a~>"}, {"ind.htm", "<~b~>"}}));
    profile->items.push_back(Item("cut", "ab\"cd", {{"x", "<~cut3~>"}}, 3));
    profile->items.push_back(Item("cut4", "ab\"cd", {{"x", "<~cut4~>"}}, 4));
    profile->items.push_back(Item("pair", QString::fromUtf8("a\xF0\x9F\x98\x80"), {{"x", "<~pair~>"}}, 2));
    profile->items.push_back(Item("short", "abc", {{"x", "<~short~>"}}, 5));
    SetProfile(std::move(profile));

    auto publisher = Publisher(PublishTargetStandalone);
    const std::map<QString, QString> expected = {
        {"<~a~>", "He said \\\"hi\\\"\\nC:\\\\x ] ]> y\nz"},
        {"<~b~>", "other"},
        {"<~cut3~>", "ab"},
        {"<~cut4~>", "ab\\\""},
        {"<~pair~>", "a"},
        {"<~short~>", "abc"},
    };
    EXPECT_EQ(publisher->GetProfileTokens(), expected);

    QString line = "<~b~>|<~a~>|<~outline~>|<~b~>";
    publisher->ApplyProfileTokens(line);
    EXPECT_EQ(line, "other|" + expected.at("<~a~>") + "|<~outline~>|other");
    // Once no "<~" is left the walk stops: a later key that is not a token is then not replaced.
    auto plain = std::make_unique<InternationalProfileFromXML>();
    plain->items.push_back(Item("t", "T", {{"x", "<~t~>"}}));
    plain->items.push_back(Item("z", "!", {{"x", "zz"}}));
    SetProfile(std::move(plain));
    auto second = Publisher(PublishTargetStandalone);
    line = "<~t~> zz";
    second->ApplyProfileTokens(line);
    EXPECT_EQ(line, "T zz");
    line = "zz <~none~>";
    second->ApplyProfileTokens(line);
    EXPECT_EQ(line, "! <~none~>") << "the walk goes on to \"zz\" while a \"<~\" remains";
}

// Guards the lookup of one international text (both names without regard to case, the first match, line
// breaks as backslash and n), and the profile taken from the document's profile path while the document
// has none loaded.
TEST_F(TemplateEngineTest, ProfileTextAndProfileFromItsFile)
{
    EXPECT_EQ(Publisher(PublishTargetStandalone)->GetProfileText("kvxPrefs.str", "x"), "");
    doc->MutableSettings().InternationalProfileFilename = tmp.Write("profile.kvp",
        "<internationalisation><item><variable>DbErrorSignIn</variable><text>No\nentry</text>"
        "<files><file><replacestr>&lt;~t~&gt;</replacestr></file></files></item>"
        "<item><variable>dberrorsignin</variable><text>second</text></item></internationalisation>");
    auto publisher = Publisher(PublishTargetStandalone);
    ASSERT_NE(publisher->GetInternationalProfile(), nullptr);
    EXPECT_EQ(publisher->GetProfileText("KVXPREFS.STR", "dberrorsignin"), "No\\nentry");
    EXPECT_EQ(publisher->GetProfileText("kvxPrefs.str", "unknown"), "");
    EXPECT_EQ(publisher->GetProfileTokens().at("<~t~>"), "No\\nentry");

    // The document's own profile comes first.
    auto own = std::make_unique<InternationalProfileFromXML>();
    own->items.push_back(Item("dberrorsignin", "mine", {}));
    SetProfile(std::move(own));
    EXPECT_EQ(Publisher(PublishTargetStandalone)->GetProfileText("kvxprefs.str", "DBERRORSIGNIN"), "mine");
}

} // namespace
