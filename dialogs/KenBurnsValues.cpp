#include "dialogs/KenBurnsValues.h"

#include "model/ComponentImage.h"
#include "platform/StringTable.h"

#include <algorithm>
#include <cmath>

namespace KenBurns {

CRect DefaultKeyFrame(int i) { return CRect(29 * i, 47 * i, 29 * i + 39, 47 * i + 57); }

CRect DefaultMarkerRect(int i) { return CRect(39 * i, 10, 39 * i + kMarkerWidth, 10 + kMarkerHeight); }

float TotalTime(int markerCount, float waitAtEachMarker, float timeToEachMarker)
{
    return float(markerCount - 1) * waitAtEachMarker + float(markerCount) * timeToEachMarker;
}

namespace {

// One row per effect: time to complete, wait before, marker count, title, wait at marker, time to marker,
// user click, acceleration, instruction.
struct EffectRow {
    bool timeToComplete, waitBefore, markerCount, title, waitAtMarker, timeToMarker, userClick, acceleration;
    int instruction;
};

constexpr EffectRow kEffects[] = {
    {false, false, false, false, false, false, false, false, 0},
    {true, true, false, true, false, false, true, true, 61483},
    {true, true, false, true, false, false, true, true, 61484},
    {false, true, true, true, true, true, true, true, 61485},
    {true, true, false, true, false, false, true, true, 61488},
    {true, true, false, true, false, false, true, true, 61489},
    {true, true, false, true, false, false, true, true, 61486},
    {true, true, false, true, false, false, true, true, 61487},
};

} // namespace

ControlStates ControlStatesFor(int effect, int panMode, bool userClickStarts)
{
    const EffectRow &row = kEffects[effect >= effectNone && effect <= effectFadeOut ? effect : effectNone];
    ControlStates s;
    s.timeToComplete = row.timeToComplete;
    s.waitBefore = row.waitBefore;
    s.markerCount = row.markerCount;
    s.title = row.title;
    s.waitAtMarker = row.waitAtMarker;
    s.timeToMarker = row.timeToMarker;
    s.userClick = row.userClick;
    s.acceleration = row.acceleration;
    s.instruction = row.instruction;
    if (effect == effectPan) {
        s.panModes = true;
        const bool automated = panMode == panAutomated;
        s.markerCount = s.waitAtMarker = s.timeToMarker = s.waitBefore = s.userClick = automated;
        s.timeToComplete = false;
        s.instruction = automated ? 61485 : panMode == panScroll ? 61529 : 61530;
    }
    if (userClickStarts)
        s.waitBefore = false;
    return s;
}

QString InstructionText(int id) { return id ? CStringTable::Load(id) : QString(); }

QString HelpText(int button)
{
    std::vector<int> ids;
    switch (button) {
    case helpEffects: ids = {61500, 61501, 61502, 61503, 61504, 61505, 61506, 61507, 61508, 61509}; break;
    case helpAcceleration: ids = {61510, 61511, 61512, 61513, 61514}; break;
    case helpOptions: ids = {61515, 61519, 61516, 61517, 61518}; break;
    case helpPanning: ids = {61522, 61523, 61524, 61525, 61526, 61527, 61531, 61528}; break;
    default: break;
    }
    QString text;
    for (int id : ids)
        text += CStringTable::Load(id);
    return text;
}

CRect LayoutImage(int windowWidth, int windowHeight, int pictureWidth, int pictureHeight)
{
    if (pictureWidth <= 0 || pictureHeight <= 0 || windowWidth <= 0 || windowHeight <= 0)
        return CRect(0, 0, std::max(0, windowWidth), std::max(0, windowHeight));
    int width = pictureWidth;
    int height = pictureHeight;
    if (width > windowWidth || height > windowHeight) {
        const float s = std::min(float(windowWidth) / float(width), float(windowHeight) / float(height));
        width = std::max(1, int(float(width) * s));
        height = std::max(1, int(float(height) * s));
    }
    const int left = (windowWidth - width) / 2;
    return CRect(left, 0, left + width, height);
}

int PictureOffset(int windowWidth, const CRect &image) { return ((windowWidth - image.right) + image.left) / 2; }

CRect DefaultMarquee(const CRect &image)
{
    CRect m(10, 10, 10 + int(image.Width() / 2.5), 10 + int(image.Height() / 2.5));
    m.OffsetRect(image.left, image.top);
    return m;
}

CRect KeepInside(const CRect &marquee, const CRect &image)
{
    CRect r = marquee;
    r.NormalizeRect();
    const int width = std::min(r.Width(), image.Width());
    const int height = std::min(r.Height(), image.Height());
    const int left = std::clamp(r.left, image.left, image.right - width);
    const int top = std::clamp(r.top, image.top, image.bottom - height);
    return CRect(left, top, left + width, top + height);
}

double AspectRatio(const CRect &image)
{
    return image.Width() > 0 && image.Height() > 0 ? double(image.Width()) / double(image.Height()) : 0.0;
}

CRect ConstrainMarker(const CRect &marker, const CRect &image, const CRect &marquee)
{
    const int hw = marquee.Width() / 2;
    const int hh = marquee.Height() / 2;
    const int cx = (marker.left + marker.right) / 2;
    const int cy = (marker.top + marker.bottom) / 2;
    CRect r = marker;
    if (cx < image.left + hw) {
        r.left = image.left + hw;
        r.right = r.left + kMarkerWidth;
    }
    if (cx > image.right - hw) {
        r.right = image.right - hw;
        r.left = r.right - kMarkerWidth;
    }
    if (cy < image.top + hh) {
        r.top = image.top + hh;
        r.bottom = r.top + kMarkerHeight;
    }
    if (cy > image.bottom - hh) {
        r.bottom = image.bottom - hh;
        r.top = r.bottom - kMarkerHeight;
    }
    return r;
}

std::vector<CRect> LayoutNewMarkers(int from, int to, const CRect &image, const CRect &marquee)
{
    std::vector<CRect> placed;
    from = std::clamp(from, 0, kMaxMarkers);
    to = std::clamp(to, 0, kMaxMarkers);
    const int hw = marquee.Width() / 2;
    const int hh = marquee.Height() / 2;
    const int x0 = image.left + hw;
    int y = marquee.top + hh;
    int drop = 0;
    // The first new marker keeps the place of its number; the others follow 44 pixels apart.
    int x = x0 + kMarkerWidth * from;
    for (int i = from; i < to; ++i) {
        if (i > from)
            x += kMarkerStep;
        if (x + kMarkerWidth > image.right - hw) {
            drop += kRowStep;
            y += drop;
            x = x0;
        }
        placed.push_back(ConstrainMarker(CRect(x, y, x + kMarkerWidth, y + kMarkerHeight), image, marquee));
    }
    return placed;
}

float RectScale(const CRect &area, const CRect &component)
{
    const int w = component.Width();
    const int h = component.Height();
    if (w > h)
        return w > 0 ? float(area.Width()) / float(w) : 1.0f;
    return h > 0 ? float(area.Height()) / float(h) : 1.0f;
}

CRect ScaleRect(const CRect &rect, float s)
{
    return CRect(int(float(rect.left) * s), int(float(rect.top) * s), int(float(rect.right) * s),
                 int(float(rect.bottom) * s));
}

float DisplayScale(int windowWidth, int pictureWidth)
{
    return pictureWidth > 0 && windowWidth > 0 ? float(windowWidth) / float(pictureWidth) : 1.0f;
}

} // namespace KenBurns

