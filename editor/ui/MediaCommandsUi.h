#pragma once

#include "editor/ui/ComponentWindows.h"

#include <QImage>
#include <QString>

#include <functional>
#include <optional>

class CCorvessaDoc;
class CScrollViewEx;
class QWidget;

// The canvas windows of sounds, movies, embedded videos, buttons, shapes, links and topic buttons: each
// shows its component's fixed look (editor/ComponentPainter.h); their context menus are the shared ones.
class CMediaComponentWindow : public CCanvasComponentWindow
{
    Q_OBJECT
public:
    CMediaComponentWindow(CComponentBase &component, CScrollViewEx &canvas);
    // A link measures its caption in its own font.
    QSize GetTextExtent(const QString &text) const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    // A topic button's library entry is greyed while no library chooser exists.
    void AddKindEntries(QMenu &menu) override;
};

// The editing commands these windows' context menus send to the Edit window: Edit of a sound (32811), of
// a movie or an embedded video (32814), Replace Link Text (32892) and a topic button's picture from a file
// (32884) or from the graphics library (32885). Each acts on the canvas's selected component.
namespace MediaCommandsUi {

enum Command : int {
    EditAudio = 32811,
    EditVideo = 32814,
    ReplaceTopicFromFile = 32884,
    ReplaceTopicFromLibrary = 32885,
    ReplaceLinkText = 32892,
};

// Where the large topic buttons find their screens' thumbnails by index (the Edit window's thumbnail
// list); unset, such a button shows no picture.
void SetListPictureSource(std::function<QImage(int index)> source);

// The choosers the topic commands open. The file chooser is the desktop's file picker when unset; the
// library chooser gives the chosen picture's file name, and while it is unset "Replace graphic from
// library..." is greyed.
struct Pickers {
    std::function<QString(QWidget *parent)> pictureFile;
    std::function<std::optional<QString>(QWidget *parent)> libraryPicture;
};
Pickers &GetPickers();

bool Handles(int command);
// Whether the command can run on the selected component.
bool IsEnabled(int command, const CScrollViewEx &canvas);
// Runs the command's dialog for the selected component and applies it; the document is marked modified
// when something changed. False when the command is not one of these or nothing is selected for it.
bool Run(int command, CScrollViewEx &canvas, CCorvessaDoc &doc, QWidget *parent);

} // namespace MediaCommandsUi
