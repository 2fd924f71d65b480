#include "LmsFixture.h"

#include "publish/ServerConfig.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {

QString Value(const CServerConfig::Placeholders &placeholders, const QString &name)
{
    for (const auto &[placeholder, value] : placeholders)
        if (placeholder == name)
            return value;
    return QStringLiteral("<missing %1>").arg(name);
}

// A text with everything that could end a literal or a script block, or be read as an escape or a variable.
const QString kHostile = QString::fromUtf8("it's \"q\" \\ C:\\db\\ ?> %> <?php $x {$y} </script>\nnext\r\n\xC3\xA9");

class ServerConfigTest : public LmsStepTest
{
protected:
    ServerConfigTest() { tmp.MakeFolder("Course Published files/LMS/content/include"); }

    // The variables of the PHP file as PHP itself reads them.
    QJsonObject ReadPhp()
    {
        const QString code = QStringLiteral(
            "include $argv[1]; echo json_encode(['dsn' => $kqDbDsn, 'type' => $kqDbType, 'host' => $kqDbHost, "
            "'user' => $kqDbUser, 'password' => $kqDbPassword, 'database' => $kqDbDatabase, "
            "'persistent' => $kqDbPersistent, 'table1' => $kqTable1, 'table2' => $kqTable2, "
            "'nameRequired' => $kqNameRequired, 'code' => $kqCourseCode, 'name' => $kqCourseName, "
            "'signInError' => $kqDbErrorSignIn]);");
        return ReadBack("php", {"-r", code, output + "/content/include/kqconfig.php"});
    }

    // The variables of the ASP file as a JScript engine reads them (Node.js runs the script block).
    QJsonObject ReadAsp()
    {
        const QString code = QStringLiteral(
            "let t = require('fs').readFileSync(process.argv[1], 'utf8');"
            "if (t.charCodeAt(0) !== 0xFEFF) throw new Error('no byte-order mark');"
            "t = t.slice(1).trim();"
            "if (!t.startsWith('<%') || !t.endsWith('%>') || t.indexOf('%>') !== t.length - 2) throw new Error('script block broken');"
            "const f = new Function(t.slice(2, -2) + ';return {name: kvCourseName, code: kvCourseCode, table1: kvTable1,"
            " signIn: kvSignIn, nameMark: kvNameRequiredMark, relative: kvDbRelativePath, provider: kvDbProvider,"
            " path: kvDbPath, sundry: kvDbSundry, signInError: kvDbErrorSignIn};');"
            "console.log(JSON.stringify(f()));");
        return ReadBack("node", {"-e", code, output + "/content/include/kv_config.asp"});
    }

    // The JSON object the program prints.
    static QJsonObject ReadBack(const QString &program, const QStringList &arguments)
    {
        const ToolRun run = RunTool(program, arguments);
        EXPECT_EQ(run.exitCode, 0) << run.output.toStdString();
        return QJsonDocument::fromJson(run.output.toUtf8()).object();
    }
};

} // namespace

// Guards the values the configuration carries: the cleaned course name, the course code's quoting in each
// language, the connection texts with their single ";", the flags and the required marks.
TEST_F(ServerConfigTest, Values)
{
    doc->MutableSettings().CourseName = "Sales \"Q1\" \\ Bob's";
    doc->MutableSettings().CourseCode = "A\"1";
    doc->MutableSettings().UseWebDbASPDSN = 1;
    doc->MutableSettings().WebASPDbDSN = "coursedb";
    doc->MutableSettings().WebASPDbUID = "";
    doc->MutableSettings().WebASPDbPassword = "";
    doc->MutableSettings().SignIn = 1;
    doc->MutableSettings().UseSignInName = 1;
    doc->MutableSettings().UseSignInID = 0;
    doc->MutableSettings().UseWebASPDbRelativePath = 1;
    doc->MutableSettings().WebASPDbTableName = "T\"1";
    const CServerConfig::ProfileTexts profile{"Sign-in failed.\\nTry again.", "r"};
    const auto asp = CServerConfig::AspPlaceholders(doc->Settings(), profile);
    EXPECT_EQ(Value(asp, "<~course~>"), "Sales Q1  Bobs");
    EXPECT_EQ(Value(asp, "<~code~>"), "A\\\"1");
    EXPECT_EQ(Value(asp, "<~table1~>"), "T1");
    EXPECT_EQ(Value(asp, "<~database_provider~>"), "DSN=coursedb;");
    EXPECT_EQ(Value(asp, "<~database_path~>"), "UID=");
    EXPECT_EQ(Value(asp, "<~database_sundry~>"), "Pwd=");
    EXPECT_EQ(Value(asp, "<~name_required~>"), "~required~");
    EXPECT_EQ(Value(asp, "<~id_required~>"), "");
    EXPECT_EQ(Value(asp, "<~signin~>"), "true");
    EXPECT_EQ(Value(asp, "<~idrequired~>"), "false");
    EXPECT_EQ(Value(asp, "<~database_relative~>"), "1");
    // The profile's line breaks stay line breaks in the literal.
    EXPECT_EQ(Value(asp, "<~dberrorsignin~>"), "Sign-in failed.\\nTry again.");

    doc->MutableSettings().UseWebDbASPDSN = 0;
    doc->MutableSettings().WebASPDbProvider = "Microsoft.Jet.OLEDB.4.0;";
    doc->MutableSettings().WebASPDbDataSource = "kvx.mdb";
    const auto provider = CServerConfig::AspPlaceholders(doc->Settings(), profile);
    EXPECT_EQ(Value(provider, "<~database_provider~>"), "Microsoft.Jet.OLEDB.4.0;");
    EXPECT_EQ(Value(provider, "<~database_path~>"), "kvx.mdb;");
    EXPECT_EQ(Value(provider, "<~database_sundry~>"), "");

    const auto php = CServerConfig::PhpPlaceholders(doc->Settings(), profile);
    EXPECT_EQ(Value(php, "{course_name}"), "Sales Q1  Bobs");
    EXPECT_EQ(Value(php, "{course_code}"), "A\"1");
    EXPECT_EQ(Value(php, "{name_required}"), "true");
}

