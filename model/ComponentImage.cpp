#include "model/ComponentImage.h"

#include "model/ComponentWindow.h"
#include "model/GlobalHelpers.h"
#include "model/PictureFiles.h"
#include "model/PictureSaveSession.h"
#include "platform/Archive.h"
#include "platform/CorvContext.h"
#include "platform/PathUtil.h"
#include "platform/RandomSource.h"

#include <QFileInfo>
#include <QPainter>

#include <algorithm>

namespace {

// The effects the importer may choose, by the two low bits of a draw.
constexpr int kRandomEffects[4] = {CComponentImage::effectZoomIn, CComponentImage::effectZoomOut,
                                   CComponentImage::effectPan, CComponentImage::effectFadeIn};
// Draws after which an allowed effect is taken in turn rather than drawn again.
constexpr int kMaxEffectDraws = 32;

// The sizes a random layout is computed from: the component's width and height, and the marquee's.
struct Geometry {
    int W, H, w, h;
    int a, b;  // 0.325 H and 0.625 H, truncated
};

Geometry GeometryOf(const CRect &bounds)
{
    const int W = bounds.Width();
    const int H = bounds.Height();
    return {W, H, int(W / 2.5), int(H / 2.5), int(0.325 * H), int(0.625 * H)};
}

// The seven marquee positions: left middle, centre, right middle, top left, bottom left, top right,
// bottom right.
CRect MarqueeAt(int position, const Geometry &g)
{
    const int lefts[7] = {0, g.W / 2 - g.w / 2, g.W - g.w, 0, 0, g.W - g.w, g.W - g.w};
    const int tops[7] = {g.H / 2 - g.h / 2, g.H / 2 - g.h / 2, g.H / 2 - g.h / 2, 0, g.H - g.h, 0, g.H - g.h};
    return CRect(lefts[position], tops[position], lefts[position] + g.w, tops[position] + g.h);
}

struct PanLayout {
    int marquee;
    float timeToEachMarker;
    int markerCount;
    int markers[4][2];  // left, top
};

// The six pan layouts.
PanLayout PanVariant(int v, const Geometry &g)
{
    const int W = g.W, H = g.H, w = g.w, h = g.h;
    const PanLayout layouts[6] = {
        {0, 6.0f, 1, {{W - w / 2 - 14, H / 2 - 14}}},
        {2, 6.0f, 1, {{w / 2 - 14, H / 2 - 14}}},
        {4, 2.0f, 4,
         {{W / 2 - W / 5 - 14, g.a - 14}, {W / 2 - 14, h / 2 - 14}, {W / 2 + W / 5 - 15, g.a - 14},
          {W - w / 2 - 14, H - w / 2 - 14}}},
        {6, 2.0f, 4,
         {{W / 2 + W / 5 - 15, g.a - 14}, {W / 2 - 14, h / 2 - 14}, {W / 2 - W / 5 - 15, g.a - 14},
          {w / 2 - 14, H - h / 2 - 61}}},
        {3, 2.0f, 4,
         {{W / 2 - W / 5 - 14, g.b - 14}, {W / 2 - 14, H - h / 2 - 14}, {W / 2 + W / 5 - 15, g.b - 14},
          {W - w / 2 - 14, w / 2 - 14}}},
        {5, 2.0f, 4,
         {{W / 2 + W / 5 - 14, g.b - 14}, {W / 2 - 14, H - h / 2 - 14}, {W / 2 - W / 5 - 15, g.b - 14},
          {w / 2 - 14, h / 2 - 14}}},
    };
    return layouts[v];
}

constexpr int kMarkerWidth = 29;
constexpr int kMarkerHeight = 47;

// How a resized copy is made: its size (0 x 0: the picture's own) and interpolation.
QString ResizedHow(bool resize, const CRect &bounds, int mode)
{
    return QStringLiteral("%1x%2 %3").arg(resize ? bounds.Width() : 0).arg(resize ? bounds.Height() : 0).arg(mode);
}

// "D:\Pics\My Photo.JPEG" saved as JPEG -> "myphoto.jpg".
QString ProjectCopyName(const QString &picturePath, int format)
{
    const QString name = CorvPath::FileName(picturePath);
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString stem = dot >= 0 ? name.left(dot + 1) : name + u'.';
    return PictureFiles::SafeName(stem + (format == ImageFormatJpg ? QStringLiteral("jpg") : QStringLiteral("png"))).toLower();
}

} // namespace

