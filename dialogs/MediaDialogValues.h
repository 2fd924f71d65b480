#pragma once

#include "dialogs/DialogCheck.h"
#include "dialogs/MediaChoice.h"

#include <QString>
#include <QStringList>

#include <cstdint>

// The values of the media dialogs, their OK corrections and checks, without windows. Each dialog presets
// these, shows them, reads the controls into a copy on OK, corrects or checks the copy and keeps it only when
// the checks pass. Text values are as typed; flags are 0 or 1; colours are red + green x 256 + blue x 65536.
namespace MediaDialogText {
inline const QString kSelectMediaFile = QStringLiteral("You need to select a media file.");
inline const QString kUnknownMediaKind =
    QStringLiteral("ERROR:\nCDlgImportMedia::CDlgImportMedia::m_iMediaType was not seted");
// The sound and movie filters of the two small "Edit media" dialogs.
inline const QString kSoundFilter = QStringLiteral(
    "Sound File (*.aif,*.au,*.mid,*.mp3,*.rm,*.wav,*.wma)|*.aif;*.au;*.mid;*.mp3;*.rm;*.wav;*.wma||");
inline const QString kMovieFilter = QStringLiteral(
    "Movie File (*.avi,*.mov,*.mpg,*.rm,*.swf,*.wmv)|*.avi;*.mov;*.mpg;*.rm;*.swf;*.wmv||");
} // namespace MediaDialogText

// The window modes a Flash movie plays in; an empty value is shown, and returned, as the first.
const QStringList &MediaWindowModes();
int MediaWindowModeIndex(const QString &mode);

// "Add Flash": a Flash movie.
struct SAddFlashValues {
    static constexpr int kDefaultVersion = 8;
    static constexpr int kFilterId = 61453;
    QString caption; // replaces the dialog's caption when not empty
    QString file;
    int autoStart = 0;
    int loop = 0;
    int version = kDefaultVersion;
    QString windowMode;
    // 0 is shown as white and stays 0 unless the author picks a colour.
    uint32_t backgroundColour = 0xFFFFFF;
    QString flashVars;

    // A version outside 6 to 10 becomes 8, without a word.
    void Correct();
    ComponentCommands::SMediaChoice ToChoice() const;
    bool operator==(const SAddFlashValues &) const = default;
};

// "Add PDF": a PDF document and the reader's panes.
struct SAddPdfValues {
    static constexpr int kFilterId = 61455;
    QString caption;
    QString file;
    int showToolbar = 1;
    int showScrollbar = 1;
    int showNavPanes = 1;

    // A document without a file cannot be shown: the file is required.
    CDialogCheck Check() const;
    ComponentCommands::SMediaChoice ToChoice() const;
    bool operator==(const SAddPdfValues &) const = default;
};

// "Add Flash Video": the video, its optional still picture and the player's options and colours.
struct SFlashVideoDialogValues {
    static constexpr int kVideoFilterId = 61463;
    static constexpr int kImageFilterId = 61464;
    static constexpr int kDefaultVolume = 60;
    static constexpr int kDefaultVersion = 9;
    static constexpr uint32_t kDefaultProgress = 0xFF6600;
    static constexpr uint32_t kDefaultProgressShadow = 0xFBBB91;
    static constexpr uint32_t kDefaultVolumeBar = 0xFF6600;
    static constexpr uint32_t kDefaultBackground = 0xEFEFEF;

    QString caption;
    QString videoFile;
    QString imageFile;
    int autoStart = 0;
    int volume = kDefaultVolume;
    int soundEffects = 1;
    int version = kDefaultVersion;
    int allowFullScreen = 1;
    int middleButton = 1;
    int autoHideNav = 1;
    int useDefaultColours = 1;
    uint32_t progressColour = kDefaultProgress;
    uint32_t progressShadowColour = kDefaultProgressShadow;
    uint32_t volumeBarColour = kDefaultVolumeBar;
    uint32_t backgroundColour = kDefaultBackground;

    void RestoreDefaultColours();
    // A version outside 8 to 15 becomes 9, a volume outside 0 to 100 becomes 60; with "Use default colors"
    // ticked the four colours become the defaults.
    void Correct();
    // The values of a player component, and back.
    SFlashVideoValues ToPlayer() const;
    void FromPlayer(const SFlashVideoValues &player);
    ComponentCommands::SMediaChoice ToChoice() const;
    bool operator==(const SFlashVideoDialogValues &) const = default;
};

// "Add media": audio, video, Flash, animated GIF, PDF, or the holder of a narration recording. The kind is
// one of the Edit window's media command ids (ComponentCommands::MediaAudio ... MediaNarration).
struct SImportMediaValues {
    int kind = ComponentCommands::MediaAudio;
    QString caption;
    QString prompt;   // the text above the file field
    int filterId = 0; // the string-table filter of the file picker; 0 for none
    QString file;
    int autoStart = 0;
    int loop = 0;
    int displayController = 0;
    QString windowMode;

    // The prompt and filter of a kind; false for a kind outside the media commands (no prompt, no filter).
    static bool KnownKind(int kind);
    static QString PromptFor(int kind);
    static int FilterFor(int kind);
    // Values for the kind with its prompt and filter; a kind outside the table tells the author (the
    // system's message) and leaves both empty.
    static SImportMediaValues ForKind(int kind, CPrompt &prompt);
    // What the kind shows: the three option boxes (not for animated GIF or PDF), the window-mode list
    // instead of "Display Controller" (Flash), and the caption of that box.
    static bool ShowsOptions(int kind);
    static bool ShowsWindowMode(int kind);
    static QString ControllerCaption(int kind);

    // A trimmed, non-empty file is required.
    CDialogCheck Check() const;
    ComponentCommands::SMediaChoice ToChoice() const;
    bool operator==(const SImportMediaValues &) const = default;
};

// "Add/Edit YouTube": an embed code (or any other HTML).
struct SYouTubeDialogValues {
    static constexpr int kEmptyMessageId = 35067;
    QString caption = QStringLiteral("Add YouTube");
    QString embedCode;
    int okEnabledAtStart = 0; // the editing path sets 1

    static QString TopText();
    static QString AboveText();
    static QString BelowText();
    // OK is enabled exactly while the field is not empty.
    static bool OkEnabled(const QString &text) { return !text.isEmpty(); }
    // Cuts trailing white space; the result must not be empty.
    void Correct();
    CDialogCheck Check() const;
    ComponentCommands::SMediaChoice ToChoice() const;
    bool operator==(const SYouTubeDialogValues &) const = default;
};

// The two small "Edit media" dialogs: a sound and a movie.
struct SUpdateAudioValues {
    QString file;
    int autoStart = 0;
    int loop = 0;
    int buttonControls = 0;
    bool operator==(const SUpdateAudioValues &) const = default;
};

struct SUpdateVideoValues {
    QString file;
    int autoStart = 0;
    int displayController = 0;
    int loop = 0;
    bool operator==(const SUpdateVideoValues &) const = default;
};
