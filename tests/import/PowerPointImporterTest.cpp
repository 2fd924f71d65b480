#include "document/CorvessaDoc.h"
#include "import/PPT2KVPage.h"
#include "import/PPTXML2KVPage.h"
#include "model/ComponentImage.h"
#include "model/ComponentTextbox.h"
#include "model/ComponentType.h"
#include "model/CorvPage.h"
#include "platform/CorvContext.h"
#include "platform/RecordingPrompt.h"
#include "support/TempTree.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

namespace {

const QString kDeck = QStringLiteral(CORV_FIXTURES "/pptx/ten slides.pptx");

struct Fixture
{
    CRecordingPrompt prompt;
    CCorvContext context;
    std::unique_ptr<CCorvessaDoc> doc;
    std::vector<CCorvPage *> shown;
    std::unique_ptr<CPPT2KVPage> importer;

    Fixture()
    {
        context.programFolder = QCoreApplication::applicationDirPath();
        context.prompt = &prompt;
        doc = std::make_unique<CCorvessaDoc>(context);
        doc->OnNewDocument();
        importer = std::make_unique<CPPT2KVPage>(*doc, [this](CCorvPage *screen) { shown.push_back(screen); });
    }
};

// The texts of a screen's text boxes, paragraph ends and line breaks left out, joined by "|".
QString ScreenText(const CCorvPage &screen)
{
    QStringList texts;
    for (const auto &c : screen.GetComponentList()) {
        if (auto *box = dynamic_cast<const CComponentTextbox *>(c.get())) {
            QString t = box->GetRichText().GetText();
            t.remove(u'\r').remove(u'\n').remove(QChar(0x0B));
            texts.append(t);
        }
    }
    return texts.join(u'|');
}

std::unique_ptr<DocumentFromXML> ReadXml(const QByteArray &xml)
{
    auto doc = PPTXML2KVPage::ReadMemory(xml);
    EXPECT_TRUE(doc) << doc.Error().toStdString();
    return doc ? std::move(*doc) : nullptr;
}

CComponentBase *Component(const CCorvPage *screen, int i)
{
    return screen->GetComponent(i);
}

} // namespace

// Guards the whole path from a presentation to screens: the exporter runs, every slide with content becomes a
// screen (notes become screens of their own after their slide), the texts match those an independent reader
// finds in the presentation's XML, and pictures keep their place relative to the slide's other shapes.
TEST(PowerPointImporter, ImportsARealPresentation)
{
    Fixture f;
    const CProcessResult texts = CProcessRunner::Run(
        "python3", {QStringLiteral(CORV_SOURCE_DIR "/tests/import/pptx_texts.py"), kDeck}, 60000);
    ASSERT_TRUE(texts.Succeeded()) << texts.standardError.toStdString();
    const QStringList slides = QString::fromUtf8(texts.standardOutput).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(slides.size(), 10);

    const CResult<CCorvPage *> imported = f.importer->ImportPowerPointWithLabel(kDeck, QString());
    ASSERT_TRUE(imported) << imported.Error().toStdString();
    CCorvPage *last = *imported;
    const auto &screens = f.importer->CreatedScreens();
    // Notes follow slides 1, 4, 8 and 10.
    ASSERT_EQ(screens.size(), 14u);
    EXPECT_EQ(last, screens.back());
    const int slideScreens[] = {0, 2, 3, 4, 6, 7, 8, 9, 11, 12};
    for (int i = 0; i < 10; ++i) {
        const CCorvPage *screen = screens[size_t(slideScreens[i])];
        QString expected = slides[i];
        if (i == 5)
            expected = "Shapes|Round"; // the line and the group have no text box
        else
            expected.remove(u'\t');
        EXPECT_EQ(ScreenText(*screen), expected) << i;
    }
    EXPECT_EQ(ScreenText(*screens[1]), "Welcome the learners.");
    EXPECT_EQ(ScreenText(*screens[13]), "Thank everyone.");
    for (size_t i = 0; i < screens.size(); ++i) {
        EXPECT_EQ(screens[i]->GetTitle(), QStringLiteral("Slide %1").arg(i + 1));
        EXPECT_EQ(screens[i]->GetLabel(), QString::number(i + 1));
    }
    EXPECT_EQ(f.shown, screens);

    // Slide 3: title at (36, 21), picture at (180, 144) 360 x 270 points; the importer moves both alike.
    const CCorvPage *pictureScreen = screens[3];
    ASSERT_EQ(pictureScreen->GetComponentCount(), 2);
    const CRect title = Component(pictureScreen, 0)->GetBounds();
    const auto *image = dynamic_cast<const CComponentImage *>(Component(pictureScreen, 1));
    ASSERT_TRUE(image);
    const CRect picture = image->GetBounds();
    EXPECT_EQ(picture.left - title.left, 180 - 36);
    EXPECT_EQ(picture.top - title.top, 144 - 21);
    EXPECT_EQ(picture.Width(), 360);
    EXPECT_EQ(picture.Height(), 270);
    EXPECT_TRUE(QFile::exists(image->GetImageFile())) << image->GetImageFile().toStdString();
    EXPECT_FALSE(QFileInfo(image->GetImageFile()).fileName().contains(u' '));
    EXPECT_TRUE(image->GetImageFile().endsWith("/tenslides.pptx_picture0.png"));
}

