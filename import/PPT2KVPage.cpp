#include "import/PPT2KVPage.h"

#include "document/CorvessaDoc.h"
#include "document/ScreenFactory.h"
#include "import/PPTXML2KVPage.h"
#include "model/ComponentImage.h"
#include "model/ComponentTextbox.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "platform/CodePage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <cmath>

namespace {

constexpr int kCanvasWidth = 1008;
constexpr int kCanvasHeight = 560;
// Ten minutes: a presentation of hundreds of slides with pictures exports well within it.
constexpr int kHelperTimeoutMs = 10 * 60 * 1000;

int ModeIndex(CPPT2KVPage::PptImportMode mode)
{
    return int(mode);
}

bool IsInsideFolder(const QString &path, const QString &folder)
{
    const QString file = QFileInfo(path).canonicalFilePath();
    const QString root = QFileInfo(folder).canonicalFilePath();
    return !file.isEmpty() && !root.isEmpty() && file.startsWith(root + u'/');
}

// The paragraph-alignment words of the slide XML and the fast mode.
int AlignmentOf(const QString &word)
{
    struct Word { const char *name; int alignment; };
    static constexpr Word kWords[] = {{"alignleft", PFA_LEFT}, {"aligncenter", PFA_CENTER},
                                      {"alignright", PFA_RIGHT}, {"justify", PFA_JUSTIFY}};
    for (const Word &w : kWords) {
        if (word.compare(QLatin1String(w.name), Qt::CaseInsensitive) == 0)
            return w.alignment;
    }
    return 0;
}

} // namespace

CPPT2KVPage::CPPT2KVPage(CCorvessaDoc &doc, ShowScreen showScreen)
    : m_doc(doc), m_showScreen(std::move(showScreen)),
      m_programs{QStringLiteral("pictoslate"), QStringLiteral("slatewright22"), QStringLiteral("slatewright22")}
{
    m_runner = [](const QString &program, const QStringList &arguments) {
        return CProcessRunner::Run(program, arguments, kHelperTimeoutMs);
    };
}

CPPT2KVPage::~CPPT2KVPage() = default;

void CPPT2KVPage::SetProgram(PptImportMode mode, const QString &name)
{
    m_programs[ModeIndex(mode)] = name;
}

QString CPPT2KVPage::ProgramPath(PptImportMode mode) const
{
    return QDir(m_doc.GetContext().programFolder).filePath(m_programs[ModeIndex(mode)]);
}

CPPT2KVPage::PptImportMode CPPT2KVPage::SelectMode(const CCourseSettings &settings)
{
    if (settings.ImportPowerpointAsImages)
        return PptImportMode::pictures;
    if (settings.FastPowerpointImport)
        return PptImportMode::fastText;
    return PptImportMode::xml;
}

QStringList CPPT2KVPage::HelperArguments(const QString &presentationPath, const QString &outputFolder)
{
    return {presentationPath, QStringLiteral("_%_"), outputFolder};
}

CResult<CCorvPage *> CPPT2KVPage::ImportPowerPoint(const QString &presentationPath, CCorvPage *anchor)
{
    return Import(presentationPath, anchor, false, QString());
}

CResult<CCorvPage *> CPPT2KVPage::ImportPowerPointWithLabel(const QString &presentationPath, const QString &baseLabel)
{
    return Import(presentationPath, nullptr, true, baseLabel);
}

