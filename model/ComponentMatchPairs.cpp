#include "model/ComponentMatchPairs.h"

#include "model/ComponentWindow.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "model/PictureFiles.h"
#include "image/xImage.h"
#include "platform/Archive.h"
#include "platform/PathUtil.h"

#include <QPainter>

#include <algorithm>

CComponentMatchPairs::CComponentMatchPairs(CEditCanvas *parent)
    : CComponentQuestion(ct_match_pairs, parent, kDefaultBounds)
{
}

void CComponentMatchPairs::SetValues(const Values &values)
{
    static_cast<Values &>(*this) = values;
    ShowInWindow();
}

void CComponentMatchPairs::SetQuestionText(const QString &text)
{
    m_questionText = text;
    ShowInWindow();
}

void CComponentMatchPairs::SetLeftTexts(const Slots &texts)
{
    m_leftTexts = texts;
    ShowInWindow();
}

void CComponentMatchPairs::SetRightTexts(const Slots &texts)
{
    m_rightTexts = texts;
    ShowInWindow();
}

void CComponentMatchPairs::SetLeftImages(const Slots &files)
{
    m_leftImages = files;
    ShowInWindow();
}

void CComponentMatchPairs::SetRightImages(const Slots &files)
{
    m_rightImages = files;
    ShowInWindow();
}

void CComponentMatchPairs::SetZoomImages(int zoom)
{
    m_zoom = zoom;
    ShowInWindow();
}

void CComponentMatchPairs::GetAnswerIndexList(QStringList &list)
{
    int present = 0;
    for (int i = 0; i < kPairs; ++i)
        if (!m_leftTexts[size_t(i)].isEmpty() || !m_leftImages[size_t(i)].isEmpty())
            ++present;
    m_answerIndexList.clear();
    for (int i = 0; i < present; ++i)
        m_answerIndexList.append(QString::number(i));
    list = m_answerIndexList;
}

void CComponentMatchPairs::RollOverSize(int width, int height, int &outWidth, int &outHeight)
{
    outWidth = outHeight = 0;
    if (width <= 0 || height <= 0)
        return;
    // The ratio in single precision, the product truncated; a sliver keeps at least one pixel.
    if (width > height) {
        outWidth = kRollOverSide;
        outHeight = std::max(1, int(float(kRollOverSide) * (float(height) / float(width))));
    } else {
        outWidth = std::max(1, int(float(kRollOverSide) * (float(width) / float(height))));
        outHeight = kRollOverSide;
    }
}

bool CComponentMatchPairs::WriteQuestionPictures(const QString &file, const QString &folder, const QString &name)
{
    CxImage picture;
    if (!PictureFiles::Load(picture, file, ImageFormatNone))
        return true;
    int width = 0, height = 0;
    RollOverSize(picture.GetWidth(), picture.GetHeight(), width, height);
    CxImage rollOver;
    CxImage thumbnail;
    bool ok = picture.Resample(width, height, InterpolationBilinear, EdgeRepeat, &rollOver);
    ok = ok && PictureFiles::Save(rollOver, CorvPath::Join(folder, name + QStringLiteral("large.png")), ImageFormatPng);
    ok = picture.Resample(kThumbnailSide, kThumbnailSide, InterpolationBilinear, EdgeRepeat, &thumbnail) && ok;
    ok = PictureFiles::Save(thumbnail, CorvPath::Join(folder, name + QStringLiteral(".png")), ImageFormatPng) && ok;
    return ok;
}