// Guards damaged presentations: a truncated file, an old binary file renamed and a missing file end in a
// reason and no screen, and the course keeps the screens it had.
TEST(PowerPointImporter, DamagedPresentationsChangeNothing)
{
    TempTree tree;
    const QByteArray deck = TempTree::ReadAll(kDeck);
    const QString cases[] = {
        tree.Write("truncated.pptx", deck.left(deck.size() / 3)),
        tree.Write("old.pptx", QByteArray::fromHex("d0cf11e0a1b11ae1") + QByteArray(4000, '\0')),
        tree / "missing.pptx",
    };
    for (const QString &path : cases) {
        Fixture f;
        const size_t before = f.doc->MainScreens().size();
        const CResult<CCorvPage *> imported = f.importer->ImportPowerPoint(path, nullptr);
        EXPECT_FALSE(imported) << path.toStdString();
        EXPECT_TRUE(imported.Error().contains(QFileInfo(path).fileName())) << imported.Error().toStdString();
        EXPECT_EQ(f.doc->MainScreens().size(), before);
    }
}

// Guards the helper contract: the mode by the settings (pictures first), the program from the program folder,
// the arguments in order, and a helper that fails or leaves nothing reported instead of read as success.
TEST(PowerPointImporter, ModesArgumentsAndHelperFailures)
{
    Fixture f;
    struct Mode { int images, fast; CPPT2KVPage::PptImportMode mode; };
    for (const Mode &m : {Mode{1, 1, CPPT2KVPage::PptImportMode::pictures}, Mode{0, 1, CPPT2KVPage::PptImportMode::fastText},
                          Mode{0, 0, CPPT2KVPage::PptImportMode::xml}}) {
        f.doc->MutableSettings().ImportPowerpointAsImages = m.images;
        f.doc->MutableSettings().FastPowerpointImport = m.fast;
        EXPECT_EQ(CPPT2KVPage::SelectMode(f.doc->Settings()), m.mode);
    }
    f.doc->MutableSettings().ImportPowerpointAsImages = 0;
    f.doc->MutableSettings().FastPowerpointImport = 0;

    QString program;
    QStringList arguments;
    f.importer->SetHelperRunner([&](const QString &p, const QStringList &a) {
        program = p;
        arguments = a;
        CProcessResult r;
        r.started = true;
        r.exitCode = 1;
        r.standardError = "cannot open it";
        return r;
    });
    const CResult<CCorvPage *> refused = f.importer->ImportPowerPoint("/d/my deck.pptx", nullptr);
    EXPECT_FALSE(refused);
    EXPECT_EQ(program, QDir(QCoreApplication::applicationDirPath()).filePath("slatewright22"));
    ASSERT_EQ(arguments.size(), 3);
    EXPECT_EQ(arguments[0], "/d/my deck.pptx");
    EXPECT_EQ(arguments[1], "_%_");
    EXPECT_TRUE(QFileInfo(arguments[2]).isDir());
    EXPECT_TRUE(refused.Error().contains("cannot open it"));

    // A helper that reports success but leaves nothing: no earlier run's result is read instead.
    f.importer->SetHelperRunner([&](const QString &, const QStringList &a) {
        arguments = a;
        CProcessResult r;
        r.started = true;
        r.exitCode = 0;
        return r;
    });
    const QString firstFolder = arguments[2];
    const CResult<CCorvPage *> empty = f.importer->ImportPowerPoint("/d/deck.pptx", nullptr);
    EXPECT_FALSE(empty);
    EXPECT_NE(arguments[2], firstFolder);
    EXPECT_TRUE(empty.Error().contains("left no slides"));

    f.doc->MutableSettings().ImportPowerpointAsImages = 1;
    const CResult<CCorvPage *> pictures = f.importer->ImportPowerPoint("/d/deck.pptx", nullptr);
    EXPECT_FALSE(pictures);
    EXPECT_TRUE(pictures.Error().contains("pictures"));
    EXPECT_EQ(program, QDir(QCoreApplication::applicationDirPath()).filePath("slatewright22"));

    // The author stops the slide program in the wait box: the call says so, nothing is made.
    f.doc->MutableSettings().ImportPowerpointAsImages = 0;
    QString waitMessage;
    f.importer->SetWaitingRunner([&](const QString &message, const QString &, const QStringList &) {
        waitMessage = message;
        CProcessResult r;
        r.started = true;
        r.cancelled = true;
        return r;
    });
    const CResult<CCorvPage *> stopped = f.importer->ImportPowerPoint("/d/deck.pptx", nullptr);
    EXPECT_FALSE(stopped);
    EXPECT_TRUE(f.importer->WasCancelled());
    EXPECT_EQ(waitMessage, "Powerpoint file \"/d/deck.pptx\" is being parsed.\n\n\t\t    Please wait.\n");
    EXPECT_TRUE(f.doc->MainScreens().empty());
}