CComponentImage::CComponentImage() : CComponentBase(ct_image)
{
    m_timeToComplete = 0.0f;
    m_waitBeforeStart = 0.0f;
    m_markerCount = 0;
    m_timeToEachMarker = 0.0f;
    for (int i = 0; i < kMaxMarkers; ++i)
        m_markers[size_t(i)] = CRect(70 + 29 * i, 10, 109 + 29 * i, 57);
}

CComponentImage::CComponentImage(CEditCanvas *parent) : CComponentBase(ct_image, parent)
{
    // Laid out from the marquee's half sizes, both 0 here: a diagonal row.
    for (int i = 0; i < kMaxMarkers; ++i)
        m_markers[size_t(i)] = CRect(29 * i, 47 * i, 29 * i + 39, 47 * i + 57);
}

void CComponentImage::SetValues(const Values &values)
{
    static_cast<Values &>(*this) = values;
    UpdateWindow();
}

void CComponentImage::UpdateWindow()
{
    if (!m_window)
        return;
    m_window->UpdateFromComponent();
    m_window->Invalidate();
}

void CComponentImage::SetImageFile(const QString &path, const CCorvContext &context)
{
    m_metafile = 0;
    m_picturePath = path;
    m_prepared = 0;
    m_display = QImage();
    m_picture.Destroy();
    m_loaded = false;
    m_photoObject = !path.isEmpty() && IsLibraryPhotoObject(context, path) ? 1 : 0;
    m_maskPath = m_photoObject ? PictureFiles::PhotoMaskPath(context.graphicsLibraryRoot, path) : QString();
    // Only a picture on show is decoded now, and a metafile, which is known for one only once it is read;
    // the others when first needed (drawn, measured, saved), so that a course built from thousands of
    // pictures holds none of them decoded.
    if (!path.isEmpty() && (m_window || GetImageFormatFromExt(path) == ImageFormatWmf))
        BuildDisplayBitmap();
    UpdateWindow();
}

void CComponentImage::SetAltText(const QString &text)
{
    m_altText = text;
    if (m_window)
        m_window->UpdateFromComponent();
}

void CComponentImage::SetJpegBorder(int border)
{
    m_jpegBorder = border;
    if (m_window)
        m_window->UpdateFromComponent();
}

void CComponentImage::SetBevelled(int bevelled)
{
    m_borderStyle = bevelled;
    if (m_window)
        m_window->UpdateFromComponent();
}

void CComponentImage::SetLink(int screenLink, int targetScreen, const QString &address, int popup, int script,
                              int fullSize, int popupHeight, int popupWidth)
{
    m_linked = 1;
    m_link.Set(QString(), -1, -1, screenLink, targetScreen, address, popup, script, fullSize, popupHeight,
               popupWidth);
}

void CComponentImage::SetAnimationEffect(int effect)
{
    m_effect = effect;
    UpdateWindow();
}

CComponentImage::PictureKey CComponentImage::CurrentKey() const
{
    return {m_picturePath, m_prepared, m_jpegBorder, m_borderStyle, m_photoObject};
}

bool CComponentImage::LoadPicture(CxImage &target)
{
    return LoadInto(target);
}

bool CComponentImage::LoadInto(CxImage &target) const
{
    const int format = GetImageFormatFromExt(m_picturePath);
    CxImage loaded;
    if (!PictureFiles::Load(loaded, m_picturePath, format))
        return false;
    m_naturalWidth = loaded.GetWidth();
    m_naturalHeight = loaded.GetHeight();
    // A project copy carries its mask and frame already: applying them again would frame the frame.
    if (!m_prepared && m_photoObject)
        PictureFiles::ApplyPhotoMask(loaded, m_maskPath);
    if (format == ImageFormatWmf)
        m_metafile = 1;
    else if (!m_prepared && format == ImageFormatJpg && m_jpegBorder && !m_photoObject)
        PictureFiles::DrawFrame(loaded, m_borderStyle);
    target.TakeOver(loaded);
    return true;
}