CResult<QString> CPPT2KVPage::RunHelper(PptImportMode mode, const QString &presentationPath, QString *outputFolder)
{
    // A folder of this run's own: a result left by an earlier run can never be taken for this one's.
    QTemporaryDir folder(QDir(QDir::tempPath()).filePath(QStringLiteral("corvessa-slides-XXXXXX")));
    if (!folder.isValid())
        return CFailure(
            QStringLiteral("No temporary folder could be made for the slides of \"%1\".").arg(presentationPath));
    folder.setAutoRemove(false); // the pictures stay where the image components find them
    *outputFolder = folder.path();
    const QString program = ProgramPath(mode);
    const QStringList arguments = HelperArguments(presentationPath, folder.path());
    const CProcessResult result = m_waitingRunner ? m_waitingRunner(WaitMessage(presentationPath), program, arguments)
                                                  : m_runner(program, arguments);
    if (result.cancelled) {
        m_cancelled = true;
        QDir(folder.path()).removeRecursively();
        return CFailure(QStringLiteral("The import of \"%1\" was cancelled.").arg(presentationPath));
    }
    if (!result.started)
        return CFailure(QStringLiteral("The slide exporter \"%1\" could not be started.").arg(program));
    if (!result.Succeeded())
        return CFailure(ExporterFailure(result, presentationPath));
    if (mode == PptImportMode::pictures)
        return folder.path();
    const QString xml = QDir(folder.path()).filePath(QStringLiteral("slides.export.xml"));
    if (mode == PptImportMode::fastText) {
        // Our exporter writes the slide XML only; the marker text is read when a program leaves one.
        const QString markers = QDir(folder.path()).filePath(QStringLiteral("slides.export.txt"));
        if (QFileInfo::exists(markers))
            return markers;
    }
    if (!QFileInfo::exists(xml))
        return CFailure(QStringLiteral("The slide exporter left no slides for \"%1\".").arg(presentationPath));
    return xml;
}

CResult<CCorvPage *> CPPT2KVPage::Import(const QString &presentationPath, CCorvPage *anchor, bool namingFlag,
                                         const QString &baseLabel)
{
    const PptImportMode mode = SelectMode(m_doc.Settings());
    m_cancelled = false;
    QString outputFolder;
    const CResult<QString> result = RunHelper(mode, presentationPath, &outputFolder);
    if (!result)
        return CFailure(result.Error());
    m_created.clear();
    m_anchor = anchor;
    m_namingFlag = namingFlag;
    m_baseLabel = baseLabel;
    if (mode == PptImportMode::pictures) {
        const std::map<int, QString> pictures = CollectSlidePictures(outputFolder, presentationPath);
        if (pictures.empty())
            return CFailure(QStringLiteral("The slide program left no slide pictures for \"%1\".").arg(presentationPath));
        CreatePagesFromPictures(outputFolder, pictures);
    } else if (result->endsWith(QLatin1String(".txt"))) {
        QFile file(*result);
        if (!file.open(QIODevice::ReadOnly))
            return CFailure(QStringLiteral("The slides of \"%1\" could not be read.").arg(presentationPath));
        CreatePagesFromMarkers(DecodeMarkerText(file.readAll()), outputFolder);
    } else {
        const auto document = PPTXML2KVPage::ReadFile(*result);
        if (!document)
            return CFailure(QStringLiteral("The slides of \"%1\" could not be read: %2")
                                .arg(presentationPath, document.Error()));
        CreatePagesFromXml(**document, outputFolder);
    }
    if (m_created.empty())
        return CFailure(QStringLiteral("The presentation \"%1\" holds no slide with content.").arg(presentationPath));
    return m_created.back();
}

// ---- Rules ----------------------------------------------------------------------------------------------

QString CPPT2KVPage::ExporterFailure(const CProcessResult &result, const QString &presentationPath)
{
    const QString prefix = QStringLiteral("The presentation \"%1\" could not be exported: ").arg(presentationPath);
    if (result.timedOut)
        return prefix + QStringLiteral("the slide exporter did not finish in time.");
    // Status 1 is the exporter's own refusal, with its message; anything else (a signal, an abort) is a
    // failure whose output is no message for the author.
    if (result.crashed || result.exitCode != 1)
        return prefix + QStringLiteral("the slide exporter stopped unexpectedly (status %1).").arg(result.exitCode);
    QStringList lines;
    // The exporter's own messages carry its name; what a library printed beside them is no message for the
    // author. A program without the prefix is taken at its word.
    QStringList others;
    for (QString line : QString::fromLocal8Bit(result.standardError).split(u'\n', Qt::SkipEmptyParts)) {
        line = line.trimmed();
        if (line.startsWith(QLatin1String("slatewright22: ")))
            lines << line.mid(15);
        else if (line.startsWith(QLatin1String("pictoslate: ")))
            lines << line.mid(12);
        else if (!line.isEmpty())
            others << line;
    }
    lines.removeAll(QString());
    if (lines.isEmpty())
        lines = others;
    if (lines.isEmpty())
        return prefix + QStringLiteral("the slide exporter gave no reason.");
    const QString reason = lines.join(u' ');
    return reason.contains(presentationPath) ? reason : prefix + reason;
}

