#include "document/ContentScreenFactory.h"

#include "document/CorvessaDoc.h"
#include "document/NewComponents.h"
#include "document/ScreenFactory.h"
#include "model/ComponentButton.h"
#include "model/ComponentImage.h"
#include "model/ComponentTextbox.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "platform/StringTable.h"

#include <array>
#include <vector>

namespace {

// ---- Content templates ----

enum class Part { picture, text };

// One component of a template, its rectangle worked out from the picture size w x h. The gaps are fixed:
// 40 pixels between a picture and a text box beside it (w + 76, 932 - w), 32 above or below
// (h + 64, 488 - h). Templates 7 and 9 give their picture a square area of side w, centred on the height.
struct Placed {
    Part part;
    CRect (*rect)(int w, int h);
};

const std::array<std::vector<Placed>, CContentScreenFactory::kTemplateCount> &Templates()
{
    using P = Part;
    static const std::array<std::vector<Placed>, CContentScreenFactory::kTemplateCount> templates = {{
        {{P::picture, [](int w, int h) { return CRect(36, 32, 36 + w, 32 + h); }},
         {P::text, [](int w, int h) { return CRect(w + 76, 32, 972, 32 + h); }},
         {P::text, [](int, int h) { return CRect(36, h + 64, 972, 520); }}},
        {{P::picture, [](int w, int h) { return CRect(972 - w, 32, 972, 32 + h); }},
         {P::text, [](int w, int h) { return CRect(36, 32, 932 - w, 32 + h); }},
         {P::text, [](int, int h) { return CRect(36, h + 64, 972, 520); }}},
        {{P::text, [](int, int h) { return CRect(36, 32, 972, 488 - h); }},
         {P::picture, [](int w, int h) { return CRect(36, 520 - h, 36 + w, 520); }},
         {P::text, [](int w, int h) { return CRect(w + 76, 520 - h, 972, 520); }}},
        {{P::text, [](int, int h) { return CRect(36, 32, 972, 488 - h); }},
         {P::text, [](int w, int h) { return CRect(36, 520 - h, 932 - w, 520); }},
         {P::picture, [](int w, int h) { return CRect(972 - w, 520 - h, 972, 520); }}},
        {{P::picture, [](int w, int h) { return CRect(36, 32, 36 + w, 32 + h); }},
         {P::text, [](int w, int h) { return CRect(w + 76, 32, 972, 488 - h); }},
         {P::text, [](int w, int h) { return CRect(36, h + 64, 932 - w, 520); }},
         {P::picture, [](int w, int h) { return CRect(972 - w, 520 - h, 972, 520); }}},
        {{P::text, [](int w, int h) { return CRect(36, 32, 932 - w, 488 - h); }},
         {P::picture, [](int w, int h) { return CRect(972 - w, 32, 972, 32 + h); }},
         {P::picture, [](int w, int h) { return CRect(36, 520 - h, 36 + w, 520); }},
         {P::text, [](int w, int h) { return CRect(w + 76, h + 64, 972, 520); }}},
        {{P::picture, [](int w, int h) { return CRect((1008 - w) / 2, 32, (1008 - w) / 2 + w, 32 + h); }},
         {P::text, [](int, int h) { return CRect(36, h + 64, 972, 520); }}},
        {{P::picture, [](int w, int) { return CRect(36, (560 - w) / 2, 36 + w, (560 - w) / 2 + w); }},
         {P::text, [](int w, int) { return CRect(w + 76, 32, 972, 520); }}},
        {{P::text, [](int, int h) { return CRect(36, 32, 972, 488 - h); }},
         {P::picture, [](int w, int h) { return CRect((1008 - w) / 2, 520 - h, (1008 - w) / 2 + w, 520); }}},
        {{P::text, [](int w, int) { return CRect(36, 32, 932 - w, 520); }},
         {P::picture, [](int w, int) { return CRect(972 - w, (560 - w) / 2, 972, (560 - w) / 2 + w); }}},
    }};
    return templates;
}

// ---- Result screens ----

// The picture box of a result screen, whatever the course's picture size, and the point it is centred on
// (the middle of (304, 254)-(704, 520)).
constexpr int kResultPictureWidth = 400;
constexpr int kResultPictureHeight = 266;
constexpr int kResultPictureCentreX = 504;
constexpr int kResultPictureCentreY = 387;
constexpr CRect kResultText{36, 32, 972, 488 - kResultPictureHeight};
constexpr CRect kPrintButton{865, 490, 969, 514};

} // namespace

// What sets the three result screens apart: the result text and the stock picture of each kind of library
// picture the course may use.
struct CContentScreenFactory::ResultScreen {
    int resultText; // string table
    const char *photoObject;
    const char *colourPhoto;
    const char *blackAndWhitePhoto;
    const char *clipArt;
};

namespace {

const CContentScreenFactory::ResultScreen kMessage{10828, "000215_3769_1025_oslp.jpg", "000801_0257_0009_tsls.jpg",
                                                   "011204_1196_0004_lsls.jpg", "000803_1063_4359_vuvv.wmf"};
const CContentScreenFactory::ResultScreen kPass{10829, "970801_2653_1005_oslp.jpg", "030419_1883_5046_xsls.jpg",
                                                "000801_0247_0066_tslsw.jpg", "000803_1063_2402_vuvv.wmf"};
const CContentScreenFactory::ResultScreen kFail{10830, "970801_4855_1063_oslp.jpg", "010509_0747_0058_lsls.jpg",
                                                "021106_1757_0046_lslsw.jpg", "000803_1063_2275_vuvv.wmf"};

} // namespace