void CComponentMatchPairs::WriteSidePictures(const CArchive &ar, const Slots &files, QChar side)
{
    // Named after the screen's outline label ("p3l4"); a component on no screen (a copy saved for a
    // preview) has none.
    const QString label = GetOwnerPage() ? GetOwnerPage()->GetLabel() : QString();
    // Always beside the archive as a project keeps its media, single-screen archives too.
    const QString folder = PictureFiles::MediaFolder(ar.GetFilePath(), false, CMediaCopy::imagesQuestions);
    for (int i = 0; i < kPairs; ++i) {
        const QString &file = files[size_t(i)];
        if (file.isEmpty())
            continue;
        const QString name = PictureFiles::SafeName(label + side + QString::number(i)).toLower();
        if (!name.isEmpty() && !WriteQuestionPictures(file, folder, name))
            PictureFiles::ReportFailedCopy(ar, file,
                                           CorvPath::Join(folder, name + QStringLiteral(".png")));
    }
}

void CComponentMatchPairs::Draw(QPainter &painter) const
{
    // The question box, the zoom option and the five pairs of text boxes; the pictures are not drawn.
    painter.save();
    painter.setBrush(Qt::NoBrush);
    const QRect r = m_bounds.ToQRect();
    const int unit = std::max(1, r.height() / 14);
    const QRect question(r.left(), r.top(), r.width(), 3 * unit);
    painter.drawRect(question.adjusted(0, 0, -1, -1));
    painter.drawText(question.adjusted(4, 2, -4, -2), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, m_questionText);
    painter.drawText(QRect(r.left(), r.top() + 3 * unit, r.width(), unit), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Zoom images on roll over"));
    const int half = r.width() / 2;
    for (int i = 0; i < kPairs; ++i) {
        const int top = r.top() + (4 + 2 * i) * unit;
        const QRect left(r.left(), top, half - 4, unit + unit / 2);
        const QRect right(r.left() + half + 4, top, half - 4, unit + unit / 2);
        painter.drawRect(left.adjusted(0, 0, -1, -1));
        painter.drawRect(right.adjusted(0, 0, -1, -1));
        painter.drawText(left.adjusted(4, 0, -4, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         m_leftTexts[size_t(i)]);
        painter.drawText(right.adjusted(4, 0, -4, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         m_rightTexts[size_t(i)]);
    }
    painter.restore();
}

std::unique_ptr<CComponentBase> CComponentMatchPairs::Clone(bool keepPosition) const
{
    auto copy = CloneKind<CComponentMatchPairs>(keepPosition);
    CopyQuestionFields(*copy);
    return copy;
}

void CComponentMatchPairs::SerializeComponent(CArchive &ar)
{
    if (ar.IsStoring()) {
        Store(ar);
        return;
    }
    LoadBounds(ar);
    m_questionText = ar.ReadString();
    Slots texts;
    for (QString &text : texts)
        text = ar.ReadString();
    m_leftTexts = texts;
    Slots files;
    if (IsSchemaAbove(kPicturesGate)) {
        for (QString &file : files)
            file = ar.ReadString();
        SetLeftImages(files);
    }
    for (QString &text : texts)
        text = ar.ReadString();
    m_rightTexts = texts;
    if (IsSchemaAbove(kPicturesGate)) {
        for (QString &file : files)
            file = ar.ReadString();
        SetRightImages(files);
    }
    m_correctFeedback = ar.ReadString();
    m_wrongFeedback = ar.ReadString();
    if (IsSchemaAbove(kPicturesGate))
        m_zoom = ar.ReadInt();
    ExchangeData(false);
}

void CComponentMatchPairs::Store(CArchive &ar)
{
    ExchangeData(true);
    StoreHead(ar);
    ar.WriteString(m_questionText);
    for (const QString &text : m_leftTexts)
        ar.WriteString(text);
    WriteSidePictures(ar, m_leftImages, u'L');
    for (const QString &file : m_leftImages)
        ar.WriteString(file);
    for (const QString &text : m_rightTexts)
        ar.WriteString(text);
    WriteSidePictures(ar, m_rightImages, u'R');
    for (const QString &file : m_rightImages)
        ar.WriteString(file);
    ar.WriteString(m_correctFeedback);
    ar.WriteString(m_wrongFeedback);
    ar.WriteInt(m_zoom);
}
