#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

#include <functional>

class CComponentAudio;
class CComponentBase;
class CComponentButton;
class CComponentLink;
class CComponentTopicButton;
class CComponentVideo;
class QFont;
class QPainter;

// How the canvas windows of the sound, movie, embedded video, button, link and topic-button kinds look,
// and how the screen's pictures draw the same kinds: which picture each shows, where its caption goes and
// where a topic button's picture lands. The pictures are the program's own artwork, drawn on first use.
namespace ComponentPainter {

// ---- Pictures ----
enum Bitmap : int {
    kVideoMovie = 218,   // 48 x 48
    kAudioPlay = 294,    // 74 x 46
    kAudioStop = 295,    // 74 x 46
    kAudioSpeaker = 316, // 50 x 50
    kVideoGif = 317,     // 48 x 48
    kVideoPdf = 318,     // 48 x 48
    kVideoFlash = 319,   // 48 x 48
    kYouTube = 346,      // 50 x 50
    kFlashVideo = 350,   // 26 x 35
};
QSize BitmapSize(int bitmap);
// The picture of the id at its size; a null image for an unknown id.
const QImage &BitmapImage(int bitmap);

// A Play or Stop button with controls on, else the speaker.
int AudioBitmap(int displayControls, int playButton);
// By the file's extension, without regard to case: gif, pdf, swf, otherwise the movie picture; the
// window shows a Flash video player's own picture, the screen's pictures the movie one.
enum class Look { Window, Picture };
int VideoBitmap(const QString &filePath, int type, Look look);

// The caption a sound or movie window shows: the name after the last folder separator, without the
// characters the published pages cannot carry (' ', '<', '>', '&').
QString CaptionFileName(const QString &filePath);

// ---- Topic buttons ----
// A small button's own picture with its longer side 38 pixels, placed in the 40-pixel box at the left; an
// empty rectangle for a picture without width or height (nothing is drawn).
QRect SmallTopicPictureRect(QSize picture);
// A large button's own picture fitted (never enlarged) into the box and centred; empty without a size.
QRect FittedPictureRect(QSize picture, const QRect &box);
// The 200 x 145 picture area of a large button at the client origin.
constexpr QRect kLargePictureBox{1, 1, 200, 145};
// Where a small button's title starts from its left edge.
inline int SmallTopicTitleOffset(int showPicture) { return showPicture ? 70 : 10; }
// A large button's title rectangle: the client inset by 25 and 4, below the picture when it shows one.
QRect LargeTopicTitleRect(const QRect &client, int showPicture);

// ---- Fonts ----
// The 7-point caption font of the sound window (Arial, shown as its metric-compatible face).
QFont AudioCaptionFont();
// A button's caption font from its face and point size (the painter's font where they are unset).
QFont ButtonFont(const CComponentButton &button, const QFont &fallback);
// A link's font (the painter's where the link has none).
QFont LinkFont(const CComponentLink &link, const QFont &fallback);

// ---- Painting (rect in the painter's coordinates) ----
// The system's button face, from the application's palette when there is one.
QColor ButtonFace();
void PaintAudio(QPainter &painter, const CComponentAudio &audio, const QRect &rect, Look look);
void PaintVideo(QPainter &painter, const CComponentVideo &video, const QRect &rect, Look look);
void PaintYouTube(QPainter &painter, const QRect &rect);
void PaintButton(QPainter &painter, const CComponentButton &button, const QRect &rect);
void PaintLink(QPainter &painter, const CComponentLink &link, const QRect &rect);
// The canvas window of a topic button. The large button's screen thumbnail (its index set) comes from
// listPicture, which may give a null image (nothing drawn); the small one shows it 40 pixels square.
using ListPicture = std::function<QImage(int index)>;
void PaintTopicWindow(QPainter &painter, const CComponentTopicButton &button, const QRect &rect,
                      const ListPicture &listPicture);

} // namespace ComponentPainter