// Guards the picture mode's rules: slide numbers from the sixth character of the names, the first file of a
// number kept, the pictures renamed after the presentation, and the fitting to the screen.
TEST(PowerPointImporter, SlidePictures)
{
    TempTree tree;
    const QString folder = tree.MakeFolder("out");
    for (const char *name : {"Slide2.png", "Slide10.png", "Slide1.png", "Slide01.png", "notes.txt", "Title.png"})
        tree.Write(QStringLiteral("out/") + name, "x");
    const std::map<int, QString> pictures = CPPT2KVPage::CollectSlidePictures(folder, "/d/My <best> & deck.pptx");
    const std::map<int, QString> expected = {
        {1, "Mybestdeck_Slide01.png"}, {2, "Mybestdeck_Slide2.png"}, {10, "Mybestdeck_Slide10.png"}};
    EXPECT_EQ(pictures, expected);
    for (const auto &[n, name] : expected)
        EXPECT_TRUE(QFile::exists(folder + "/" + name)) << n;

    struct Size { int w, h; CRect bounds; };
    for (const Size &c : {Size{800, 600, CRect(131, 0, 877, 560)}, Size{1000, 555, CRect(0, 0, 1008, 560)},
                          Size{1008, 560, CRect(0, 0, 1008, 560)}, Size{2000, 500, CRect(0, 154, 1008, 406)}})
        EXPECT_EQ(CPPT2KVPage::SlidePictureBounds(c.w, c.h), c.bounds) << c.w << "x" << c.h;
}

