#include "dialogs/MediaDialogValues.h"

#include "platform/Prompt.h"
#include "platform/StringTable.h"

using namespace ComponentCommands;

const QStringList &MediaWindowModes()
{
    static const QStringList modes{QStringLiteral("window"), QStringLiteral("opaque"), QStringLiteral("transparent")};
    return modes;
}

int MediaWindowModeIndex(const QString &mode)
{
    if (mode.isEmpty())
        return 0;
    const int index = int(MediaWindowModes().indexOf(mode.trimmed().toLower()));
    return index < 0 ? 0 : index;
}

// ---- Flash ----

void SAddFlashValues::Correct()
{
    if (version < 6 || version > 10)
        version = kDefaultVersion;
}

SMediaChoice SAddFlashValues::ToChoice() const
{
    SMediaChoice choice;
    choice.kind = MediaFlash;
    choice.filePath = file;
    choice.autoStart = autoStart;
    choice.loop = loop;
    choice.windowMode = windowMode;
    choice.flashVars = flashVars;
    choice.backgroundColour = backgroundColour;
    choice.flashVersion = version;
    return choice;
}

// ---- PDF ----

CDialogCheck SAddPdfValues::Check() const
{
    if (file.trimmed().isEmpty())
        return CDialogCheck::Fail(MediaDialogText::kSelectMediaFile, 1325);
    return {};
}

SMediaChoice SAddPdfValues::ToChoice() const
{
    SMediaChoice choice;
    choice.kind = MediaAcrobat;
    choice.filePath = file.trimmed();
    choice.showToolbar = showToolbar;
    choice.showScrollbar = showScrollbar;
    choice.showNavPanes = showNavPanes;
    return choice;
}

// ---- Flash video ----

void SFlashVideoDialogValues::RestoreDefaultColours()
{
    progressColour = kDefaultProgress;
    progressShadowColour = kDefaultProgressShadow;
    volumeBarColour = kDefaultVolumeBar;
    backgroundColour = kDefaultBackground;
}

void SFlashVideoDialogValues::Correct()
{
    if (version < 8 || version > 15)
        version = kDefaultVersion;
    if (useDefaultColours)
        RestoreDefaultColours();
    if (volume < 0 || volume > 100)
        volume = kDefaultVolume;
}

SFlashVideoValues SFlashVideoDialogValues::ToPlayer() const
{
    SFlashVideoValues player;
    player.m_stillImagePath = imageFile;
    player.m_volume = volume;
    player.m_playSounds = soundEffects;
    player.m_middleButton = middleButton;
    player.m_autoHide = autoHideNav;
    player.m_allowFullScreen = allowFullScreen;
    player.m_defaultColours = useDefaultColours;
    player.m_barColour = progressColour;
    player.m_barShadowColour = progressShadowColour;
    player.m_soundBarColour = volumeBarColour;
    return player;
}

void SFlashVideoDialogValues::FromPlayer(const SFlashVideoValues &player)
{
    imageFile = player.m_stillImagePath;
    volume = player.m_volume;
    soundEffects = player.m_playSounds;
    middleButton = player.m_middleButton;
    autoHideNav = player.m_autoHide;
    allowFullScreen = player.m_allowFullScreen;
    useDefaultColours = player.m_defaultColours;
    progressColour = player.m_barColour;
    progressShadowColour = player.m_barShadowColour;
    volumeBarColour = player.m_soundBarColour;
}

SMediaChoice SFlashVideoDialogValues::ToChoice() const
{
    SMediaChoice choice;
    choice.kind = MediaFlashVideo;
    choice.filePath = videoFile;
    choice.autoStart = autoStart;
    choice.backgroundColour = backgroundColour;
    choice.flashVersion = version;
    choice.flashVideoPlayer = ToPlayer();
    return choice;
}

// ---- General media ----

bool SImportMediaValues::KnownKind(int kind) { return kind >= MediaAudio && kind <= MediaNarration; }

QString SImportMediaValues::PromptFor(int kind)
{
    switch (kind) {
    case MediaAudio:
        return QStringLiteral("Select the audio file");
    case MediaVideo:
        return QStringLiteral("Select the video file");
    case MediaFlash:
        return QStringLiteral("Select the Flash file");
    case MediaAnimatedGif:
        return QStringLiteral("Select the Animated GIF file");
    case MediaAcrobat:
        return QStringLiteral("Select the PDF file");
    case MediaNarration:
        return QStringLiteral("Select the Record file");
    default:
        return {};
    }
}

int SImportMediaValues::FilterFor(int kind)
{
    switch (kind) {
    case MediaAudio:
    case MediaNarration:
        return 61451;
    case MediaVideo:
        return 61452;
    case MediaFlash:
        return 61453;
    case MediaAnimatedGif:
        return 61454;
    case MediaAcrobat:
        return 61455;
    default:
        return 0;
    }
}

SImportMediaValues SImportMediaValues::ForKind(int kind, CPrompt &prompt)
{
    SImportMediaValues values;
    values.kind = kind;
    if (!KnownKind(kind)) {
        prompt.Warning(MediaDialogText::kUnknownMediaKind);
        return values;
    }
    values.prompt = PromptFor(kind);
    values.filterId = FilterFor(kind);
    return values;
}

bool SImportMediaValues::ShowsOptions(int kind) { return kind != MediaAnimatedGif && kind != MediaAcrobat; }

bool SImportMediaValues::ShowsWindowMode(int kind) { return kind == MediaFlash; }

QString SImportMediaValues::ControllerCaption(int kind)
{
    return kind == MediaAudio ? QStringLiteral("Display button controls") : QStringLiteral("Display Controller");
}

CDialogCheck SImportMediaValues::Check() const
{
    if (file.trimmed().isEmpty())
        return CDialogCheck::Fail(MediaDialogText::kSelectMediaFile, 1225);
    return {};
}

SMediaChoice SImportMediaValues::ToChoice() const
{
    SMediaChoice choice;
    choice.kind = kind;
    choice.filePath = file.trimmed();
    choice.autoStart = autoStart;
    choice.loop = loop;
    choice.displayController = displayController;
    choice.windowMode = windowMode;
    return choice;
}

// ---- YouTube ----

QString SYouTubeDialogValues::TopText()
{
    return QStringLiteral("Next to each video on the YouTube site there is a field labelled 'Embed'. It holds the "
                          "code that Corvessa uses to show the video in the lesson: copy all of that code.");
}

QString SYouTubeDialogValues::AboveText()
{
    return QStringLiteral("Paste the embed code into the field below and click the OK button.");
}

QString SYouTubeDialogValues::BelowText()
{
    return QStringLiteral("You could, instead of YouTube, paste other HTML code.  For example, a PayPal 'buy now' "
                          "button.");
}

void SYouTubeDialogValues::Correct()
{
    qsizetype end = embedCode.size();
    while (end > 0 && embedCode.at(end - 1).isSpace())
        --end;
    embedCode.truncate(end);
}

CDialogCheck SYouTubeDialogValues::Check() const
{
    if (embedCode.isEmpty())
        return CDialogCheck::Fail(CStringTable::Load(kEmptyMessageId), 1325);
    return {};
}

SMediaChoice SYouTubeDialogValues::ToChoice() const
{
    SMediaChoice choice;
    choice.kind = MediaYouTube;
    choice.embedCode = embedCode;
    return choice;
}