CRect CPPT2KVPage::ClampToCanvas(const CRect &rect)
{
    // Slide positions are used as canvas pixels; a shape beyond the canvas (a hostile offset of -2^31 EMU,
    // or one far off the slide) would land where the author can never reach it.
    // A shape keeps its size where the canvas has room for it and is moved onto the canvas, so it can be seen.
    const auto onto = [](int from, int to, int room, int *start) {
        const int size = int(std::clamp<long long>(static_cast<long long>(to) - from, 0, room));
        *start = std::clamp(from, 0, room - size);
        return size;
    };
    int left = 0, top = 0;
    const int width = onto(rect.left, rect.right, kCanvasWidth, &left);
    const int height = onto(rect.top, rect.bottom, kCanvasHeight, &top);
    return CRect(left, top, left + width, top + height);
}

bool CPPT2KVPage::ExtractBetweenMarkers(const QString &start, const QString &end, const QString &text, QString *out)
{
    const int s = int(text.indexOf(start));
    const int e = int(text.indexOf(end));
    if (s < 0 || e < 0 || e < s + int(start.size()))
        return false;
    *out = text.mid(s + int(start.size()), e - s - int(start.size()));
    return true;
}

QString CPPT2KVPage::ScreenLabel(int n, const CCorvPage *anchor, bool namingFlag, const QString &baseLabel)
{
    if (anchor)
        return QStringLiteral("%1_%2").arg(anchor->GetLabel()).arg(n);
    if (!namingFlag)
        return QString::number(n);
    if (baseLabel.isEmpty())
        return QString::number(n);
    const int underscore = int(baseLabel.lastIndexOf(u'_'));
    const QString prefix = underscore < 0 ? QString() : baseLabel.left(underscore + 1);
    bool ok = false;
    const int number = baseLabel.mid(underscore + 1).toInt(&ok);
    return prefix + QString::number((ok ? number : 0) + n);
}

CRect CPPT2KVPage::TextboxBounds(const CRect &rect)
{
    return CRect(rect.left, rect.top, rect.right, int(rect.bottom * 1.025));
}

void CPPT2KVPage::CentreOffset(int maxRight, int maxBottom, int *dx, int *dy)
{
    *dx = (kCanvasWidth - maxRight) / 2;
    *dy = (kCanvasHeight - maxBottom) / 2;
}