// Guards the PHP connection choice: 0 takes the quoted connection string, 1 the single settings, and any
// other value neither (NULL for all six).
TEST_F(ServerConfigTest, PhpConnectionChoice)
{
    doc->MutableSettings().WebPHPConnectionString = "sqlite:/data/kq.db";
    doc->MutableSettings().WebPHPServer = "db.example";
    doc->MutableSettings().WebPHPUserID = "u";
    doc->MutableSettings().WebPHPPassword = "p";
    doc->MutableSettings().WebPHPDatabase = "d";
    doc->MutableSettings().UseWebPHPPersistence = 1;
    const QStringList six = {"{database_DSN}", "{database_host}", "{database_user}", "{database_password}",
                             "{database_database}", "{database_persistent}"};
    struct Case {
        int standard;
        QStringList values;
    };
    const Case cases[] = {
        {0, {"\"sqlite:/data/kq.db\"", "NULL", "NULL", "NULL", "NULL", "NULL"}},
        {1, {"NULL", "db.example", "u", "p", "d", "true"}},
        {2, {"NULL", "NULL", "NULL", "NULL", "NULL", "NULL"}},
    };
    for (const Case &c : cases) {
        doc->MutableSettings().UseWebPHPStandardParameters = c.standard;
        const auto php = CServerConfig::PhpPlaceholders(doc->Settings(), {});
        QStringList values;
        for (const QString &name : six)
            values.append(Value(php, name));
        EXPECT_EQ(values, c.values) << c.standard;
    }
}

// Guards the line rule of the PHP template: only the first placeholder of the table found in a line is
// filled, every occurrence of it, and the others stay as they are.
TEST_F(ServerConfigTest, PhpFillsOnePlaceholderPerLine)
{
    doc->MutableSettings().WebPHPDbTableName = "results";
    doc->MutableSettings().WebDbTableName2 = "texts";
    const auto php = CServerConfig::PhpPlaceholders(doc->Settings(), {});
    EXPECT_EQ(CServerConfig::FillPhpLine("'{table2}', '{table1}', '{table1}'", php), "'{table2}', 'results', 'results'");
    EXPECT_EQ(CServerConfig::FillPhpLine("no placeholder", php), "no placeholder");
}

// Guards the files: the ASP file in UTF-8 with a byte-order mark, the PHP file without one, each line of
// the PHP template ending in one LF, in content/include of the output, with the profile's messages.
TEST_F(ServerConfigTest, FilesAndTheirEncoding)
{
    doc->MutableSettings().CourseName = QString::fromUtf8("Caf\xC3\xA9");
    doc->MutableSettings().InternationalProfileFilename = DataFolder() + "kv_profile.kvp";
    auto publisher = Publisher();
    ASSERT_TRUE(publisher->CreateConfigAsp());
    ASSERT_TRUE(publisher->CreateKqConfigFile());
    const QByteArray asp = Read("content/include/kv_config.asp");
    const QByteArray php = Read("content/include/kqconfig.php");
    EXPECT_TRUE(asp.startsWith("\xEF\xBB\xBF<%"));
    EXPECT_TRUE(asp.contains("var kvCourseName = \"Caf\xC3\xA9\";"));
    EXPECT_TRUE(php.startsWith("<?php\n"));
    EXPECT_TRUE(php.contains("$kqCourseName = 'Caf\xC3\xA9';\n"));
    EXPECT_FALSE(php.contains('\r'));
    // The server pages' messages come from the course's international profile.
    const QByteArray message = "Your sign-in details were not recognised. Please check them and try again.";
    EXPECT_TRUE(asp.contains("var kvDbErrorSignIn = \"" + message + "\";"));
    EXPECT_TRUE(php.contains("$kqDbErrorSignIn = '" + message + "';"));
    EXPECT_FALSE(php.contains('{') || asp.contains("<~"));
}

