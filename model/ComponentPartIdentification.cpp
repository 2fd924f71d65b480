#include "model/ComponentPartIdentification.h"

#include "image/qt/ImageQt.h"
#include "model/ComponentWindow.h"
#include "model/GlobalHelpers.h"
#include "model/PictureFiles.h"
#include "model/PictureSaveSession.h"
#include "platform/Archive.h"
#include "platform/PathUtil.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// Formats the question copy keeps; anything else (bitmaps, metafiles, unknown extensions) is written as PNG.
bool KeepsFormat(int format)
{
    return format == ImageFormatJpg || format == ImageFormatPng || format == ImageFormatGif;
}

} // namespace

CComponentPartIdentification::CComponentPartIdentification()
    : CComponentQuestion(ct_part_identification, nullptr, kDefaultBounds)
{
}

CComponentPartIdentification::CComponentPartIdentification(CEditCanvas *parent)
    : CComponentQuestion(ct_part_identification, parent, kPlacedBounds)
{
}

void CComponentPartIdentification::SetValues(const Values &values)
{
    static_cast<Values &>(*this) = values;
    ExchangeData(false);
}

void CComponentPartIdentification::UpdateWindow()
{
    if (!m_window)
        return;
    m_window->UpdateFromComponent();
    m_window->Invalidate();
}

void CComponentPartIdentification::SetTargetCount(int count)
{
    m_targetCount = std::clamp(count, 0, kMaxTargets);
    UpdateWindow();
}

void CComponentPartIdentification::SetQuestionText(const QString &text)
{
    m_questionText = text;
    UpdateWindow();
}

void CComponentPartIdentification::LoadPictureFile(const QString &path, float scale)
{
    CxImage loaded;
    if (!PictureFiles::Load(loaded, path, GetImageFormatFromExt(path)))
        return;
    m_picture.TakeOver(loaded);
    m_pictureWidth = int(float(m_picture.GetWidth()) * scale);
    m_pictureHeight = int(float(m_picture.GetHeight()) * scale);
}

void CComponentPartIdentification::SetImageFile(const QString &path)
{
    m_imageFile = path;
    m_storedScale = 1.0f;
    if (!path.isEmpty())
        LoadPictureFile(path, 1.0f);
    UpdateWindow();
}

void CComponentPartIdentification::SetTargetRect(int left, int top, int right, int bottom, int index)
{
    if (index < 0 || index >= kMaxTargets)
        return;
    m_targets[size_t(index)] = CRect(left, top, right, bottom);
    UpdateWindow();
}

CRect CComponentPartIdentification::GetTargetRect(int index) const
{
    if (index < 0 || index >= kMaxTargets)
        return CRect();
    return m_targets[size_t(index)];
}

CRect CComponentPartIdentification::GetTargetRectOnImage(int index) const
{
    CRect rect = GetTargetRect(index);
    const CRect image = GetImageRect();
    rect.OffsetRect(-image.left, -image.top);
    return rect;
}

CRect CComponentPartIdentification::LayoutPicture(int width, int height, bool scalingAllowed)
{
    const int cw = kAreaWidth;
    const int ch = kAreaHeight;
    if (width <= 0 || height <= 0)
        return CRect(0, 0, cw, ch);
    if (!scalingAllowed || (width < cw && height < ch)) {
        if (width <= cw && height <= ch) {
            const int left = cw / 2 - width / 2;
            return CRect(left, 0, left + width, height);
        }
        return CRect(0, 0, width, height);
    }
    int shownWidth = width;
    int shownHeight = height;
    if (width > cw || height > ch) {
        // In single precision and truncated, as the area has always shown it: target positions depend on it.
        const float scale = std::min(float(cw) / float(width), float(ch) / float(height));
        shownWidth = int(float(width) * scale);
        shownHeight = int(float(height) * scale);
    }
    const int left = cw / 2 - shownWidth / 2;
    return CRect(left, 0, left + shownWidth, shownHeight);
}

CRect CComponentPartIdentification::GetImageRect() const
{
    return LayoutPicture(m_pictureWidth, m_pictureHeight, m_reduceToFit != 0);
}

int CComponentPartIdentification::GetImageWidth() const
{
    return m_reduceToFit ? GetImageRect().Width() : m_pictureWidth;
}

int CComponentPartIdentification::GetImageHeight() const
{
    return m_reduceToFit ? GetImageRect().Height() : m_pictureHeight;
}

void CComponentPartIdentification::Draw(QPainter &painter) const
{
    // The question box, and below it the white picture area with the picture as the area shows it.
    painter.save();
    const QRect r = m_bounds.ToQRect();
    const int areaTop = std::max(r.top(), r.bottom() + 1 - kAreaHeight - 10);
    const QRect question(r.left(), r.top(), r.width(), std::max(0, areaTop - r.top() - 10));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(question.adjusted(0, 0, -1, -1));
    painter.drawText(question.adjusted(4, 2, -4, -2), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, m_questionText);
    const QRect area(r.left() + (r.width() - kAreaWidth) / 2, areaTop, kAreaWidth, kAreaHeight);
    painter.fillRect(area, Qt::white);
    if (m_picture.IsValid()) {
        painter.setClipRect(area);
        painter.drawImage(GetImageRect().ToQRect().translated(area.topLeft()), toQImage(m_picture));
        painter.setClipping(false);
    }
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    painter.restore();
}