QString CPPT2KVPage::PicturePathWithoutBlanks(const QString &path)
{
    const int separator = int(std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\')));
    QString name = path.mid(separator + 1);
    name.remove(u' ');
    return path.left(separator + 1) + name;
}

QString CPPT2KVPage::DecodeMarkerText(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    return CCodePage::ToUnicode(bytes);
}

int CPPT2KVPage::DefaultPointSize() const
{
    bool ok = false;
    const int points = m_doc.Settings().FontSizePoints[0].trimmed().toInt(&ok);
    return ok && points > 0 ? points : 12;
}

// ---- Screens --------------------------------------------------------------------------------------------

CCorvPage *CPPT2KVPage::NewScreen()
{
    const int n = int(m_created.size()) + 1;
    CCorvPage *after = m_created.empty() ? m_anchor : m_created.back();
    CScreenFactory factory(m_doc);
    return factory.AddBlankScreen(QStringLiteral("Slide %1").arg(n), ScreenLabel(n, m_anchor, m_namingFlag, m_baseLabel),
                                  after);
}

void CPPT2KVPage::PlaceAndShow(CCorvPage *screen, std::vector<std::unique_ptr<CComponentBase>> components)
{
    int maxRight = -1, maxBottom = -1;
    std::vector<CComponentBase *> added;
    for (auto &component : components) {
        CComponentBase *raw = component.get();
        if (!screen->AddComponent(std::move(component)))
            continue; // refused: it stays off the screen and out of the edges
        added.push_back(raw);
        maxRight = std::max(maxRight, raw->GetBounds().right);
        maxBottom = std::max(maxBottom, raw->GetBounds().bottom);
    }
    int dx = 0, dy = 0;
    CentreOffset(maxRight, maxBottom, &dx, &dy);
    for (CComponentBase *c : added) {
        CRect r = c->GetBounds();
        r.OffsetRect(dx, dy);
        // A text box's taller bottom may reach past the canvas: it is kept on it.
        c->SetBounds(ClampToCanvas(r), true);
    }
    ShowNewScreen(screen);
}

void CPPT2KVPage::ShowNewScreen(CCorvPage *screen)
{
    m_created.push_back(screen);
    if (m_showScreen)
        m_showScreen(screen);
}

void CPPT2KVPage::CreatePagesFromXml(const DocumentFromXML &document, const QString &outputFolder)
{
    for (const auto &page : document.pages) {
        if (page->objects.empty())
            continue;
        CCorvPage *screen = NewScreen();
        if (!screen)
            continue;
        std::vector<std::unique_ptr<CComponentBase>> components;
        for (const auto &object : page->objects) {
            std::unique_ptr<CComponentBase> component;
            if (object->type.compare(QLatin1String("Text"), Qt::CaseInsensitive) == 0)
                component = CreateTextboxFromXmlObject(*object);
            else if (object->type.compare(QLatin1String("Picture"), Qt::CaseInsensitive) == 0)
                component = CreateImageFromXmlObject(*object, outputFolder);
            if (component)
                components.push_back(std::move(component));
        }
        PlaceAndShow(screen, std::move(components));
    }
}

std::unique_ptr<CComponentBase> CPPT2KVPage::CreateTextboxFromXmlObject(const ObjectFromXML &object)
{
    auto box = std::make_unique<CComponentTextbox>(nullptr);
    box->SetBounds(TextboxBounds(ClampToCanvas(object.rect)), false);
    CRichText &text = box->GetRichText();
    text.ClearAll();
    bool firstMixed = true;
    for (const auto &fragment : object.fragments) {
        const int size = fragment->fontSize < 1 ? DefaultPointSize() : fragment->fontSize;
        const uint32_t colour = uint32_t(fragment->fontColor) & 0xffffffu;
        box->SetDefaultFontScaled(fragment->fontName, size, colour);
        box->SetAlignment(fragment->alignment);
        const int start = text.GetTextLength();
        text.AppendText(fragment->text, 0);
        const int end = text.GetTextLength();

        CCharFormat cf;
        cf.face = fragment->fontName;
        cf.colour = colour;
        cf.height = size * 14;
        cf.mask = CFM_FACE | CFM_COLOR;
        if (fragment->fontIsNormal) {
            cf.mask |= CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE;
        } else {
            cf.mask |= CFM_SIZE;
            const std::pair<bool, uint32_t> flags[] = {
                {fragment->fontIsBold, CFM_BOLD}, {fragment->fontIsItalic, CFM_ITALIC},
                {fragment->fontIsUnderline, CFM_UNDERLINE}};
            for (const auto &[on, bit] : flags) {
                if (on) {
                    cf.mask |= bit;
                    cf.effects |= bit; // the effect bits have the mask bits' values
                }
            }
        }
        text.SetCharFormat(start, end, cf);

        CParaFormat pf;
        pf.mask = PFM_ALIGNMENT;
        pf.alignment = AlignmentOf(fragment->alignment);
        if (fragment->paragraphFormat == QLatin1String("bulletunnumbered")) {
            pf.mask |= PFM_NUMBERING;
            pf.numbering = PFN_BULLET;
        } else if (fragment->paragraphFormat == QLatin1String("bulletmixed")) {
            pf.mask |= PFM_NUMBERING | PFM_NUMBERINGSTYLE;
            if (firstMixed) {
                pf.numbering = PFN_ARABIC;
                pf.numberingStyle = PFNS_PERIOD;
                pf.numberingStart = 1;
                pf.mask |= PFM_NUMBERINGSTART;
                firstMixed = false;
            } else {
                pf.numbering = PFN_BULLET;
                pf.numberingStyle = 1;
            }
        }
        if (pf.alignment == 0)
            pf.alignment = PFA_LEFT; // no alignment of ours is 0; an unknown word keeps left
        text.SetSel(start, end);
        text.SetParaFormat(pf);
        text.SetSel(0, 0);
    }
    return box;
}

std::unique_ptr<CComponentBase> CPPT2KVPage::CreateImage(const QString &path, const CRect &bounds,
                                                         const QString &outputFolder, bool removeBlanks)
{
    // Only pictures the exporter wrote into this run's folder are taken (and moved): a path in the file
    // never reaches a file elsewhere.
    if (!IsInsideFolder(path, outputFolder) || QFileInfo(path).size() <= 0)
        return nullptr;
    QString picture = path;
    if (removeBlanks) {
        const QString target = PicturePathWithoutBlanks(path);
        if (target != path && (QFileInfo::exists(target) ? QFile::remove(target) : true)
            && QFile::rename(path, target))
            picture = target;
    }
    auto image = std::make_unique<CComponentImage>(nullptr);
    image->SetBounds(bounds, false);
    image->SetImageFile(picture, m_doc.GetContext());
    return image;
}

std::unique_ptr<CComponentBase> CPPT2KVPage::CreateImageFromXmlObject(const ObjectFromXML &object,
                                                                      const QString &outputFolder)
{
    if (object.fragments.empty())
        return nullptr;
    QString path = object.fragments.front()->text;
    path.replace(u'\\', u'/');
    return CreateImage(path, ClampToCanvas(object.rect), outputFolder, true);
}

void CPPT2KVPage::CreatePagesFromMarkers(const QString &text, const QString &outputFolder)
{
    QString document, countText;
    if (!ExtractBetweenMarkers(QStringLiteral("@START-DOC@"), QStringLiteral("@END-DOC@"), text, &document)
        || !ExtractBetweenMarkers(QStringLiteral("@START-PAGE-COUNT@"), QStringLiteral("@END-PAGE-COUNT@"), document,
                                  &countText))
        return;
    const int pages = std::clamp(int(PPTXML2KVPage::LeadingInteger(countText)), 0, 100000);
    for (int i = 0; i < pages; ++i) {
        QString page, objectsText;
        if (!ExtractBetweenMarkers(QStringLiteral("@START-PAGE-%1@").arg(i), QStringLiteral("@END-PAGE-%1@").arg(i),
                                   document, &page)
            || !ExtractBetweenMarkers(QStringLiteral("@START-OBJECT-COUNT@"), QStringLiteral("@END-OBJECT-COUNT@"),
                                      page, &objectsText))
            continue;
        CCorvPage *screen = NewScreen();
        if (!screen)
            continue;
        const int objects = std::clamp(int(PPTXML2KVPage::LeadingInteger(objectsText)), 0, 100000);
        std::vector<std::unique_ptr<CComponentBase>> components;
        for (int j = 0; j < objects; ++j) {
            QString block;
            if (!ExtractBetweenMarkers(QStringLiteral("@START-OBJECT-%1@").arg(j),
                                       QStringLiteral("@END-OBJECT-%1@").arg(j), page, &block))
                continue;
            if (auto component = CreateObjectFromMarkers(block, outputFolder))
                components.push_back(std::move(component));
        }
        PlaceAndShow(screen, std::move(components));
    }
}

std::unique_ptr<CComponentBase> CPPT2KVPage::CreateObjectFromMarkers(const QString &block, const QString &outputFolder)
{
    QString type, rectText, text;
    ExtractBetweenMarkers(QStringLiteral("@START-TYPE@"), QStringLiteral("@END-TYPE@"), block, &type);
    CRect rect;
    if (ExtractBetweenMarkers(QStringLiteral("@START-RECT@"), QStringLiteral("@END-RECT@"), block, &rectText)) {
        const QStringList v = rectText.split(u'\t');
        // Numbers beyond any slide are held within reach before they are added up.
        auto value = [&](int i) {
            const double d = i < v.size() ? v[i].trimmed().toDouble() : 0;
            return std::isfinite(d) ? int(std::clamp(d, -1e8, 1e8)) : 0;
        };
        rect = ClampToCanvas(CRect(value(0), value(1), value(0) + value(2), value(1) + value(3)));
    }
    if (!ExtractBetweenMarkers(QStringLiteral("@START-TEXT@"), QStringLiteral("@END-TEXT@"), block, &text))
        return nullptr;
    if (type.compare(QLatin1String("Picture"), Qt::CaseInsensitive) == 0) {
        QString path = text.trimmed();
        path.replace(u'\\', u'/');
        return CreateImage(path, rect, outputFolder, false);
    }
    if (type.compare(QLatin1String("Text"), Qt::CaseInsensitive) != 0)
        return nullptr;
    QString face = QStringLiteral("Arial"), value, alignment;
    int size = 12;
    uint32_t colour = 0;
    if (ExtractBetweenMarkers(QStringLiteral("@START-FONT-NAME@"), QStringLiteral("@END-FONT-NAME@"), block, &value))
        face = value;
    if (ExtractBetweenMarkers(QStringLiteral("@START-FONT-SIZE@"), QStringLiteral("@END-FONT-SIZE@"), block, &value))
        size = int(PPTXML2KVPage::LeadingInteger(value));
    if (ExtractBetweenMarkers(QStringLiteral("@START-FONT-COLOR@"), QStringLiteral("@END-FONT-COLOR@"), block, &value))
        colour = uint32_t(PPTXML2KVPage::LeadingInteger(value)) & 0xffffffu;
    ExtractBetweenMarkers(QStringLiteral("@START-ALIGNMENT@"), QStringLiteral("@END-ALIGNMENT@"), block, &alignment);
    auto box = std::make_unique<CComponentTextbox>(nullptr);
    box->SetBounds(TextboxBounds(rect), false);
    box->SetDefaultFontScaled(face, size < 1 ? DefaultPointSize() : size, colour);
    box->SetAlignment(alignment);
    box->GetRichText().ReplaceAll(text);
    return box;
}

// ---- Pictures mode --------------------------------------------------------------------------------------

QString CPPT2KVPage::WaitMessage(const QString &presentationPath)
{
    return QStringLiteral("Powerpoint file \"%1\" is being parsed.\n\n\t\t    Please wait.\n").arg(presentationPath);
}

std::map<int, QString> CPPT2KVPage::CollectSlidePictures(const QString &outputFolder, const QString &presentationPath)
{
    QString base = QFileInfo(presentationPath).completeBaseName();
    for (const QChar c : {u' ', u'<', u'>', u'&'})
        base.remove(c);
    std::map<int, QString> pictures;
    const QDir folder(outputFolder);
    const QStringList names = folder.entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name);
    for (const QString &name : names) {
        const QString digits = name.mid(5);
        int length = 0;
        while (length < digits.size() && digits[length].isDigit())
            ++length;
        bool ok = false;
        const int number = digits.left(length).toInt(&ok);
        if (!ok || pictures.count(number))
            continue;
        const QString renamed = QStringLiteral("%1_%2").arg(base, name);
        if (!QFile::rename(folder.filePath(name), folder.filePath(renamed)))
            continue;
        pictures[number] = renamed;
    }
    return pictures;
}

