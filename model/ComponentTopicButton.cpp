#include "model/ComponentTopicButton.h"

#include "model/ComponentWindow.h"
#include "model/GlobalHelpers.h"
#include "model/PictureFiles.h"
#include "model/PictureSaveSession.h"
#include "platform/Archive.h"
#include "platform/CorvContext.h"
#include "platform/PathUtil.h"

CComponentTopicButton::CComponentTopicButton(int type, CEditCanvas *parent) : CComponentBase(type, parent) {}

void CComponentTopicButton::SetValues(const Values &values)
{
    static_cast<Values &>(*this) = values;
    UpdateWindow();
}

void CComponentTopicButton::UpdateWindow()
{
    if (!m_window)
        return;
    m_window->UpdateFromComponent();
    m_window->Invalidate();
}

void CComponentTopicButton::SetTitle(const QString &title)
{
    m_title = title;
    UpdateWindow();
}

void CComponentTopicButton::SetShowPicture(int show)
{
    m_showPicture = show;
    UpdateWindow();
}

QImage CComponentTopicButton::GetDisplayImage() const
{
    return PictureFiles::ToDisplayImage(m_picture);
}

bool CComponentTopicButton::LoadOwnPicture(const QString &path, const CCorvContext &context, CxImage &picture,
                                           int &format)
{
    m_photoMask = IsLibraryPhotoObject(context, path) ? 1 : 0;
    m_picturePath = path;
    format = GetImageFormatFromExt(path);
    if (!PictureFiles::Load(picture, path, format))
        return false;
    if (m_photoMask)
        PictureFiles::ApplyPhotoMask(picture, PictureFiles::PhotoMaskPath(context.graphicsLibraryRoot, path));
    return true;
}

int CComponentTopicButton::FindLibraryPictureForText(const QString &text, QString &fileName,
                                                     const CTopicPictureSource &source)
{
    fileName.clear();
    if (!source.library)
        return -1;
    // Exactly one kind of picture, the first the course allows in this order; photo objects by default.
    enum Kind { photoObjects, colourPhotos, bwPhotos, clipArt };
    const CLibraryPictureKinds &k = source.kinds;
    const Kind kind = k.usePhotoObjects == 1 ? photoObjects
                      : k.useColorPhotos == 1 ? colourPhotos
                      : k.useBWPhotos == 1    ? bwPhotos
                      : k.useClipArt == 1     ? clipArt
                                              : photoObjects;
    CGraphicsLibrarySearch &library = *source.library;
    library.SetUsePhotoObjects(kind == photoObjects);
    library.SetUseColourPhotos(kind == colourPhotos);
    library.SetUseBwPhotos(kind == bwPhotos);
    library.SetUseClipArt(kind == clipArt);
    library.SetRandomChoice(1);
    QString workText;
    const int found = library.FindImageForText(text, fileName, workText);
    if (found != 1)
        fileName.clear();
    return found;
}

void CComponentTopicButton::SetPictureFromLibrary(const CTopicPictureSource &source)
{
    QString name;
    FindLibraryPictureForText(m_title, name, source);
    QString path;
    if (!name.isEmpty() && FindLibraryImage(source.context, name, path))
        SetPicture(path, source.context);
}

void CComponentTopicButton::SetTitleAndPicture(const QString &title, const QString &picture,
                                               const CTopicPictureSource &source)
{
    SetTitle(title);
    if (m_thumbnailIndex != -1)
        return;
    if (picture.isEmpty())
        SetPictureFromLibrary(source);
    else
        SetPicture(picture, source.context);
}

void CComponentTopicButton::SetThumbnailIndex(int index, const CTopicPictureSource &source)
{
    m_thumbnailIndex = index;
    UpdateWindow();
    if (index == -1 && !m_title.isEmpty())
        SetPictureFromLibrary(source);
}

void CComponentTopicButton::ExchangeData(bool save)
{
    if (save || !m_window)
        return;
    m_window->UpdateFromComponent();
    m_window->MoveWindow(m_bounds);
    m_window->Invalidate();
}

std::unique_ptr<CComponentBase> CComponentTopicButton::Clone(bool keepPosition) const
{
    std::unique_ptr<CComponentTopicButton> copy = MakeCopy();
    copy->SetValues(GetValues());
    // The picture already loaded goes along: the copy shows the same one.
    copy->m_picture.CopyFrom(m_picture);
    copy->SetBounds(ClonedBounds(keepPosition), true);
    copy->UpdateWindow();
    return copy;
}

