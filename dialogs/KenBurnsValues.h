#pragma once

#include "platform/Rect.h"

#include <QString>

#include <array>
#include <vector>

struct SImageValues;

// The rules of the pan-and-zoom editor and of its picture area, without windows.
namespace KenBurns {

constexpr int kMaxMarkers = 12;
// The numbered path markers are 29 x 47 pixels.
constexpr int kMarkerWidth = 29;
constexpr int kMarkerHeight = 47;
// New markers are laid out this far apart along a row, and rows drop by multiples of this.
constexpr int kMarkerStep = 44;
constexpr int kRowStep = 40;

enum Effect { effectNone, effectZoomIn, effectZoomOut, effectPan, effectShrink, effectGrow, effectFadeIn,
              effectFadeOut };
enum PanMode { panDrag = 0, panScroll = 1, panAutomated = 2 };

// The help buttons, by their control ids.
enum HelpButton { helpEffects = 1735, helpPanning = 1527, helpAcceleration = 1736, helpOptions = 1737 };

// Key frame i as a new editor lays it out: (29i, 47i, 29i + 39, 47i + 57).
CRect DefaultKeyFrame(int i);
// Marker i of a new picture area: 29 x 47 at (39i, 10).
CRect DefaultMarkerRect(int i);

// The length of an automated pan: the waits between markers and the travel to each of them.
float TotalTime(int markerCount, float waitAtEachMarker, float timeToEachMarker);

// Which controls the editor offers, and its instruction (a string-table id; 0 for none).
struct ControlStates {
    bool timeToComplete = false;
    bool waitBefore = false;
    bool markerCount = false;
    bool title = false;
    bool waitAtMarker = false;
    bool timeToMarker = false;
    bool userClick = false;
    bool acceleration = false;
    bool panModes = false;
    int instruction = 0;

    friend bool operator==(const ControlStates &, const ControlStates &) = default;
};
// The states for an effect and, for panning, its mode; a ticked "User mouse click starts animation" also
// takes "Time to wait before starting" away.
ControlStates ControlStatesFor(int effect, int panMode, bool userClickStarts);
// The instruction's text; empty for none.
QString InstructionText(int id);
// What a help button shows: its string-table texts joined in order.
QString HelpText(int button);

// ---- The picture area ----

// Where a picture of width x height lies in a window of the given size: at natural size when it fits,
// else reduced (single precision, truncated) to fit; centred along the top.
CRect LayoutImage(int windowWidth, int windowHeight, int pictureWidth, int pictureHeight);
// x of the picture's left edge inside a window whose picture lies at image.
int PictureOffset(int windowWidth, const CRect &image);
// The marquee of a picture that has none: two fifths of the picture, 10 pixels in from its corner.
CRect DefaultMarquee(const CRect &image);
// The marquee moved back inside the picture, cut to the picture's size first.
CRect KeepInside(const CRect &marquee, const CRect &image);
// The picture's width over its height; 0 for an empty picture (no shape kept).
double AspectRatio(const CRect &image);
// A marker moved so that a marquee centred on it stays inside the picture.
CRect ConstrainMarker(const CRect &marker, const CRect &image, const CRect &marquee);
// Where markers from+1 .. to go when the count rises from `from` to `to`: in rows along the marquee's
// centre line 44 pixels apart, each kept where ConstrainMarker allows.
std::vector<CRect> LayoutNewMarkers(int from, int to, const CRect &image, const CRect &marquee);

// The factor from a picture's own rectangle to the area it is shown in: by width for a wide rectangle,
// else by height; 1 when the rectangle has no size.
float RectScale(const CRect &area, const CRect &component);
// Each coordinate multiplied by s and truncated.
CRect ScaleRect(const CRect &rect, float s);
// The ratio the publisher uses to map the editor's rectangles onto the picture on the screen: the
// picture's width on the screen over its width in the editor; 1 when the editor showed no picture.
float DisplayScale(int windowWidth, int pictureWidth);

} // namespace KenBurns

// The values of the pan-and-zoom editor. The key frames and the start rectangle hold the picture area's
// coordinates (with the picture offset) while the editor runs; GetKeyFrame and GetStartRect give them
// relative to the picture's left edge, as the picture keeps them.
struct KenBurnsValues {
    int effect = KenBurns::effectNone;
    int acceleration = 0;
    CRect startRect;
    int panMode = KenBurns::panDrag;
    int userClickStarts = 0;
    std::array<CRect, KenBurns::kMaxMarkers> keyFrames = DefaultKeyFrames();
    int pictureWidth = 0;
    int pictureHeight = 0;
    CRect componentRect;
    // The stored rectangles are in the picture component's own coordinates and must be scaled.
    int rescale = 0;
    int pictureOffset = 0;
    float timeToComplete = 6.0f;
    float waitBeforeStarting = 1.0f;
    QString imageTitleText;
    int markerCount = 1;
    float waitAtEachMarker = 0.0f;
    QString pictureFile;
    float timeToEachMarker = 2.0f;

    static std::array<CRect, KenBurns::kMaxMarkers> DefaultKeyFrames();

    void SetKeyFrame(const CRect &rect, int i);
    CRect GetKeyFrame(int i) const;
    void SetStartRect(const CRect &rect) { startRect = rect; }
    CRect GetStartRect() const;
    // The marker count kept within 1 .. 12.
    int MarkersInUse() const;
    // For an automated pan, time to complete becomes the pan's length.
    void UpdateTotalTime();

    // A stored rectangle as the picture area shows it: scaled by s when rescale is set, then moved right
    // by the picture offset.
    CRect ToDisplay(const CRect &stored, float s) const;

    // What the picture's pan-and-zoom settings preset: its values, its rectangle on the screen and whether
    // its rectangles are still in its own coordinates. Key frames come only with an effect.
    void CopyFromImage(const SImageValues &image, const CRect &bounds);
    // What OK gives back to the picture; displayScale is DisplayScale of its window and the editor's picture.
    void CopyToImage(SImageValues &image, float displayScale) const;
};