bool CComponentImage::EnsurePicture() const
{
    const PictureKey key = CurrentKey();
    if (m_loaded && m_loadedKey == key)
        return m_picture.IsValid();
    if (LoadInto(m_picture)) {
        m_loaded = true;
        m_loadedKey = key;
    }
    return m_picture.IsValid();
}

const QImage &CComponentImage::BuildDisplayBitmap()
{
    if (!EnsurePicture()) {
        m_display = QImage();
        return m_display;
    }
    const bool metafileFile = GetImageFormatFromExt(m_picturePath) == ImageFormatWmf;
    if (!m_metafile && !metafileFile) {
        m_display = PictureFiles::ToDisplayImage(m_picture);
        return m_display;
    }
    // Metafiles are rasterised at the size the canvas shows them, with their white background clear.
    CxImage shown(m_picture);
    int width = 0, height = 0;
    double scale = 1.0;
    if (m_metafile && FitSizeInBox(kDisplayWidth, kDisplayHeight, shown.GetWidth(), shown.GetHeight(), width,
                                   height, scale))
        shown.Resample(width, height, m_standardResolution ? InterpolationBicubic2 : InterpolationLanczos,
                       EdgeRepeat);
    if (metafileFile)
        PictureFiles::MakeWhiteTransparent(shown);
    m_display = PictureFiles::ToDisplayImage(shown);
    return m_display;
}

int CComponentImage::SavePicture(const QString &path, int format)
{
    EnsurePicture();
    return PictureFiles::Save(m_picture, path, format) ? 1 : 0;
}

void CComponentImage::ChooseRandomEffect(CRandomSource &random, const CImageEffectFlags &allowed)
{
    int r = random.Next() & 3;
    const int flags[4] = {allowed.zoomIn, allowed.zoomOut, allowed.pan, allowed.fadeIn};
    if (!flags[0] && !flags[1] && !flags[2] && !flags[3])
        return;
    m_scale = 1.0f;
    int effect = effectGrow;
    if (!m_photoObject) {
        for (int draws = 0; !flags[r]; ++draws)
            r = draws < kMaxEffectDraws ? random.Next() & 3 : (r + 1) & 3;
        effect = kRandomEffects[r];
    }
    m_ownCoordinates = 1;
    const Geometry g = GeometryOf(m_bounds);
    SetAnimationEffect(effect);
    m_timeToComplete = 6.0f;
    m_acceleration = 0;
    m_waitBeforeStart = 1.0f;
    m_clickStart = 0;
    switch (effect) {
    case effectZoomIn:
    case effectZoomOut:
        m_marquee = MarqueeAt(random.Next() % 7, g);
        break;
    case effectGrow:
        m_marquee = CRect(g.W / 2 - g.w / 2, g.H - g.h, g.W / 2 - g.w / 2 + g.w, g.H);
        break;
    case effectPan: {
        m_panningMode = 2;
        m_waitAtEachMarker = 0.0f;
        const PanLayout layout = PanVariant(random.Next() % 6, g);
        m_marquee = MarqueeAt(layout.marquee, g);
        m_timeToEachMarker = layout.timeToEachMarker;
        m_markerCount = layout.markerCount;
        for (int i = 0; i < layout.markerCount; ++i) {
            const int left = layout.markers[i][0];
            const int top = layout.markers[i][1];
            m_markers[size_t(i)] = CRect(left, top, left + kMarkerWidth, top + kMarkerHeight);
        }
        break;
    }
    default:  // fade in
        break;
    }
}

void CComponentImage::Show()
{
    BuildDisplayBitmap();
    UpdateWindow();
    CComponentBase::Show();
}

void CComponentImage::Hide()
{
    m_display = QImage();
    CComponentBase::Hide();
}

void CComponentImage::Draw(QPainter &painter) const
{
    if (!m_display.isNull())
        painter.drawImage(m_bounds.ToQRect(), m_display);
}

std::unique_ptr<CComponentBase> CComponentImage::Clone(bool keepPosition) const
{
    auto copy = std::make_unique<CComponentImage>(m_parent);
    copy->SetValues(GetValues());
    // The picture already decoded goes along: the copy does not decode it again.
    copy->m_picture.CopyFrom(m_picture);
    copy->m_naturalWidth = m_naturalWidth;
    copy->m_naturalHeight = m_naturalHeight;
    copy->m_display = m_display;
    copy->m_loadedKey = m_loadedKey;
    copy->m_loaded = m_loaded;
    copy->SetBounds(ClonedBounds(keepPosition), true);
    copy->UpdateWindow();
    return copy;
}