void CComponentTopicButton::SerializeComponent(CArchive &ar)
{
    if (ar.IsStoring()) {
        StoreOnItsOwn(ar);
        return;
    }
    LoadBounds(ar);
    m_title = ar.ReadString();
    m_thumbnailIndex = ar.ReadInt();
    const QString renderedName = ar.ReadString();
    m_picturePath =
        CMediaCopy::PathFromStoredName(ar, IsStandAlone(), GetRendering().folder, renderedName);
    m_renderedPath = m_picturePath;
    m_photoMask = ar.ReadInt();
    if (IsSchemaAbove(kFittedGate))
        m_fitted = ar.ReadInt();
    // The rendered file has its mask and size already.
    m_picture.Destroy();
    if (m_thumbnailIndex == -1 && !m_picturePath.isEmpty())
        PictureFiles::Load(m_picture, m_picturePath, GetImageFormatFromExt(m_picturePath));
    ExchangeData(false);
}

void CComponentTopicButton::StoreRecord(CArchive &ar, CPictureSaveSession &session)
{
    StoreHead(ar);
    if (m_thumbnailIndex == -1)
        WriteOwnPicture(ar, session);
    QString renderedName;
    Render(ar, session, renderedName);
    ar.WriteString(m_title);
    ar.WriteInt(m_thumbnailIndex);
    ar.WriteString(renderedName);
    ar.WriteInt(m_photoMask);
    ar.WriteInt(m_fitted);
}

void CComponentTopicButton::WriteOwnPicture(const CArchive &ar, CPictureSaveSession &session)
{
    QString stem;
    GetFileNameFromPath(m_picturePath, stem, false);
    const QString name = PictureFiles::SafeName(stem + QStringLiteral(".png")).toLower();
    if (!m_picture.IsValid() || stem.isEmpty() || name.isEmpty())
        return;
    const QString folder = PictureFiles::MediaFolder(ar.GetFilePath(), IsStandAlone(), CMediaCopy::images);
    const QString source = QStringLiteral("%1\n%2 %3 %4x%5")
                               .arg(m_picturePath)
                               .arg(m_photoMask)
                               .arg(m_fitted)
                               .arg(m_picture.GetWidth())
                               .arg(m_picture.GetHeight());
    const QString target = CorvPath::Join(folder, session.ClaimName(folder, name, source));
    // A picture that cannot be written keeps its own file.
    if (PictureFiles::Save(m_picture, target, ImageFormatPng)) {
        // A save that fails later removes the copy: the button goes back to the file it named before.
        ar.NoteUndo([this, path = m_picturePath] { m_picturePath = path; });
        m_picturePath = target;
    }
}

void CComponentTopicButton::Render(const CArchive &ar, CPictureSaveSession &session, QString &renderedName)
{
    // Every button uses up a number, whether it has a picture to render or not.
    const Rendering rendering = GetRendering();
    renderedName = QString::fromLatin1(rendering.nameFormat).arg(session.TakeTopicButtonNumber());
    const QString folder = PictureFiles::MediaFolder(ar.GetFilePath(), IsStandAlone(), rendering.folder);
    ar.NoteUndo([this, path = m_renderedPath] { m_renderedPath = path; });
    m_renderedPath = CorvPath::Join(folder, renderedName);
    if (!m_picture.IsValid())
        return;
    CxImage rendered(m_picture, true, true, true);
    const QSize size = GetDisplaySize();
    if (!m_fitted && !size.isEmpty())
        rendered.Resample(size.width(), size.height(), InterpolationLanczos, EdgeRepeat);
    QStringList targets = {m_renderedPath};
    if (rendering.png8Copy)
        targets.append(CorvPath::Join(CorvPath::ResolveNoCase(CorvPath::Join(folder, QStringLiteral("png8"))),
                                      renderedName));
    // Once the project is opened again the rendered file is the button's picture: the author must know
    // when it could not be written.
    for (const QString &target : targets)
        if (!PictureFiles::Save(rendered, target, ImageFormatPng))
            PictureFiles::ReportFailedCopy(ar, m_picturePath, target);
}
