#pragma once

#include "platform/Rect.h"

#include <QPoint>
#include <QString>
#include <QStringList>

#include <memory>

class CComponentBase;
class CEditCanvas;
class CEditController;
class CScreenCommands;

// Files dragged onto the Edit window from the desktop: pictures and media files become components of the
// current screen, Word and PowerPoint documents are only counted. Everything here works on local file paths
// and canvas points, so the widgets only translate their drag events.
namespace FileDrop {

enum class Kind { none, picture, video, flash, pdf, flashVideo, audio, document };

// What a file becomes, by its extension (letter case ignored).
Kind Classify(const QString &path);
// Pictures and media files: the kinds that put something on the screen.
bool IsPlaced(Kind kind);
// The media command a dropped video or document carries (32950 movies, 32951 Flash movies, 32953 PDF,
// 33019 Flash video, 32949 audio); 0 for pictures, documents and other files.
int MediaCommandOf(const QString &path);

constexpr int kStep = 50;          // each further file lands this much further right and down
constexpr int kMediaSize = 390;    // videos, PDF documents and Flash videos are square
constexpr int kAudioWidth = 74;
constexpr int kAudioHeight = 71;
inline const QString kDocumentsMessage = QStringLiteral("Drag contains %1 documents");

// True when the files hold at least one picture or media file and the course may take it: a menu-based
// course needs a current screen.
bool AcceptsFiles(const QStringList &paths, bool menuBasedCourse, bool hasCurrentScreen);
// The number of Word and PowerPoint documents among the files.
int CountDocuments(const QStringList &paths);

// The top-left corner of the file at index (counted over every file of the drop) dropped at the canvas point.
QPoint FilePoint(const QPoint &dropPoint, int index);
// A component of the size at the point, moved back onto the 1008 x 560 screen where it would reach past an
// edge.
CRect PlacedBounds(const QPoint &topLeft, int width, int height);

// The component a media file becomes at the point (null for pictures, documents and other files), made on
// the canvas given, with the settings a dropped file gets.
std::unique_ptr<CComponentBase> BuildMediaComponent(const QString &path, const QPoint &topLeft, CEditCanvas *canvas);

struct Outcome {
    bool accepted = false;   // false: the drop was refused and nothing changed
    int placed = 0;          // components added to the screen
    int documents = 0;       // Word and PowerPoint files counted (and reported)
};

// The whole drop at the canvas point: without a current screen a linear course gets a blank screen "1"
// first (a menu-based course refuses); every picture and media file is placed, and the documents are
// counted and reported. The screen and the document are marked modified when anything was placed.
Outcome DropFiles(CEditController &edit, CScreenCommands &screens, const QStringList &paths, const QPoint &dropPoint);

} // namespace FileDrop
