#include "app/ui/ChildDlgThemes.h"

#include "app/ThemeCss.h"
#include "app/ThemeFolders.h"
#include "app/ui/PageControls.h"
#include "app/ui/controls/ImageStatic.h"
#include "document/CorvessaDoc.h"
#include "platform/Prompt.h"
#include "image/xImage.h"
#include "model/PictureFiles.h"
#include "platform/StringTable.h"

#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>

using namespace CorvPageControls;

namespace {

// A style sheet's directive lines sit at its top; a file far larger than a style sheet is not read whole.
constexpr qint64 kStyleSheetLimit = 4 * 1024 * 1024;

} // namespace

CChildDlgThemes::CChildDlgThemes(CCorvessaDoc &document, std::function<void()> fontsChanged, QWidget *parent)
    : CSettingsPage(document, parent), m_fontsChanged(std::move(fontsChanged)), m_list(new QListWidget(this)),
      m_preview(new CImageStatic(this)), m_name(new QLabel(this)), m_description(new QLabel(this))
{
    m_themesFolder = CorvThemeFolders::ThemesFolder(document.GetContext().programFolder);
    m_list->addItems(CorvThemeFolders::ListThemes(m_themesFolder));
    m_list->setFixedSize(200, 186);
    m_preview->setFixedSize(216, 146);
    LayOutListWithPreview(this, QStringLiteral("Theme"), CStringTable::Load(10200), CStringTable::Load(10201), m_list,
                          m_preview, m_name, m_description);
    connect(m_list, &QListWidget::currentRowChanged, this, &CChildDlgThemes::OnSelectionChanged);
}

void CChildDlgThemes::SelectQuietly(int row)
{
    const QSignalBlocker blocker(m_list);
    m_list->setCurrentRow(row);
    if (row < 0)
        m_list->clearSelection();
}

void CChildDlgThemes::ResetToDefaults()
{
    SelectQuietly(0);
    if (m_list->count() == 0)
        return;
    const QString first = m_list->item(0)->text();
    if (!first.isEmpty())
        Document().MutableSettings().Theme = first;
    LoadThemePreview(0);
    ParseThemeCss(0);
}

void CChildDlgThemes::RefreshFromDocument()
{
    QString &theme = Document().MutableSettings().Theme;
    if (theme.isEmpty() && m_list->count() > 0)
        theme = m_list->item(0)->text();
    QStringList names;
    for (int i = 0; i < m_list->count(); ++i)
        names.append(m_list->item(i)->text());
    const int row = CorvThemeFolders::FindTheme(names, theme);
    SelectQuietly(row);
    if (row >= 0)
        LoadThemePreview(row);
}

void CChildDlgThemes::OnSelectionChanged(int row)
{
    if (row < 0)
        return;
    Document().MutableSettings().Theme = m_list->item(row)->text();
    Document().SetModifiedFlag();
    CorvThemeFolders::UpdateThemeTextImage(Document());
    LoadThemePreview(row);
    ParseThemeCss(row);
    // The Edit window's canvas and thumbnails show the new theme's background from now on.
    Document().UpdateAllViews();
}

void CChildDlgThemes::LoadThemePreview(int row)
{
    if (row < 0 || row >= m_list->count())
        return;
    const QString name = m_list->item(row)->text();
    CxImage picture;
    const QString dump = CorvThemeFolders::ThemeFile(m_themesFolder, name, QStringLiteral("screendump.jpg"));
    // A missing or unreadable preview leaves the picture empty rather than showing the previous theme's.
    m_preview->SetBitmap(!dump.isEmpty() && PictureFiles::Load(picture, dump, 0) ? PictureFiles::ToDisplayImage(picture)
                                                                                : QImage());
    m_name->setText(name);
    m_description->setText(CorvThemeFolders::ReadDescription(m_themesFolder, name));
}

void CChildDlgThemes::ParseThemeCss(int row)
{
    if (row < 0 || row >= m_list->count())
        return;
    const QString name = m_list->item(row)->text();
    const QString path = CorvThemeFolders::StyleSheetPath(m_themesFolder, name);
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        Document().Prompt().Error(QStringLiteral("%1 was not found.").arg(CorvThemeFolders::ThemeFile(m_themesFolder, name, name + QStringLiteral(".css"))));
        return;
    }
    const QString text = QString::fromLatin1(file.read(kStyleSheetLimit));
    CorvThemeCss::ApplyThemeFonts(CorvThemeCss::ParseDirectives(text), Document().MutableSettings());
    if (m_fontsChanged)
        m_fontsChanged();
}
