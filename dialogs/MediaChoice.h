#pragma once

#include "model/ComponentFlashVideo.h"

#include <QString>

#include <cstdint>
#include <optional>

// What a media dialog chose, as the Edit window's media command takes it (ComponentCommands::AddMedia).
namespace ComponentCommands {

enum MediaKind : int {
    MediaAudio = 32949,
    MediaVideo = 32950,
    MediaFlash = 32951,
    MediaAnimatedGif = 32952,
    MediaAcrobat = 32953,
    MediaNarration = 32954,
    MediaYouTube = 33011,
    MediaYouTubeMenu = 33010,
    MediaFlashVideo = 33019,
};

// The values of the media dialog of a kind.
struct SMediaChoice {
    int kind = MediaAudio;
    QString filePath;
    int autoStart = 0;
    int loop = 0;
    int displayController = 0;
    QString windowMode;
    QString flashVars;
    uint32_t backgroundColour = 0xFFFFFF;
    int flashVersion = 8;
    int showToolbar = 0;
    int showScrollbar = 0;
    int showNavPanes = 0;
    QString embedCode;
    // The Flash video player's values, applied whole when set (kind MediaFlashVideo).
    std::optional<SFlashVideoValues> flashVideoPlayer;
};

} // namespace ComponentCommands
