#include "editor/FileDrop.h"

#include "document/ComponentInsertion.h"
#include "document/CorvessaDoc.h"
#include "document/EditorHooks.h"
#include "editor/CanvasModel.h"
#include "editor/EditController.h"
#include "editor/ScreenCommands.h"
#include "model/ComponentAudio.h"
#include "model/ComponentFlashVideo.h"
#include "model/ComponentImage.h"
#include "model/ComponentVideo.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "platform/Prompt.h"

#include <QFileInfo>

#include <algorithm>

namespace FileDrop {

namespace {

constexpr int kMediaAudio = 32949;
constexpr int kMediaVideo = 32950;
constexpr int kMediaFlash = 32951;
constexpr int kMediaAcrobat = 32953;
constexpr int kMediaFlashVideo = 33019;

// Pictures of a drop get the medium size class, no JPEG border and no bevel.
constexpr int kPictureSizeClass = 1;

// The Flash video player's background (red, green and blue 239) and the version of player it asks for.
constexpr uint32_t kFlashVideoBackground = 0x00EFEFEF;
constexpr int kFlashVideoVersion = 9;
constexpr int kFlashVideoVolume = 60;

QString Extension(const QString &path) { return QFileInfo(path).suffix().toLower(); }

bool OneOf(const QString &extension, std::initializer_list<const char *> list)
{
    return std::any_of(list.begin(), list.end(), [&](const char *e) { return extension == QLatin1String(e); });
}

} // namespace

Kind Classify(const QString &path)
{
    if (GetImageFormatFromExt(path) != 0 && !QFileInfo(path).suffix().isEmpty())
        return Kind::picture;
    const QString e = Extension(path);
    if (e == QLatin1String("swf"))
        return Kind::flash;
    if (OneOf(e, {"mov", "wmv", "avi", "mpg", "rm"}))
        return Kind::video;
    if (e == QLatin1String("pdf"))
        return Kind::pdf;
    if (e == QLatin1String("flv"))
        return Kind::flashVideo;
    if (OneOf(e, {"aif", "au", "mid", "mp3", "wav", "wma"}))
        return Kind::audio;
    if (OneOf(e, {"doc", "docx", "ppt", "pptx"}))
        return Kind::document;
    return Kind::none;
}

bool IsPlaced(Kind kind) { return kind != Kind::none && kind != Kind::document; }

int MediaCommandOf(const QString &path)
{
    switch (Classify(path)) {
    case Kind::video: return kMediaVideo;
    case Kind::flash: return kMediaFlash;
    case Kind::pdf: return kMediaAcrobat;
    case Kind::flashVideo: return kMediaFlashVideo;
    case Kind::audio: return kMediaAudio;
    default: return 0;
    }
}

bool AcceptsFiles(const QStringList &paths, bool menuBasedCourse, bool hasCurrentScreen)
{
    if (menuBasedCourse && !hasCurrentScreen)
        return false;
    return std::any_of(paths.begin(), paths.end(), [](const QString &p) { return IsPlaced(Classify(p)); });
}

int CountDocuments(const QStringList &paths)
{
    return int(std::count_if(paths.begin(), paths.end(), [](const QString &p) { return Classify(p) == Kind::document; }));
}

QPoint FilePoint(const QPoint &dropPoint, int index) { return dropPoint + QPoint(kStep * index, kStep * index); }

CRect PlacedBounds(const QPoint &topLeft, int width, int height)
{
    const int x = std::clamp(topLeft.x(), 0, std::max(0, CCanvasModel::kWidth - width));
    const int y = std::clamp(topLeft.y(), 0, std::max(0, CCanvasModel::kHeight - height));
    return CRect(x, y, x + width, y + height);
}

std::unique_ptr<CComponentBase> BuildMediaComponent(const QString &path, const QPoint &topLeft, CEditCanvas *canvas)
{
    const Kind kind = Classify(path);
    switch (kind) {
    case Kind::video:
    case Kind::flash:
    case Kind::pdf: {
        auto video = std::make_unique<CComponentVideo>(canvas);
        SVideoValues values = video->GetValues();
        values.m_filePath = path;
        if (kind == Kind::pdf) {
            values.m_toolbar = 1;
            values.m_scrollBar = 1;
            values.m_navPanes = 1;
        } else {
            values.m_autoStart = 1;
            values.m_loop = 1;
            values.m_controller = 1;
            values.m_windowMode = QStringLiteral("window");
        }
        video->SetValues(values);
        video->SetBounds(PlacedBounds(topLeft, kMediaSize, kMediaSize), true);
        return video;
    }
    case Kind::flashVideo: {
        auto player = std::make_unique<CComponentFlashVideo>(canvas);
        SVideoValues values = player->GetValues();
        values.m_filePath = path;
        values.m_autoStart = 0;
        values.m_flashVersion = kFlashVideoVersion;
        values.m_backgroundColor = kFlashVideoBackground;
        player->SetValues(values);
        SFlashVideoValues settings = player->GetPlayerValues();
        settings.m_autoHide = 1;
        settings.m_allowFullScreen = 1;
        settings.m_playSounds = 1;
        settings.m_middleButton = 1;
        settings.m_barColour = SFlashVideoValues::kDefaultBarColour;
        settings.m_barShadowColour = SFlashVideoValues::kDefaultBarShadowColour;
        settings.m_soundBarColour = SFlashVideoValues::kDefaultBarColour;
        settings.m_defaultColours = 1;
        settings.m_volume = kFlashVideoVolume;
        player->SetPlayerValues(settings);
        player->SetBounds(PlacedBounds(topLeft, kMediaSize, kMediaSize), true);
        return player;
    }
    case Kind::audio: {
        auto audio = std::make_unique<CComponentAudio>(canvas);
        SAudioValues values = audio->GetValues();
        values.m_playButton = 1;
        values.m_filePath = path;
        values.m_loop = 0;
        values.m_buttonControls = 0;
        values.m_autoStart = 1;
        audio->SetValues(values);
        audio->SetBounds(PlacedBounds(topLeft, kAudioWidth, kAudioHeight), true);
        return audio;
    }
    default: return nullptr;
    }
}

Outcome DropFiles(CEditController &edit, CScreenCommands &screens, const QStringList &paths, const QPoint &dropPoint)
{
    CCorvessaDoc &doc = edit.Document();
    Outcome outcome;
    const bool menuBased = doc.Settings().MenuBasedCourse == 1;
    if (!AcceptsFiles(paths, menuBased, edit.GetCurrentPage() != nullptr))
        return outcome;
    // An empty linear course gets its first screen to take the files.
    if (!edit.GetCurrentPage() && !screens.NewScreenFromKey(12))
        return outcome;
    CCorvPage *screen = edit.GetCurrentPage();
    if (!screen)
        return outcome;
    outcome.accepted = true;
    CEditCanvas *canvas = screen->GetCanvas() ? screen->GetCanvas() : doc.GetEditCanvas();
    for (int i = 0; i < paths.size(); ++i) {
        const QString &path = paths[i];
        const QPoint at = FilePoint(dropPoint, i);
        if (Classify(path) == Kind::picture) {
            QString name;
            GetFileNameFromPath(path, name, true);
            const CScreenHooks hooks(screen);
            if (CComponentInsertion(doc, hooks).InsertImage(path, name, kPictureSizeClass, 0, 0, at))
                ++outcome.placed;
            continue;
        }
        std::unique_ptr<CComponentBase> component = BuildMediaComponent(path, at, canvas);
        if (!component)
            continue;
        // A component the screen refuses is deleted here, and the author is told why.
        if (const CStatus added = screen->AddComponent(std::move(component)); added)
            ++outcome.placed;
        else
            doc.Prompt().Information(added.Error());
        if (CEditCanvas *shown = screen->GetCanvas())
            screen->ShowOnCanvas(*shown);
    }
    // The placed files are changes to the course like any other: saving must not forget them.
    if (outcome.placed > 0) {
        screen->SetModified(1);
        doc.SetModifiedFlag(true);
    }
    outcome.documents = CountDocuments(paths);
    if (outcome.documents > 0)
        doc.Prompt().Information(kDocumentsMessage.arg(outcome.documents));
    return outcome;
}

} // namespace FileDrop