CRect CPPT2KVPage::SlidePictureBounds(int width, int height)
{
    int w = 0, h = 0;
    double scale = 1.0;
    FitSizeInBox(kCanvasWidth, kCanvasHeight, width, height, w, h, scale, 1);
    if (kCanvasWidth - w <= 8)
        w = kCanvasWidth;
    if (kCanvasHeight - h <= 8)
        h = kCanvasHeight;
    const int left = (kCanvasWidth - w) / 2, top = (kCanvasHeight - h) / 2;
    return CRect(left, top, left + w, top + h);
}

void CPPT2KVPage::CreatePagesFromPictures(const QString &outputFolder, const std::map<int, QString> &pictures)
{
    for (const auto &[number, name] : pictures) {
        (void)number;
        const int n = int(m_created.size()) + 1;
        CCorvPage *after = m_created.empty() ? m_anchor : m_created.back();
        CScreenFactory factory(m_doc);
        CCorvPage *screen = factory.AddSlideImageScreen(QFileInfo(name).completeBaseName(),
                                                        ScreenLabel(n, m_anchor, m_namingFlag, m_baseLabel), after);
        if (!screen)
            continue;
        const QString path = QDir(outputFolder).filePath(name);
        for (const auto &component : screen->GetComponentList()) {
            auto *image = dynamic_cast<CComponentImage *>(component.get());
            if (!image)
                continue;
            int width = 0, height = 0;
            GetImageFileSize(width, height, path);
            image->SetImageFile(path, m_doc.GetContext());
            image->SetBounds(SlidePictureBounds(width, height), true);
            break;
        }
        ShowNewScreen(screen);
    }
}