// Guards the server code against the author's settings: quotes, backslashes, "?>", "%>", "$" and line
// breaks in any text neither break the PHP file (php -l) nor the ASP script block, and both read back as
// the texts themselves (the course name less the characters its cleaning removes).
TEST_F(ServerConfigTest, HostileSettingsReadBackExactly)
{
    doc->MutableSettings().CourseName = kHostile;
    doc->MutableSettings().CourseCode = kHostile;
    doc->MutableSettings().WebPHPDbTableName = kHostile;
    doc->MutableSettings().WebPHPDbType4Publish = kHostile;
    doc->MutableSettings().WebPHPServer = kHostile;
    doc->MutableSettings().WebPHPUserID = kHostile;
    doc->MutableSettings().WebPHPPassword = kHostile;
    doc->MutableSettings().WebPHPDatabase = kHostile;
    doc->MutableSettings().WebPHPConnectionString = kHostile;
    doc->MutableSettings().WebASPDbTableName = kHostile;
    doc->MutableSettings().UseWebDbASPDSN = 0;
    doc->MutableSettings().WebASPDbProvider = kHostile;
    doc->MutableSettings().WebASPDbDataSource = kHostile;
    doc->MutableSettings().WebASPDbSundry = kHostile;
    doc->MutableSettings().SignIn = 1;
    doc->MutableSettings().UseSignInName = 1;
    const QString clean = CServerConfig::CleanCourseName(kHostile);
    const QString terminated = CServerConfig::Terminated(kHostile);

    if (!HasTool("php")) {
        ADD_FAILURE() << "php is not installed (scripts/deps.sh installs php-cli)";
    } else {
        for (int standard : {0, 1}) {
            SCOPED_TRACE(standard);
            doc->MutableSettings().UseWebPHPStandardParameters = standard;
            ASSERT_TRUE(Publisher()->CreateKqConfigFile());
            const ToolRun lint = RunTool("php", {"-l", output + "/content/include/kqconfig.php"});
            EXPECT_EQ(lint.exitCode, 0) << lint.output.toStdString();
            const QJsonObject php = ReadPhp();
            EXPECT_EQ(php["dsn"].toString(), standard == 0 ? kHostile : QString());
            EXPECT_EQ(php["host"].toString(), standard == 1 ? kHostile : "NULL");
            EXPECT_EQ(php["password"].toString(), standard == 1 ? kHostile : "NULL");
            EXPECT_EQ(php["persistent"].type(), standard == 1 ? QJsonValue::Bool : QJsonValue::Null);
            for (const char *key : {"type", "table1", "code"})
                EXPECT_EQ(php[key].toString(), kHostile) << key;
            EXPECT_EQ(php["name"].toString(), clean);
            EXPECT_EQ(php["nameRequired"].toBool(), true);
        }
    }

    if (!HasTool("node"))
        GTEST_SKIP() << "Node.js is not installed: the ASP file is not read back";
    ASSERT_TRUE(Publisher()->CreateConfigAsp());
    const QJsonObject asp = ReadAsp();
    EXPECT_EQ(asp["name"].toString(), clean);
    EXPECT_EQ(asp["code"].toString(), kHostile);
    EXPECT_EQ(asp["table1"].toString(), QString(kHostile).remove(u'"'));
    EXPECT_EQ(asp["provider"].toString(), terminated);
    EXPECT_EQ(asp["path"].toString(), terminated);
    EXPECT_EQ(asp["sundry"].toString(), terminated);
    EXPECT_EQ(asp["signIn"].toBool(), true);
    EXPECT_EQ(asp["nameMark"].toString(), "~required~");
    EXPECT_EQ(asp["relative"].toInt(), 0);
}

// Guards a profile text in the ASP file: its line breaks (kept as backslash and "n") are line breaks in
// the literal, and its quotes cannot end it.
TEST(ServerConfig, AspProfileTexts)
{
    CCorvContext context;
    CCorvessaDoc doc(context);
    const auto asp = CServerConfig::AspPlaceholders(doc.Settings(), {"Say \"no\"\\nC:\\dir", ""});
    EXPECT_EQ(Value(asp, "<~dberrorsignin~>"), "Say \\\"no\\\"\\nC:\\\\dir");
}

// Guards the failures: a missing template or an output that cannot be written fails the step (the driver
// names it) instead of leaving the server pages without their configuration.
TEST_F(ServerConfigTest, FailuresFailTheStep)
{
    auto publisher = Publisher(tmp / "no such folder");
    EXPECT_FALSE(publisher->CreateConfigAsp());
    EXPECT_FALSE(publisher->CreateKqConfigFile());
    context.programFolder = tmp.MakeFolder("empty program") + "/";
    EXPECT_FALSE(Publisher()->CreateConfigAsp());
    EXPECT_FALSE(Publisher()->CreateKqConfigFile());
    EXPECT_FALSE(QFileInfo::exists(output + "/content/include/kv_config.asp"));
    EXPECT_FALSE(QFileInfo::exists(output + "/content/include/kqconfig.php"));
}