void CComponentImage::SerializeComponent(CArchive &ar)
{
    if (ar.IsStoring()) {
        StoreOnItsOwn(ar, m_standardResolution);
        return;
    }
    LoadBounds(ar);
    LoadFields(ar);
    LoadProjectCopy();
    ExchangeData(false);
}

void CComponentImage::StoreRecord(CArchive &ar, CPictureSaveSession &session)
{
    ExchangeData(true);
    StoreHead(ar);
    QString storedName;
    if (!m_picturePath.isEmpty())
        WriteProjectCopies(ar, session, storedName);
    StoreFields(ar, storedName);
    // A picture written for a screen that is not on show is let go: a save of the whole course would
    // otherwise end holding every picture of it decoded.
    if (!m_window)
        ReleasePicture();
}

void CComponentImage::ReleasePicture()
{
    m_picture.Destroy();
    m_loaded = false;
    m_display = QImage();
}

void CComponentImage::WriteProjectCopies(const CArchive &ar, CPictureSaveSession &session, QString &storedName)
{
    // A metafile is known for one once it is decoded, and is not resized.
    if (GetImageFormatFromExt(m_picturePath) == ImageFormatWmf)
        EnsurePicture();
    const int format = !m_photoObject && GetImageFormatFromExt(m_picturePath) == ImageFormatJpg ? ImageFormatJpg
                                                                                              : ImageFormatPng;
    const QString folder = PictureFiles::MediaFolder(ar.GetFilePath(), IsStandAlone(), CMediaCopy::images);
    const bool inPlace = m_prepared && CorvPath::SamePathNoCase(CorvPath::FolderOf(m_picturePath), folder);
    // A project copy keeps the name it has on disk; anything else gets its safe, lower-case name.
    const QString wanted = inPlace ? CorvPath::FileName(m_picturePath) : ProjectCopyName(m_picturePath, format);
    const bool resize = !(m_effect >= effectZoomIn && m_effect <= effectPan) && !m_metafile &&
                        !m_bounds.IsRectEmpty();
    const int mode = session.PublishImagesAtStandardResolution() ? InterpolationBicubic2 : InterpolationLanczos;

    // Whatever makes this component's two copies differ from another's with the same picture.
    const QString source = QStringLiteral("%1\n%2 %3 %4 %5\n%6x%7 %8")
                               .arg(m_picturePath)
                               .arg(m_prepared)
                               .arg(m_photoObject)
                               .arg(m_jpegBorder)
                               .arg(m_borderStyle)
                               .arg(resize ? m_bounds.Width() : 0)
                               .arg(resize ? m_bounds.Height() : 0)
                               .arg(mode);
    storedName = session.ClaimName(folder, wanted, source);
    const QString target = CorvPath::Join(folder, storedName);
    const bool alreadyThere = inPlace && CorvPath::SamePathNoCase(m_picturePath, target);
    if (!alreadyThere && !WriteImagesCopy(ar, target, format, inPlace))
        return;
    const QString resizedPath = CorvPath::Join(
        PictureFiles::MediaFolder(ar.GetFilePath(), IsStandAlone(), CMediaCopy::imagesResized), storedName);
    // Made from the same file the same way, and still in its place: encoding it again would give the same.
    const ResizedCopy copy = DescribeResizedCopy(resizedPath, format, ResizedHow(resize, m_bounds, mode));
    if (copy == m_resizedCopy && QFileInfo::exists(resizedPath))
        return;
    if (!EnsurePicture())
        return;
    CxImage resized(m_picture, true, true, true);
    if (resize)
        resized.Resample(m_bounds.Width(), m_bounds.Height(), mode, EdgeRepeat);
    if (!PictureFiles::Save(resized, resizedPath, format)) {
        m_resizedCopy = {};
        PictureFiles::ReportFailedCopy(ar, m_picturePath, resizedPath);
        return;
    }
    m_resizedCopy = copy;
}

