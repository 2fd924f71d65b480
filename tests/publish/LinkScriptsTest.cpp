#include "publish/LinkScripts.h"

#include <gtest/gtest.h>

// Guards the file that carries an author's script link: the script stands whole, as the author stored it,
// as the body of the function the run-time calls (quotes, backslashes and "</script>" need no escaping in a
// file of its own), and is keyed by its text, so that two links of one script share a file and two scripts
// never do.
TEST(LinkScripts, FileHoldsTheScriptAsTheAuthorWroteIt)
{
    struct Case {
        const char *stored;
        const char *script;
    };
    const Case cases[] = {
        {"window.kvxScriptRan = true", "window.kvxScriptRan = true"},
        {R"(alert("a \ b"); return false;)", R"(alert("a \ b"); return false;)"},
        {R"(kvx.hint('it\'s "here" </script>'))", R"(kvx.hint('it\'s "here" </script>'))"},
    };
    for (const Case &c : cases) {
        const QString stored = QString::fromUtf8(c.stored);
        EXPECT_EQ(CLinkScripts::ScriptText(stored), QString::fromUtf8(c.script)) << c.stored;
        EXPECT_EQ(CLinkScripts::FileText(stored), "kvx.linkScript(\"" + CLinkScripts::Key(stored) + "\", function (event) {\n" +
                                                      QString::fromUtf8(c.script) + "\n});\n");
        EXPECT_EQ(CLinkScripts::FileName(stored), "scripts/link_" + CLinkScripts::Key(stored) + ".js");
    }
    EXPECT_EQ(CLinkScripts::Key("a()").size(), 20);
    EXPECT_EQ(CLinkScripts::Key("a()"), CLinkScripts::Key("a()"));
    EXPECT_NE(CLinkScripts::Key("a()"), CLinkScripts::Key("a() "));
}
