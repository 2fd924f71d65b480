#include "document/NewComponents.h"

#include "document/CorvessaDoc.h"
#include "document/ProjectArchive.h"
#include "model/ComponentImage.h"
#include "model/ComponentTextbox.h"
#include "platform/PathUtil.h"
#include "platform/StringTable.h"

namespace {

constexpr int kIdsClickAndAddText = 35004;

} // namespace

QString CNewComponents::TakeTextBoxFileName(CCorvessaDoc &doc)
{
    return QStringLiteral("tb%1.rtf").arg(doc.TakeNextTextBoxNumber());
}

QString CNewComponents::TakeTableFileName(CCorvessaDoc &doc)
{
    return QStringLiteral("t%1").arg(doc.TakeNextTextBoxNumber());
}

std::unique_ptr<CComponentTextbox> CNewComponents::TextBox(CCorvessaDoc &doc, int defaultText)
{
    auto box = std::make_unique<CComponentTextbox>(doc.GetEditCanvas());
    box->SetDefaultFont(doc.Settings().FontName[0], CProjectArchive::MainFontPoints(doc.Settings()), doc.Settings().FontColor[0]);
    box->SetRightToLeft(doc.Settings().RightToLeft);
    box->SetFileName(TakeTextBoxFileName(doc));
    if (defaultText == 1)
        box->GetRichText().AppendText(CStringTable::Load(kIdsClickAndAddText), 0);
    return box;
}

std::unique_ptr<CComponentTable> CNewComponents::Table(CCorvessaDoc &doc, const CComponentTable::Settings &settings)
{
    auto table = std::make_unique<CComponentTable>(doc.GetEditCanvas(), settings);
    table->SetFileName(TakeTableFileName(doc));
    table->SetDefaultFont(doc.Settings().FontName[0], CProjectArchive::MainFontPoints(doc.Settings()), doc.Settings().FontColor[0]);
    return table;
}

CComponentTable::Settings CNewComponents::DefaultTableSettings(int rows, int columns)
{
    CComponentTable::Settings settings;
    settings.rows = rows;
    settings.columns = columns;
    settings.tableBorder = 1;
    settings.cellBorderThickness = 1;
    settings.cellPadding = 5;
    settings.tableBackground = 0xFFFFFF;
    settings.headerKind = CComponentTable::headerNone;
    settings.setColours = 0;
    settings.headerBackground = 0xFFFFFF;
    settings.oldStyleBorders = 1;
    settings.tableBorderColour = 0;
    settings.cellBorderColour = 0;
    return settings;
}

std::unique_ptr<CComponentImage> CNewComponents::Picture(CCorvessaDoc &doc, const QString &path)
{
    auto picture = std::make_unique<CComponentImage>(doc.GetEditCanvas());
    picture->SetImageFile(path, doc.GetContext());
    return picture;
}

const QString &CNewComponents::ThemeTitlePictureName()
{
    static const QString name = QStringLiteral("kv_text.png");
    return name;
}

QString CNewComponents::ThemeTitlePicture(const CCorvessaDoc &doc)
{
    // The theme's name comes from the project file: it names a folder of Themes and nothing else.
    return CorvPath::Join({doc.GetContext().programFolder, QStringLiteral("Themes"), CorvPath::SafeBareName(doc.Settings().Theme),
                           ThemeTitlePictureName()});
}

CLibraryPictureKinds CNewComponents::LibraryPictureKinds(const CCorvessaDoc &doc)
{
    CLibraryPictureKinds kinds;
    kinds.usePhotoObjects = doc.Settings().UsePhotoObjects;
    kinds.useColorPhotos = doc.Settings().UseColorPhotos;
    kinds.useBWPhotos = doc.Settings().UseBWPhotos;
    kinds.useClipArt = doc.Settings().UseClipArt;
    return kinds;
}