// Guards the picture mode end to end with the slide program beside the program (LibreOffice and pdftoppm): a
// deck of three slides gives three screens, each showing its slide's picture fitted to the screen.
TEST(PowerPointImporter, SlidesAsPictures)
{
    Fixture f;
    f.doc->MutableSettings().ImportPowerpointAsImages = 1;
    const CResult<CCorvPage *> imported =
        f.importer->ImportPowerPointWithLabel(QStringLiteral(CORV_FIXTURES "/pptx/three slides.pptx"), QString());
    ASSERT_TRUE(imported) << imported.Error().toStdString();
    const auto &screens = f.importer->CreatedScreens();
    ASSERT_EQ(screens.size(), 3u);
    for (size_t i = 0; i < screens.size(); ++i) {
        EXPECT_EQ(screens[i]->GetLabel(), QString::number(i + 1));
        EXPECT_EQ(screens[i]->GetTitle(), QStringLiteral("threeslides_Slide%1").arg(i + 1));
        std::vector<CComponentBase *> images;
        ASSERT_EQ(screens[i]->GetComponentsOfType(ct_image, images), 1);
        const auto *image = dynamic_cast<const CComponentImage *>(images.front());
        const QImage picture(image->GetImageFile());
        ASSERT_FALSE(picture.isNull()) << image->GetImageFile().toStdString();
        // A 4:3 slide drawn at the screen's height, shown whole and centred.
        EXPECT_EQ(picture.height(), 560);
        EXPECT_NEAR(picture.width(), 747, 1);
        EXPECT_EQ(image->GetBounds().Height(), 560);
        EXPECT_EQ(image->GetBounds().left, (1008 - image->GetBounds().Width()) / 2);
    }
    EXPECT_EQ(f.shown, screens);
}