CComponentImage::ResizedCopy CComponentImage::DescribeResizedCopy(const QString &target, int format,
                                                                  const QString &how) const
{
    const QFileInfo source(m_picturePath);
    ResizedCopy copy;
    copy.source = QStringLiteral("%1\n%2 %3 %4 %5\n%6")
                      .arg(m_picturePath)
                      .arg(m_prepared)
                      .arg(m_photoObject)
                      .arg(m_jpegBorder)
                      .arg(m_borderStyle)
                      .arg(how);
    copy.sourceSize = source.exists() ? source.size() : -1;
    copy.sourceModified = source.exists() ? source.lastModified().toMSecsSinceEpoch() : 0;
    copy.target = target;
    copy.format = format;
    return copy;
}

void CComponentImage::AdoptResizedCopy(const CArchive &ar, int publishImagesAtStandardResolution)
{
    m_resizedCopy = {};
    if (m_picturePath.isEmpty() || !m_prepared)
        return;
    const int format = !m_photoObject && GetImageFormatFromExt(m_picturePath) == ImageFormatJpg ? ImageFormatJpg
                                                                                              : ImageFormatPng;
    const QString folder = PictureFiles::MediaFolder(ar.GetFilePath(), IsStandAlone(), CMediaCopy::images);
    // Only a picture in the project's own folder, under the name a save gives it, has a resized copy there.
    if (!CorvPath::SamePathNoCase(CorvPath::FolderOf(m_picturePath), folder))
        return;
    const QString resizedPath = CorvPath::Join(
        PictureFiles::MediaFolder(ar.GetFilePath(), IsStandAlone(), CMediaCopy::imagesResized),
        CorvPath::FileName(m_picturePath));
    const QFileInfo resized(resizedPath), source(m_picturePath);
    if (!resized.isFile() || !source.isFile() || resized.lastModified() < source.lastModified())
        return;
    const bool resize = !(m_effect >= effectZoomIn && m_effect <= effectPan) && !m_metafile &&
                        !m_bounds.IsRectEmpty();
    const int mode = publishImagesAtStandardResolution ? InterpolationBicubic2 : InterpolationLanczos;
    m_resizedCopy = DescribeResizedCopy(resizedPath, format, ResizedHow(resize, m_bounds, mode));
}

bool CComponentImage::WriteImagesCopy(const CArchive &ar, const QString &target, int format, bool inPlace)
{
    // A copy made for another project goes over as it is, without encoding it again; anything else is
    // written from the picture object, which holds the picture with its mask and frame.
    bool written = m_prepared && !inPlace && GetImageFormatFromExt(m_picturePath) == format &&
                   PictureFiles::CopyFile(m_picturePath, target);
    if (!written) {
        if (!EnsurePicture())
            return false;
        written = PictureFiles::Save(m_picture, target, format);
    }
    if (!written) {
        // The component keeps naming its own file, and the next save tries again.
        PictureFiles::ReportFailedCopy(ar, m_picturePath, target);
        return false;
    }
    // A PNG copy holds exactly the pixels just encoded: they stay, and the copy is not decoded again. A JPEG
    // copy differs a little from them: the resized copy is made from the copy as written, as it will be
    // after the project is opened again, so that every later save writes the same pixels.
    const bool samePixels = m_loaded && m_picture.IsValid() && format == ImageFormatPng;
    // A save that fails later removes the copy: the component goes back to the file it named before.
    ar.NoteUndo([this, path = m_picturePath, prepared = m_prepared, loaded = m_loaded, key = m_loadedKey] {
        m_picturePath = path;
        m_prepared = prepared;
        m_loaded = loaded && m_picture.IsValid(); // unless it was let go meanwhile
        m_loadedKey = key;
    });
    m_picturePath = target;
    m_prepared = 1;
    m_loaded = samePixels;
    m_loadedKey = CurrentKey();
    return true;
}

