#pragma once

#include "platform/ProcessRunner.h"
#include "platform/Rect.h"
#include "platform/Result.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <memory>
#include <vector>

class CComponentBase;
class CCorvPage;
class CCorvessaDoc;
class CCourseSettings;
struct DocumentFromXML;
struct FragmentFromXML;
struct ObjectFromXML;
struct PageFromXML;

// Turns one presentation into screens of the open course. It never reads the presentation itself: it runs
// the slide exporter on it, with a folder of this run's own, and reads what the exporter leaves there: the
// slide XML, or the marker text of the fast mode.
class CPPT2KVPage
{
public:
    enum class PptImportMode { pictures, fastText, xml };
    using HelperRunner = std::function<CProcessResult(const QString &program, const QStringList &arguments)>;
    // Runs the slide program while a wait box shows the message; the author may stop it there.
    using WaitingRunner =
        std::function<CProcessResult(const QString &message, const QString &program, const QStringList &arguments)>;
    // Shows a new screen in the Edit window (the current screen leaves the canvas, the new one joins the
    // outline and becomes current); runs without the window pass nothing.
    using ShowScreen = std::function<void(CCorvPage *screen)>;

    CPPT2KVPage(CCorvessaDoc &doc, ShowScreen showScreen = {});
    virtual ~CPPT2KVPage();

    // Screens after the anchor, labelled from the anchor's label: the last screen made (never null), or why
    // no screen was made.
    CResult<CCorvPage *> ImportPowerPoint(const QString &presentationPath, CCorvPage *anchor);
    // Screens labelled from the base label, without an anchor.
    CResult<CCorvPage *> ImportPowerPointWithLabel(const QString &presentationPath, const QString &baseLabel);
    const std::vector<CCorvPage *> &CreatedScreens() const { return m_created; }

    // Tests run a stand-in instead of the program; the program folder and names can be set.
    void SetHelperRunner(HelperRunner runner) { m_runner = std::move(runner); }
    void SetWaitingRunner(WaitingRunner runner) { m_waitingRunner = std::move(runner); }
    // True when the author stopped the slide program of the last call.
    bool WasCancelled() const { return m_cancelled; }
    // The wait box's message for a presentation.
    static QString WaitMessage(const QString &presentationPath);
    void SetProgram(PptImportMode mode, const QString &name);
    QString ProgramPath(PptImportMode mode) const;

    static PptImportMode SelectMode(const CCourseSettings &settings);
    // The helper's arguments: the presentation, the separator, the output folder.
    static QStringList HelperArguments(const QString &presentationPath, const QString &outputFolder);

    // ---- Rules the screens are made by ----
    // The text between the first start marker and the first end marker; false when either is missing.
    static bool ExtractBetweenMarkers(const QString &start, const QString &end, const QString &text, QString *out);
    // Label of the n-th new screen (n from 1).
    static QString ScreenLabel(int n, const CCorvPage *anchor, bool namingFlag, const QString &baseLabel);
    // A text box's bounds: the bottom x 1.025, truncated.
    static CRect TextboxBounds(const CRect &rect);
    // How far the components move so that their largest right and bottom edges are centred on the canvas.
    static void CentreOffset(int maxRight, int maxBottom, int *dx, int *dy);
    // The picture path with the blanks taken out of its file name (either separator).
    static QString PicturePathWithoutBlanks(const QString &path);
    // A position and size from the slides kept on the canvas: edges beyond it are brought to it.
    static CRect ClampToCanvas(const CRect &rect);
    // What the author is told when the slide exporter did not succeed.
    static QString ExporterFailure(const CProcessResult &result, const QString &presentationPath);
    // Marker text as the exporter wrote it: UTF-8 when the bytes are valid UTF-8, else the legacy code page.
    static QString DecodeMarkerText(const QByteArray &bytes);

    // Reads a slide-XML document or a marker text into screens (the helper's part already done).
    void CreatePagesFromXml(const DocumentFromXML &document, const QString &outputFolder);
    void CreatePagesFromMarkers(const QString &text, const QString &outputFolder);
    // Pictures mode: the slide number of each PNG of the folder (its name from the sixth character on),
    // each picture renamed with the presentation's name in front; the first file of a number keeps it.
    static std::map<int, QString> CollectSlidePictures(const QString &outputFolder, const QString &presentationPath);
    // One screen per slide picture, in slide order, the picture fitted to the canvas and centred.
    void CreatePagesFromPictures(const QString &outputFolder, const std::map<int, QString> &pictures);
    // The picture's size fitted to the canvas (forced), snapped to the canvas within 8 pixels, centred.
    static CRect SlidePictureBounds(int width, int height);

private:
    CResult<CCorvPage *> Import(const QString &presentationPath, CCorvPage *anchor, bool namingFlag,
                                const QString &baseLabel);
    // The file the exporter left (slide XML or marker text), or why there is none.
    CResult<QString> RunHelper(PptImportMode mode, const QString &presentationPath, QString *outputFolder);
    CCorvPage *NewScreen();
    void PlaceAndShow(CCorvPage *screen, std::vector<std::unique_ptr<CComponentBase>> components);
    void ShowNewScreen(CCorvPage *screen);
    std::unique_ptr<CComponentBase> CreateTextboxFromXmlObject(const ObjectFromXML &object);
    std::unique_ptr<CComponentBase> CreateImageFromXmlObject(const ObjectFromXML &object, const QString &outputFolder);
    std::unique_ptr<CComponentBase> CreateObjectFromMarkers(const QString &block, const QString &outputFolder);
    std::unique_ptr<CComponentBase> CreateImage(const QString &path, const CRect &bounds, const QString &outputFolder,
                                                bool removeBlanks);
    int DefaultPointSize() const;

    CCorvessaDoc &m_doc;
    ShowScreen m_showScreen;
    HelperRunner m_runner;
    WaitingRunner m_waitingRunner;
    bool m_cancelled = false;
    QString m_programs[3];
    CCorvPage *m_anchor = nullptr;
    bool m_namingFlag = false;
    QString m_baseLabel;
    std::vector<CCorvPage *> m_created;
};