std::unique_ptr<CComponentBase> CComponentPartIdentification::Clone(bool keepPosition) const
{
    auto copy = CloneKind<CComponentPartIdentification>(keepPosition);
    CopyQuestionFields(*copy);
    // The picture already loaded goes along: the copy shows the same one.
    copy->m_picture.CopyFrom(m_picture);
    copy->m_pictureWidth = m_pictureWidth;
    copy->m_pictureHeight = m_pictureHeight;
    copy->ExchangeData(false);
    return copy;
}

void CComponentPartIdentification::SerializeComponent(CArchive &ar)
{
    if (ar.IsStoring()) {
        StoreOnItsOwn(ar);
        return;
    }
    LoadBounds(ar);
    m_questionText = ar.ReadString();
    m_imageFile = ar.ReadString();
    m_picture.Destroy();
    m_pictureWidth = m_pictureHeight = 0;
    m_storedScale = 1.0f;
    m_targets = {};
    if (!IsSchemaAbove(kTargetsGate)) {
        m_targets[0] = ar.ReadRect();
        m_targetCount = 1;
        m_targetsToMatch = 1;
        m_reduceToFit = 0;
    } else {
        float scale = ar.ReadFloat();
        // A damaged factor must not give the picture a size of nothing or of garbage.
        if (!std::isfinite(scale) || scale <= 0.0f)
            scale = 1.0f;
        m_storedScale = scale;
        LoadPictureFile(m_imageFile, scale);
        // A project moved from another machine keeps its question pictures in its own folder.
        if (!m_picture.IsValid() && !m_imageFile.isEmpty()) {
            const QString moved = CMediaCopy::PathFromStoredName(ar, IsStandAlone(),
                                                                 CMediaCopy::imagesQuestions, m_imageFile);
            LoadPictureFile(moved, scale);
            if (m_picture.IsValid())
                m_imageFile = moved;
        }
        for (CRect &target : m_targets)
            target = ar.ReadRect();
        const int count = ar.ReadInt();
        if (count < 0 || count > kMaxTargets)
            throw CArchiveException(CArchiveException::badCount,
                                    QStringLiteral("A question in %1 has %2 targets; at most %3 are possible.")
                                        .arg(ar.GetFilePath())
                                        .arg(count)
                                        .arg(kMaxTargets));
        m_targetCount = count;
        m_targetsToMatch = ar.ReadInt();
        m_reduceToFit = ar.ReadInt();
    }
    m_correctFeedback = ar.ReadString();
    m_wrongFeedback = ar.ReadString();
    if (IsSchemaAbove(kHighlightGate))
        m_highlightColor = ar.ReadInt();
    ExchangeData(false);
}

void CComponentPartIdentification::StoreRecord(CArchive &ar, CPictureSaveSession &session)
{
    ExchangeData(true);
    // A picture that cannot be loaded keeps the path and factor it was stored with: the author's values
    // come back when the picture does.
    float scale = m_storedScale;
    if (!m_imageFile.isEmpty() && m_picture.IsValid())
        WritePicture(ar, session, scale);
    StoreHead(ar);
    ar.WriteString(m_questionText);
    ar.WriteString(m_imageFile);
    ar.WriteFloat(scale);
    for (const CRect &target : m_targets)
        ar.WriteRect(target);
    ar.WriteInt(m_targetCount);
    ar.WriteInt(m_targetsToMatch);
    ar.WriteInt(m_reduceToFit);
    ar.WriteString(m_correctFeedback);
    ar.WriteString(m_wrongFeedback);
    ar.WriteInt(m_highlightColor);
}

void CComponentPartIdentification::WritePicture(const CArchive &ar, CPictureSaveSession &session, float &scale)
{
    QString name = CorvPath::FileName(m_imageFile);
    int format = GetImageFormatFromExt(name);
    if (!KeepsFormat(format)) {
        const qsizetype dot = name.lastIndexOf(u'.');
        name = (dot >= 0 ? name.left(dot + 1) : name + u'.') + QStringLiteral("png");
        format = ImageFormatPng;
    }
    name = PictureFiles::SafeName(name);
    if (name.isEmpty())
        return;

    CxImage shown(m_picture, true, true, true);
    const CRect image = GetImageRect();
    float shownScale = float(m_pictureWidth) / float(m_picture.GetWidth());
    if (m_reduceToFit && !image.IsRectEmpty()) {
        shown.Resample(image.Width(), image.Height(), InterpolationLanczos, EdgeRepeat);
        shownScale = float(m_pictureWidth) / float(image.Width());
    }
    const QString folder = PictureFiles::MediaFolder(ar.GetFilePath(), IsStandAlone(), CMediaCopy::imagesQuestions);
    const QString source = QStringLiteral("%1\n%2x%3").arg(m_imageFile).arg(shown.GetWidth()).arg(shown.GetHeight());
    const QString target = CorvPath::Join(folder, session.ClaimName(folder, name, source));
    if (!PictureFiles::Save(shown, target, format)) {
        // The record keeps naming the file the picture came from, with the factor of that file.
        PictureFiles::ReportFailedCopy(ar, m_imageFile, target);
        scale = float(m_pictureWidth) / float(m_picture.GetWidth());
        return;
    }
    m_imageFile = target;
    scale = shownScale;
}
