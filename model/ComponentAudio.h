#pragma once

#include "model/ComponentBase.h"
#include "platform/Result.h"

class CCorvContext;

// What a sound clip keeps: copied whole by Clone, and what its window and dialogs exchange.
struct SAudioValues {
    int m_autoStart = 1;
    int m_buttonControls = 1;
    int m_loop = 0;
    QString m_filePath;
    int m_playButton = 0;
};

// A sound clip on a screen: a single speaker icon, or one of a Play/Stop button pair (two audio components
// of one screen naming the same file, the Play one owning the clip). The clip is copied into the project's
// "Sounds" folder when the project is saved.
class CComponentAudio : public CComponentBase, private SAudioValues
{
public:
    explicit CComponentAudio(CEditCanvas *parent = nullptr);

    using Values = SAudioValues;
    using SAudioValues::m_autoStart;
    using SAudioValues::m_buttonControls;
    using SAudioValues::m_loop;
    const Values &GetValues() const { return *this; }
    // Takes every value and shows them in the window.
    void SetValues(const Values &values);

    void SetFilePath(const QString &path);
    const QString &GetFilePath() const { return m_filePath; }
    void SetPlayButton(int playButton) { m_playButton = playButton; }
    int GetPlayButton() const { return m_playButton; }

    // The other button of a Play/Stop pair on the same screen; null for a single icon or without a screen.
    CComponentAudio *FindPartnerButton() const;

    // The player markup of the clip, with its running number on the screen, from the program folder's audio
    // template (the RealPlayer one for ".ra" and ".rm" clips). A ".wma" clip plays through the
    // ".wax" playlist written beside it. No markup without a clip; fails, with the message for the author,
    // when the template cannot be read.
    CResult<QString> BuildPublishHtml(const CCorvContext &context, int number) const;

    std::unique_ptr<CComponentBase> Clone(bool keepPosition) const override;
    void SerializeComponent(CArchive &ar) override;

    static constexpr CRect kDefaultBounds{10, 10, 84, 81};
    // Autostart, button controls and loop were added after this schema.
    static constexpr int kControlsGate = ProjectSchema::kAudioControls;
};