void CComponentImage::StoreFields(CArchive &ar, const QString &storedName) const
{
    ar.WriteString(storedName);
    ar.WriteString(m_altText);
    ar.WriteString(m_reservedText);
    ar.WriteString(m_keywords);
    ar.WriteInt(m_photoObject);
    ar.WriteInt(m_linked);
    ar.WriteInt(m_link.GetNumber());
    ar.WriteInt(m_link.IsScreenLink());
    ar.WriteInt(m_link.GetTargetScreen());
    ar.WriteString(m_link.GetUrl());
    ar.WriteInt(m_link.GetPopup());
    ar.WriteInt(m_link.GetFullSize());
    // A full-size popup is stored with the screen's size.
    ar.WriteInt(m_link.GetFullSize() ? CURLLink::kFullHeight : m_link.GetStoredPopupHeight());
    ar.WriteInt(m_link.GetFullSize() ? CURLLink::kFullWidth : m_link.GetStoredPopupWidth());
    ar.WriteInt(m_effect);
    ar.WriteInt(m_acceleration);
    ar.WriteFloat(m_timeToComplete);
    ar.WriteFloat(m_waitBeforeStart);
    ar.WriteString(m_titleText);
    const int markers = std::clamp(m_markerCount, 0, kMaxMarkers);
    ar.WriteInt(markers);
    ar.WriteFloat(m_waitAtEachMarker);
    ar.WriteRect(m_marquee);
    ar.WriteInt(m_panningMode);
    ar.WriteInt(m_clickStart);
    for (int i = 0; i < markers; ++i)
        ar.WriteRect(m_markers[size_t(i)]);
    ar.WriteFloat(m_scale);
    ar.WriteFloat(m_timeToEachMarker);
    ar.WriteInt(m_ownCoordinates);
    ar.WriteInt(m_metafile);
}

void CComponentImage::LoadFields(CArchive &ar)
{
    const QString storedName = ar.ReadString();
    m_altText = ar.ReadString();
    m_reservedText = ar.ReadString();
    m_keywords = ar.ReadString();
    m_photoObject = ar.ReadInt();
    m_linked = ar.ReadInt();
    const int number = IsSchemaAbove(kLinkIdGate) ? ar.ReadInt() : -1;
    const int screenLink = ar.ReadInt();
    const int targetScreen = ar.ReadInt();
    const QString address = ar.ReadString();
    int popup = 0, fullSize = 1, popupHeight = 100, popupWidth = 250;
    if (IsSchemaAbove(kLinkPopupGate)) {
        popup = ar.ReadInt();
        fullSize = ar.ReadInt();
        popupHeight = ar.ReadInt();
        popupWidth = ar.ReadInt();
    }
    m_link.Set(QString(), number, -1, screenLink, targetScreen, address, popup, 0, fullSize, popupHeight,
               popupWidth);

    if (IsSchemaAbove(kAnimationGate)) {
        SetAnimationEffect(ar.ReadInt());
        m_acceleration = ar.ReadInt();
        m_timeToComplete = ar.ReadFloat();
        m_waitBeforeStart = ar.ReadFloat();
        m_titleText = ar.ReadString();
        const int markers = ar.ReadInt();
        // The record holds as many markers as it says; more than the twelve there are cannot be read.
        if (markers < 0 || markers > kMaxMarkers)
            throw CArchiveException(CArchiveException::badCount,
                                    QStringLiteral("A picture in %1 has %2 path markers; at most %3 are possible.")
                                        .arg(ar.GetFilePath())
                                        .arg(markers)
                                        .arg(kMaxMarkers));
        m_markerCount = markers;
        m_waitAtEachMarker = ar.ReadFloat();
        m_marquee = ar.ReadRect();
        m_panningMode = ar.ReadInt();
        m_clickStart = ar.ReadInt();
        for (int i = 0; i < markers; ++i)
            m_markers[size_t(i)] = ar.ReadRect();
        m_scale = ar.ReadFloat();
        m_timeToEachMarker = ar.ReadFloat();
        m_ownCoordinates = ar.ReadInt();
    }
    if (IsSchemaAbove(kMetafileGate))
        m_metafile = ar.ReadInt();
    m_picturePath =
        CMediaCopy::PathFromStoredName(ar, IsStandAlone(), CMediaCopy::images, storedName);
}

void CComponentImage::LoadProjectCopy()
{
    // The project copy has its mask and frame already.
    m_prepared = 1;
    m_loaded = false;
    m_picture.Destroy();
    m_display = QImage();
    m_resizedCopy = {};
    // Decoded when first needed (shown, measured, written): opening a project decodes none of its pictures,
    // and a metafile is known for one as soon as it is read.
    if (GetImageFormatFromExt(m_picturePath) == ImageFormatWmf)
        EnsurePicture();
    if (!m_picturePath.isEmpty() && m_window && EnsurePicture())
        m_display = PictureFiles::ToDisplayImage(m_picture);
}
