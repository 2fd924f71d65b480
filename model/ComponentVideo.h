#pragma once

#include "model/ComponentBase.h"
#include "model/PlaceholderTemplate.h"

#include <cstdint>

class CCorvContext;

// What a movie, a Flash movie, an animated GIF or a PDF document (and the two kinds made from it) keeps: copied whole
// by Clone, and what its window and dialogs exchange.
struct SVideoValues {
    static constexpr uint32_t kWhite = 0xFFFFFF;
    static constexpr int kDefaultFlashVersion = 8;

    // Read and written directly by the dialogs and the publisher. Movies: autostart, controller, loop;
    // PDF: toolbar, scroll bar, navigation panes; Flash: window mode.
    int m_autoStart = 0;
    int m_controller = 0;
    int m_loop = 0;
    int m_toolbar = 0;
    int m_scrollBar = 0;
    int m_navPanes = 0;
    QString m_windowMode;
    QString m_filePath;
    QString m_flashVars;
    uint32_t m_backgroundColor = kWhite;
    int m_flashVersion = kDefaultFlashVersion;
};

// A movie (avi, mpeg or mpg, mov, wmv, rm or rv), a Flash movie (swf), an animated GIF or a PDF document
// on a screen; the file's extension alone decides how it is embedded. One class carries the settings of
// all of them. The Flash question (type 20) and the Flash video player (type 23) derive from it; code that
// must tell the three apart compares the type code.
//
// The file is copied into the project's "Movies" folder when the project is saved, with a Windows Media
// playlist beside a ".wmv" file.
class CComponentVideo : public CComponentBase, protected SVideoValues
{
public:
    // A video (type 8) for the class factory: no window, window mode empty.
    CComponentVideo();
    // A video (type 8) on the canvas, with window mode "window".
    explicit CComponentVideo(CEditCanvas *parent);
    // The derived kinds (types 20 and 23), whose window mode starts empty.
    CComponentVideo(CEditCanvas *parent, int type);

    using Values = SVideoValues;
    using SVideoValues::m_autoStart;
    using SVideoValues::m_controller;
    using SVideoValues::m_loop;
    using SVideoValues::m_toolbar;
    using SVideoValues::m_scrollBar;
    using SVideoValues::m_navPanes;
    using SVideoValues::m_windowMode;
    const Values &GetValues() const { return *this; }
    // Takes every value and shows them in the window.
    void SetValues(const Values &values);

    void SetFilePath(const QString &path);
    const QString &GetFilePath() const { return m_filePath; }
    void SetFlashVars(const QString &vars) { m_flashVars = vars; }
    const QString &GetFlashVars() const { return m_flashVars; }
    void SetBackgroundColor(uint32_t colour) { m_backgroundColor = colour; }
    uint32_t GetBackgroundColor() const { return m_backgroundColor; }
    void SetFlashVersion(int version) { m_flashVersion = version; }
    int GetFlashVersion() const { return m_flashVersion; }

    // The markup of the template that the file's extension chooses, filled. Fails, with the message for the
    // author, for an extension without a template or a template that cannot be read.
    virtual CResult<QString> BuildPublishHtml(const CCorvContext &context) const;

    std::unique_ptr<CComponentBase> Clone(bool keepPosition) const override;
    void SerializeComponent(CArchive &ar) override;

    static constexpr CRect kDefaultBounds{10, 10, 400, 400};
    using SVideoValues::kWhite;
    using SVideoValues::kDefaultFlashVersion;
    // Later fields of the record, each read only above its gate.
    static constexpr int kPlayOptionsGate = ProjectSchema::kVideoPlayOptions;    // autostart, controller, loop
    static constexpr int kWindowModeGate = ProjectSchema::kVideoWindowMode;     // window mode
    static constexpr int kFlashSettingsGate = ProjectSchema::kVideoFlashSettings; // Flash variables, background colour, version
    static constexpr int kPdfOptionsGate = ProjectSchema::kVideoPdfOptions;    // toolbar, scroll bar, navigation panes

protected:
    // The head of the record and the movie and Flash settings after it (fields 1 to 9), in both
    // directions.
    void SerializeVideoHead(CArchive &ar);
    // The tokens every video template shares: position and size, and the Flash settings.
    void AddPlacementTokens(CPlaceholderTemplate::Tokens &tokens) const;
};
