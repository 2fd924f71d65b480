#pragma once

#include "model/ComponentVideo.h"
#include "model/PictureWriter.h"

// What a Flash video player keeps beside the values of every video: copied whole by Clone, and what its window and
// dialogs exchange.
struct SFlashVideoValues {
    static constexpr uint32_t kDefaultBarColour = 0xFF6600;       // red 0, green 102, blue 255
    static constexpr uint32_t kDefaultBarShadowColour = 0xFBBB91; // red 145, green 187, blue 251

    // Read and written directly by the dialog. A player made other than by its dialog starts with the
    // dialog's own defaults.
    QString m_stillImagePath;
    int m_volume = 60;
    int m_playSounds = 1;
    int m_middleButton = 1;
    int m_autoHide = 1;
    int m_allowFullScreen = 1;
    int m_defaultColours = 1;
    uint32_t m_barColour = kDefaultBarColour;
    uint32_t m_barShadowColour = kDefaultBarShadowColour;
    uint32_t m_soundBarColour = kDefaultBarColour;
};

// A Flash video (".flv") player on a screen, with a still picture shown before the video plays, the
// player's sound, full-screen, button and bar options and three bar colours. On save the video goes into
// the project's "Movies" folder and the still into "Images" and, at the player's size, "Images/Resized"
// (and "Images/MM" for PNG stills), under a name no other picture of the same save has taken.
class CComponentFlashVideo : public CComponentVideo, public CPictureWriter, private SFlashVideoValues
{
public:
    explicit CComponentFlashVideo(CEditCanvas *parent = nullptr);

    // The player's own values; the video values are the base's (GetValues).
    using PlayerValues = SFlashVideoValues;
    using SFlashVideoValues::m_stillImagePath;
    using SFlashVideoValues::m_volume;
    using SFlashVideoValues::m_playSounds;
    using SFlashVideoValues::m_middleButton;
    using SFlashVideoValues::m_autoHide;
    using SFlashVideoValues::m_allowFullScreen;
    using SFlashVideoValues::m_defaultColours;
    using SFlashVideoValues::m_barColour;
    using SFlashVideoValues::m_barShadowColour;
    using SFlashVideoValues::m_soundBarColour;
    const PlayerValues &GetPlayerValues() const { return *this; }
    void SetPlayerValues(const PlayerValues &values);

    // The player's markup from the program folder's flv.txt; fails, with the message for the author, when
    // the template cannot be read.
    CResult<QString> BuildPublishHtml(const CCorvContext &context) const override;

    // The name the still is saved under: its file name cut after the last "." and followed by "jpg" for a
    // JPEG still, else "png"; the rest of the name, case and characters, as the author chose it.
    static QString StillImageName(const QString &stillImagePath);

    std::unique_ptr<CComponentBase> Clone(bool keepPosition) const override;
    void SerializeComponent(CArchive &ar) override;
    void StoreRecord(CArchive &ar, CPictureSaveSession &session) override;

    using SFlashVideoValues::kDefaultBarColour;
    using SFlashVideoValues::kDefaultBarShadowColour;

private:
    // Writes the still into the media folder of the archive being written; the name to store.
    QString StoreStillImage(const CArchive &ar, CPictureSaveSession &session);
    // Volume to default colours (the record after the still's name), in both directions.
    void SerializePlayerSettings(CArchive &ar);
};