std::array<CRect, KenBurns::kMaxMarkers> KenBurnsValues::DefaultKeyFrames()
{
    std::array<CRect, KenBurns::kMaxMarkers> frames;
    for (int i = 0; i < KenBurns::kMaxMarkers; ++i)
        frames[size_t(i)] = KenBurns::DefaultKeyFrame(i);
    return frames;
}

void KenBurnsValues::SetKeyFrame(const CRect &rect, int i)
{
    if (i >= 0 && i < KenBurns::kMaxMarkers)
        keyFrames[size_t(i)] = rect;
}

CRect KenBurnsValues::GetKeyFrame(int i) const
{
    if (i < 0 || i >= KenBurns::kMaxMarkers)
        return CRect();
    CRect r = keyFrames[size_t(i)];
    r.left -= pictureOffset;
    r.right -= pictureOffset;
    return r;
}

CRect KenBurnsValues::GetStartRect() const
{
    CRect r = startRect;
    r.left -= pictureOffset;
    r.right -= pictureOffset;
    return r;
}

int KenBurnsValues::MarkersInUse() const { return std::clamp(markerCount, 1, KenBurns::kMaxMarkers); }

void KenBurnsValues::UpdateTotalTime()
{
    if (effect == KenBurns::effectPan && panMode == KenBurns::panAutomated)
        timeToComplete = KenBurns::TotalTime(MarkersInUse(), waitAtEachMarker, timeToEachMarker);
}

CRect KenBurnsValues::ToDisplay(const CRect &stored, float s) const
{
    CRect r = rescale ? KenBurns::ScaleRect(stored, s) : stored;
    r.left += pictureOffset;
    r.right += pictureOffset;
    return r;
}

void KenBurnsValues::CopyFromImage(const SImageValues &image, const CRect &bounds)
{
    pictureFile = image.m_picturePath;
    effect = image.m_effect;
    acceleration = image.m_acceleration;
    timeToComplete = image.m_timeToComplete;
    waitBeforeStarting = image.m_waitBeforeStart;
    imageTitleText = image.m_titleText;
    markerCount = image.m_markerCount;
    if (effect != KenBurns::effectNone)
        for (int i = 0; i < std::clamp(markerCount, 0, KenBurns::kMaxMarkers); ++i)
            SetKeyFrame(image.m_markers[size_t(i)], i);
    SetStartRect(image.m_marquee);
    waitAtEachMarker = image.m_waitAtEachMarker;
    panMode = image.m_panningMode;
    userClickStarts = image.m_clickStart;
    timeToEachMarker = image.m_timeToEachMarker;
    componentRect = bounds;
    rescale = image.m_ownCoordinates;
}

void KenBurnsValues::CopyToImage(SImageValues &image, float displayScale) const
{
    image.m_effect = effect;
    image.m_acceleration = acceleration;
    image.m_timeToComplete = timeToComplete;
    image.m_waitBeforeStart = waitBeforeStarting;
    image.m_titleText = imageTitleText;
    image.m_markerCount = MarkersInUse();
    for (int i = 0; i < MarkersInUse(); ++i)
        image.m_markers[size_t(i)] = GetKeyFrame(i);
    image.m_waitAtEachMarker = waitAtEachMarker;
    image.m_marquee = GetStartRect();
    image.m_panningMode = panMode;
    image.m_clickStart = userClickStarts;
    image.m_scale = displayScale;
    image.m_timeToEachMarker = timeToEachMarker;
    image.m_ownCoordinates = 0;
}