// Guards the naming rules of new screens.
TEST(PowerPointImporter, ScreenLabels)
{
    Fixture f;
    CCorvPage anchor(1, "Topic", "", "", 0, "3", 0, 0);
    struct Case { const CCorvPage *anchor; bool naming; const char *base; int n; const char *label; };
    const Case cases[] = {
        {&anchor, false, "", 1, "3_1"}, {&anchor, true, "9", 5, "3_5"}, {nullptr, false, "", 2, "2"},
        {nullptr, true, "2_4", 1, "2_5"}, {nullptr, true, "2_4", 2, "2_6"}, {nullptr, true, "", 2, "2"},
        {nullptr, true, "x", 1, "1"}, {nullptr, true, "7", 3, "10"}, {nullptr, true, "a_b", 1, "a_1"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(CPPT2KVPage::ScreenLabel(c.n, c.anchor, c.naming, c.base), c.label) << c.base << " " << c.n;
}

// Guards the geometry and the formats of the XML mode: a text box (0,0)-(720,540) gets bottom 553 and moves by
// (144, 3); a note page's box lands at (54, 45)-(990, 546); bold, normal and mixed-bullet fragments give the
// character and paragraph formats the slide had.
TEST(PowerPointImporter, XmlSlidesToComponents)
{
    Fixture f;
    const auto doc = ReadXml(
        "<doc><page><object><rect><left>0</left><top>0</top><width>720</width><height>540</height></rect>"
        "<type>Text</type>"
        "<fragment><font-name>Georgia</font-name><font-size>20</font-size><font-color>255</font-color>"
        "<font-is-italic>False</font-is-italic><font-is-bold>True</font-is-bold><font-is-underline>False</font-is-underline>"
        "<font-is-normal>False</font-is-normal><alignment>AlignCenter</alignment><paragraph-format>bulletmixed"
        "</paragraph-format><text>Bold\r</text></fragment>"
        "<fragment><font-is-bold>False</font-is-bold><font-is-normal>True</font-is-normal><font-size>0</font-size>"
        "<alignment>AlignCenter</alignment><paragraph-format>bulletmixed</paragraph-format><text>plain</text></fragment>"
        "</object><note>the note</note></page>"
        "<page></page>"
        "<page><object><type>Shape</type></object></page></doc>");
    ASSERT_TRUE(doc);
    f.doc->MutableSettings().FontSizePoints[0] = "16";
    f.importer->CreatePagesFromXml(*doc, QDir::tempPath());
    const auto &screens = f.importer->CreatedScreens();
    ASSERT_EQ(screens.size(), 3u); // the empty page makes none; a page of unknown objects makes an empty one
    auto *box = dynamic_cast<CComponentTextbox *>(Component(screens[0], 0));
    ASSERT_TRUE(box);
    EXPECT_EQ(box->GetBounds().left, 144);
    EXPECT_EQ(box->GetBounds().top, 3);
    EXPECT_EQ(box->GetBounds().Width(), 720);
    EXPECT_EQ(box->GetBounds().Height(), 553);
    const CRichText &text = box->GetRichText();
    EXPECT_EQ(text.GetText(), "Bold\rplain");
    const CCharFormat bold = text.GetCharFormatAt(0);
    EXPECT_TRUE(bold.Has(CFE_BOLD));
    EXPECT_EQ(bold.face, "Georgia");
    EXPECT_EQ(bold.height, 20 * 14);
    EXPECT_EQ(bold.colour, 255u);
    const CCharFormat plain = text.GetCharFormatAt(6);
    EXPECT_FALSE(plain.Has(CFE_BOLD));
    const CParaFormat first = text.GetParaFormatAt(0);
    EXPECT_EQ(first.numbering, PFN_ARABIC);
    EXPECT_EQ(first.numberingStyle, PFNS_PERIOD);
    EXPECT_EQ(first.numberingStart, 1);
    EXPECT_EQ(first.alignment, PFA_CENTER);
    const CParaFormat second = text.GetParaFormatAt(6);
    EXPECT_EQ(second.numbering, PFN_BULLET);
    EXPECT_EQ(second.alignment, PFA_CENTER);
    EXPECT_EQ(box->GetDefaultFontSize() > 0, true);

    auto *note = dynamic_cast<CComponentTextbox *>(Component(screens[1], 0));
    ASSERT_TRUE(note);
    EXPECT_EQ(note->GetBounds().left, 54);
    EXPECT_EQ(note->GetBounds().top, 45);
    EXPECT_EQ(note->GetBounds().right, 990);
    EXPECT_EQ(note->GetBounds().bottom, 546);
    EXPECT_EQ(note->GetRichText().GetText(), "the note");
    EXPECT_EQ(screens[2]->GetComponentCount(), 0);
}

// Guards picture paths taken from the file: only pictures inside the run's folder are used and renamed, blanks
// leave the file name only, and a missing or empty picture is skipped with the rest of the slide kept.
TEST(PowerPointImporter, PicturePathsStayInTheRunFolder)
{
    EXPECT_EQ(CPPT2KVPage::PicturePathWithoutBlanks("/out dir/my deck.pptx_picture0.png"),
              "/out dir/mydeck.pptx_picture0.png");
    EXPECT_EQ(CPPT2KVPage::PicturePathWithoutBlanks("C:\\out dir\\a b.png"), "C:\\out dir\\ab.png");

    TempTree tree;
    const QString run = tree.MakeFolder("run dir");
    QImage(8, 8, QImage::Format_RGB32).save(run + "/a b.png", "PNG");
    QImage(8, 8, QImage::Format_RGB32).save(tree / "outside.png", "PNG");
    tree.Write("run dir/empty.png", "");
    auto object = [](const QString &path) {
        return "<object><rect><left>10</left><top>10</top><width>8</width><height>8</height></rect>"
               "<type>Picture</type><fragment><text>" + path.toUtf8() + "</text></fragment></object>";
    };
    const auto doc = ReadXml("<doc><page>" + object(run + "/a b.png") + object(tree / "outside.png")
                             + object(run + "/../outside.png") + object(run + "/empty.png")
                             + object(run + "/missing.png") + "</page></doc>");
    Fixture f;
    f.importer->CreatePagesFromXml(*doc, run);
    ASSERT_EQ(f.importer->CreatedScreens().size(), 1u);
    const CCorvPage *screen = f.importer->CreatedScreens()[0];
    ASSERT_EQ(screen->GetComponentCount(), 1);
    EXPECT_EQ(dynamic_cast<const CComponentImage *>(Component(screen, 0))->GetImageFile(), run + "/ab.png");
    EXPECT_TRUE(QFile::exists(tree / "outside.png"));
}

// Guards the marker text of the fast mode: numbered markers end in "@" so page 1 is not page 10, missing
// object blocks and unknown types are skipped, a size of 0 takes the course's point size, no page count
// gives no screens.
TEST(PowerPointImporter, MarkerText)
{
    QString out;
    EXPECT_TRUE(CPPT2KVPage::ExtractBetweenMarkers("@START-PAGE-1@", "@END-PAGE-1@",
                                                   "@START-PAGE-10@ten@END-PAGE-10@@START-PAGE-1@one@END-PAGE-1@", &out));
    EXPECT_EQ(out, "one");
    EXPECT_FALSE(CPPT2KVPage::ExtractBetweenMarkers("@A@", "@B@", "@B@x@A@", &out));
    EXPECT_FALSE(CPPT2KVPage::ExtractBetweenMarkers("@A@", "@B@", "@A@x", &out));

    const QString text =
        "@START-DOC@@START-PAGE-COUNT@2@END-PAGE-COUNT@"
        "@START-PAGE-0@@START-OBJECT-COUNT@3@END-OBJECT-COUNT@"
        "@START-OBJECT-0@@START-TYPE@text@END-TYPE@@START-RECT@0.000000\t0.000000\t720.000000\t540.000000@END-RECT@"
        "@START-TEXT@Hello@END-TEXT@@START-FONT-SIZE@0@END-FONT-SIZE@@START-ALIGNMENT@AlignCenter@END-ALIGNMENT@"
        "@END-OBJECT-0@@START-OBJECT-2@@START-TYPE@Shape@END-TYPE@@START-TEXT@x@END-TEXT@@END-OBJECT-2@"
        "@END-PAGE-0@@START-PAGE-1@@END-PAGE-1@@END-DOC@";
    Fixture f;
    f.doc->MutableSettings().FontSizePoints[0] = "16";
    f.importer->CreatePagesFromMarkers(text, QDir::tempPath());
    ASSERT_EQ(f.importer->CreatedScreens().size(), 1u); // page 1 has no object count
    const CCorvPage *screen = f.importer->CreatedScreens()[0];
    ASSERT_EQ(screen->GetComponentCount(), 1);
    auto *box = dynamic_cast<const CComponentTextbox *>(Component(screen, 0));
    ASSERT_TRUE(box);
    EXPECT_EQ(box->GetRichText().GetText(), "Hello");
    EXPECT_EQ(box->GetDefaultFontSize(), 16);
    EXPECT_EQ(box->GetBounds().left, 144);

    Fixture g;
    g.importer->CreatePagesFromMarkers("@START-DOC@@START-PAGE-0@@END-PAGE-0@@END-DOC@", QDir::tempPath());
    EXPECT_TRUE(g.importer->CreatedScreens().empty());
    EXPECT_EQ(CPPT2KVPage::DecodeMarkerText("caf\xe9"), QString::fromUtf8("café"));
    EXPECT_EQ(CPPT2KVPage::DecodeMarkerText("caf\xc3\xa9"), QString::fromUtf8("café"));
}

// Guards what the author reads when the exporter fails: its own refusal (status 1) stands as it is written,
// while a crash or an abort (status 134 after std::bad_alloc) was shown as the raw text it left.
TEST(PowerPointImporter, ExporterFailuresReachTheAuthorInWords)
{
    struct Case { bool crashed; int status; QByteArray output; QString message; };
    const QString deck = "/d/deck.pptx";
    const QString prefix = "The presentation \"" + deck + "\" could not be exported: ";
    const Case cases[] = {
        {false, 1, "slatewright22: The file \"/d/deck.pptx\" is too large to import: its part \"x\" holds more than 16 MB.\n",
         "The file \"/d/deck.pptx\" is too large to import: its part \"x\" holds more than 16 MB."},
        {false, 1, "encoding error : input conversion failed\nslatewright22: There is no slide.\n", prefix + "There is no slide."},
        {false, 134, "terminate called after throwing an instance of 'std::bad_alloc'\n  what():  std::bad_alloc\n",
         prefix + "the slide exporter stopped unexpectedly (status 134)."},
        {true, 6, "what():  std::bad_alloc", prefix + "the slide exporter stopped unexpectedly (status 6)."},
        {false, 1, "", prefix + "the slide exporter gave no reason."},
    };
    for (const Case &c : cases) {
        Fixture f;
        f.importer->SetHelperRunner([&](const QString &, const QStringList &) {
            CProcessResult r;
            r.started = true;
            r.crashed = c.crashed;
            r.exitCode = c.status;
            r.standardError = c.output;
            return r;
        });
        const CResult<CCorvPage *> imported = f.importer->ImportPowerPoint(deck, nullptr);
        ASSERT_FALSE(imported);
        EXPECT_EQ(imported.Error(), c.message);
        EXPECT_TRUE(f.doc->MainScreens().empty());
    }
}

// Guards shapes far outside the slide (a hostile offset of -2^31 EMU, a width of 2^63): their boxes were put
// where no author can reach them. Positions and sizes are brought onto the canvas before the screen is laid
// out, in the XML and the marker modes alike, and the slide's other shapes keep their place.
TEST(PowerPointImporter, ShapesFarOffTheSlideAreClampedToTheCanvas)
{
    Fixture f;
    const auto doc = ReadXml(
        "<doc><page>"
        "<object><rect><left>-169093.1</left><top>100</top><width>200</width><height>50</height></rect><type>Text</type>"
        "<fragment><text>far left</text></fragment></object>"
        "<object><rect><left>10</left><top>-5</top><width>726238597000000.0</width><height>2147483647</height></rect>"
        "<type>Text</type><fragment><text>huge</text></fragment></object>"
        "<object><rect><left>100</left><top>200</top><width>300</width><height>100</height></rect><type>Text</type>"
        "<fragment><text>ordinary</text></fragment></object>"
        "</page></doc>");
    ASSERT_TRUE(doc);
    f.importer->CreatePagesFromXml(*doc, QDir::tempPath());
    ASSERT_EQ(f.importer->CreatedScreens().size(), 1u);
    const CCorvPage *screen = f.importer->CreatedScreens()[0];
    ASSERT_EQ(screen->GetComponentCount(), 3);
    for (int i = 0; i < 3; ++i) {
        const CRect r = Component(screen, i)->GetBounds();
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= 1008 && r.bottom <= 560 && r.left <= r.right && r.top <= r.bottom)
            << i << ": " << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    }
    EXPECT_EQ(Component(screen, 0)->GetBounds().left, 0);
    EXPECT_EQ(Component(screen, 0)->GetBounds().Width(), 200);
    EXPECT_EQ(Component(screen, 1)->GetBounds().Width(), 1008);
    EXPECT_EQ(Component(screen, 2)->GetBounds().Width(), 300);

    Fixture g;
    g.importer->CreatePagesFromMarkers(
        "@START-DOC@@START-PAGE-COUNT@1@END-PAGE-COUNT@@START-PAGE-0@@START-OBJECT-COUNT@1@END-OBJECT-COUNT@"
        "@START-OBJECT-0@@START-TYPE@Text@END-TYPE@@START-RECT@-1e300\tnan\t1e308\t-50@END-RECT@"
        "@START-TEXT@far@END-TEXT@@END-OBJECT-0@@END-PAGE-0@@END-DOC@",
        QDir::tempPath());
    ASSERT_EQ(g.importer->CreatedScreens().size(), 1u);
    const CRect r = Component(g.importer->CreatedScreens()[0], 0)->GetBounds();
    EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= 1008 && r.bottom <= 560) << r.left << "," << r.right;
}
