#include "app/ThemeFolders.h"

#include "document/ComponentInsertion.h"
#include "document/CorvessaDoc.h"
#include "document/EditorHooks.h"
#include "platform/CodePage.h"
#include "platform/PathUtil.h"

#include <QDir>
#include <QFile>

#include <algorithm>

namespace CorvThemeFolders {

namespace {

// The title picture lives on the menu screen, whatever the Edit window shows.
class CNoCurrentScreen : public CEditorHooks
{
public:
    CCorvPage *GetCurrentScreen() const override { return nullptr; }
};

} // namespace

QString ThemesFolder(const QString &programFolder)
{
    return CorvPath::ResolveNoCase(CorvPath::Join(programFolder, QStringLiteral("Themes")));
}

QStringList ListThemes(const QString &themesFolder)
{
    QStringList themes = QDir(themesFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    std::sort(themes.begin(), themes.end(), [](const QString &a, const QString &b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
    return themes;
}

QString ThemeFile(const QString &themesFolder, const QString &theme, const QString &fileName)
{
    if (!CorvPath::IsSafeBareName(theme))
        return {};
    return CorvPath::ResolveNoCase(CorvPath::Join({themesFolder, theme, fileName}));
}

QString StyleSheetPath(const QString &themesFolder, const QString &theme)
{
    return ThemeFile(themesFolder, theme, theme + QStringLiteral(".css"));
}

QString ReadDescription(const QString &themesFolder, const QString &theme)
{
    const QString path = ThemeFile(themesFolder, theme, QStringLiteral("description.txt"));
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return {};
    // A description is a few lines; anything far larger is not one.
    constexpr qint64 kLimit = 64 * 1024;
    return CCodePage::ToUnicode(file.read(kLimit));
}

int FindTheme(const QStringList &themes, const QString &theme)
{
    if (themes.isEmpty() || !CorvPath::IsSafeBareName(theme))
        return -1;
    for (qsizetype i = 0; i < themes.size(); ++i)
        if (themes[i].compare(theme, Qt::CaseInsensitive) == 0)
            return int(i);
    for (qsizetype step = 1; step <= themes.size(); ++step) {
        const qsizetype i = step % themes.size();
        if (themes[i].startsWith(theme, Qt::CaseInsensitive))
            return int(i);
    }
    return -1;
}

void UpdateThemeTextImage(CCorvessaDoc &doc)
{
    const CNoCurrentScreen hooks;
    CComponentInsertion(doc, hooks).UpdateThemeTextImage();
}

} // namespace CorvThemeFolders