CContentScreenFactory::CContentScreenFactory(CCorvessaDoc &doc) : m_doc(doc)
{
}

CCorvPage *CContentScreenFactory::AddContentScreenTemplate(int layout, const QString &title, const QString &label,
                                                           CCorvPage *after, int pictureSize, int defaultText)
{
    if (layout < 0 || layout >= kTemplateCount)
        return nullptr;
    CScreenFactory factory(m_doc);
    auto screen = factory.NewScreen(title, label, pt_document);
    const int w = GetPictureWidthForSize(pictureSize);
    const int h = GetPictureHeightForSize(pictureSize);
    const QString placeholder = CScreenFactory::GetPlaceholderImagePath(m_doc, pictureSize);
    for (const Placed &placed : Templates()[size_t(layout)]) {
        if (placed.part == Part::picture)
            factory.Place(*screen, CNewComponents::Picture(m_doc, placeholder), placed.rect(w, h));
        else
            factory.Place(*screen, CNewComponents::TextBox(m_doc, defaultText), placed.rect(w, h));
    }
    return CScreenFactory::InsertScreen(m_doc, std::move(screen), after, CScreenFactory::List::byAfter);
}

CCorvPage *CContentScreenFactory::AddFinalPerformanceFolder(const QString &title, const QString &label,
                                                            CCorvPage *after)
{
    CScreenFactory factory(m_doc);
    return CScreenFactory::InsertScreen(m_doc, factory.NewScreen(title, label, pt_asmt_folder), after,
                                        CScreenFactory::List::main);
}

CCorvPage *CContentScreenFactory::AddCompletedScreen(const QString &title, const QString &label, CCorvPage *after)
{
    CScreenFactory factory(m_doc);
    return CScreenFactory::InsertScreen(m_doc, factory.NewScreen(title, label, pt_asmt_container), after,
                                        CScreenFactory::List::main);
}

CCorvPage *CContentScreenFactory::AddMessageScreen(const QString &title, const QString &label, CCorvPage *after)
{
    return AddResultScreen(kMessage, title, label, after);
}

CCorvPage *CContentScreenFactory::AddPassScreen(const QString &title, const QString &label, CCorvPage *after)
{
    return AddResultScreen(kPass, title, label, after);
}

CCorvPage *CContentScreenFactory::AddFailScreen(const QString &title, const QString &label, CCorvPage *after)
{
    return AddResultScreen(kFail, title, label, after);
}

CCorvPage *CContentScreenFactory::AddResultScreen(const ResultScreen &kind, const QString &title,
                                                  const QString &label, CCorvPage *after)
{
    CScreenFactory factory(m_doc);
    auto screen = factory.NewScreen(title, label, pt_asmt_document);

    // The result text, its first paragraph ("Assessment Results") in bold.
    auto text = CNewComponents::TextBox(m_doc, 0);
    CRichText &rich = text->GetRichText();
    rich.AppendText(CStringTable::Load(kind.resultText), 0);
    CCharFormat bold;
    bold.mask = CFM_BOLD;
    bold.effects = CFE_BOLD;
    rich.SetCharFormat(rich.ParagraphStart(0),
                       rich.GetParagraphCount() > 1 ? rich.ParagraphStart(1) : rich.GetTextLength(), bold);
    factory.Place(*screen, std::move(text), kResultText);

    // The stock picture of the first kind of library picture the course uses, shrunk to fit its box.
    const char *stock = m_doc.Settings().UsePhotoObjects ? kind.photoObject
                      : m_doc.Settings().UseColorPhotos  ? kind.colourPhoto
                      : m_doc.Settings().UseBWPhotos     ? kind.blackAndWhitePhoto
                                              : kind.clipArt;
    QString found;
    FindLibraryImage(m_doc.GetContext(), QString::fromLatin1(stock), found);
    auto picture = std::make_unique<CComponentImage>(m_doc.GetEditCanvas());
    if (!found.isEmpty())
        picture->SetImageFile(found, m_doc.GetContext());
    int width = 0, height = 0, fittedWidth = 0, fittedHeight = 0;
    double scale = 1.0;
    GetImageFileSize(width, height, found);
    FitSizeInBox(kResultPictureWidth, kResultPictureHeight, width, height, fittedWidth, fittedHeight, scale);
    factory.Place(*screen, std::move(picture),
                  CRect(kResultPictureCentreX - fittedWidth / 2, kResultPictureCentreY - fittedHeight / 2,
                        kResultPictureCentreX + fittedWidth / 2, kResultPictureCentreY + fittedHeight / 2));

    auto print = std::make_unique<CComponentButton>(m_doc.GetEditCanvas());
    print->SetText(QStringLiteral("Print"));
    factory.Place(*screen, std::move(print), kPrintButton);
    return CScreenFactory::InsertScreen(m_doc, std::move(screen), after, CScreenFactory::List::main);
}
