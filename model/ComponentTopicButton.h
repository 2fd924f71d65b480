#pragma once

#include "image/xImage.h"
#include "model/ComponentBase.h"
#include "model/GraphicsLibrarySearch.h"
#include "model/MediaCopy.h"
#include "model/PictureWriter.h"

#include <QImage>
#include <QSize>

class CCorvContext;

// Where a topic button finds a picture for its title: the program's context (the graphics library's root),
// the graphics library (null when none is loaded) and the kinds of picture the course allows.
struct CTopicPictureSource {
    const CCorvContext &context;
    CGraphicsLibrarySearch *library = nullptr;
    CLibraryPictureKinds kinds;
};

// What a topic button keeps: copied whole by Clone, and what its window and dialogs exchange.
struct STopicButtonValues {
    int m_photoMask = 0;
    int m_fitted = 0;
    QString m_title;
    int m_thumbnailIndex = -1;
    QString m_picturePath;
    QString m_renderedPath;
    int m_showPicture = 1;
};

// A button of a menu screen that leads to a topic: its title with the thumbnail of the topic's screen or a
// picture of its own, by default one from the graphics library that matches the title. The large and the
// small button share everything but their look and where their pictures go.
//
// On save each button renders its picture at the size it shows it and stores the rendered file's name
// ("mm%d.png" or "m%d.png", numbered across the whole save); after the project is opened again the
// rendered file is the button's picture.
class CComponentTopicButton : public CComponentBase, public CPictureWriter, protected STopicButtonValues
{
public:
    using Values = STopicButtonValues;
    const Values &GetValues() const { return *this; }
    // Takes every value and shows them in the window.
    void SetValues(const Values &values);

    const QString &GetTitle() const { return m_title; }
    void SetTitle(const QString &title);
    int GetThumbnailIndex() const { return m_thumbnailIndex; }
    // Stores the index; -1 (the button's own picture) with a title takes a library picture for it.
    void SetThumbnailIndex(int index, const CTopicPictureSource &source);
    const QString &GetPicturePath() const { return m_picturePath; }
    const QString &GetRenderedPath() const { return m_renderedPath; }
    int HasPhotoMask() const { return m_photoMask; }
    int IsFitted() const { return m_fitted; }
    // The menu layout places buttons with the flag it chose; a large button's next picture sets it again.
    void SetFitted(int fitted) { m_fitted = fitted ? 1 : 0; }
    const CxImage &GetPicture() const { return m_picture; }
    QImage GetDisplayImage() const;

    // 0: the button shows no picture (a course whose main menu has none).
    void SetShowPicture(int show);
    int GetShowPicture() const { return m_showPicture; }

    // Sets and loads the button's own picture (a library photo object gets its mask).
    virtual void SetPicture(const QString &path, const CCorvContext &context) = 0;
    // Title, then the picture: the given one, or without one a library picture matching the title. A
    // button that shows a screen's thumbnail takes no picture.
    void SetTitleAndPicture(const QString &title, const QString &picture, const CTopicPictureSource &source);

    // The size the button shows its own picture at, and renders it at when saved; empty without a picture.
    virtual QSize GetDisplaySize() const = 0;

    // Asks the library for a picture matching the text, searching exactly one kind of picture chosen from
    // the course's kinds (photo objects, colour photographs, black-and-white photographs, clip art, by
    // default photo objects) and choosing at random. fileName is empty when none is found. The library's
    // answer (1, 0, or -1 when it is not loaded).
    static int FindLibraryPictureForText(const QString &text, QString &fileName, const CTopicPictureSource &source);

    void ExchangeData(bool save) override;
    std::unique_ptr<CComponentBase> Clone(bool keepPosition) const override;
    void SerializeComponent(CArchive &ar) override;
    void StoreRecord(CArchive &ar, CPictureSaveSession &session) override;

    // The fitted flag was added after this schema.
    static constexpr int kFittedGate = ProjectSchema::kTopicButtonFitted;

protected:
    CComponentTopicButton(int type, CEditCanvas *parent);

    // Where the rendered pictures go and how they are named.
    struct Rendering {
        CMediaCopy::SubFolder folder;
        const char *nameFormat;  // "mm%1.png"
        bool png8Copy;           // a second copy in the folder's "png8"
    };
    virtual Rendering GetRendering() const = 0;
    virtual std::unique_ptr<CComponentTopicButton> MakeCopy() const = 0;

    // The first steps of SetPicture: the path and the photo-mask flag taken, the file loaded into picture
    // with its mask. False (picture unchanged) when it does not load; format receives the file's format id.
    bool LoadOwnPicture(const QString &path, const CCorvContext &context, CxImage &picture, int &format);
    void SetPictureFromLibrary(const CTopicPictureSource &source);
    void UpdateWindow();

    CxImage m_picture;

private:
    void WriteOwnPicture(const CArchive &ar, CPictureSaveSession &session);
    void Render(const CArchive &ar, CPictureSaveSession &session, QString &renderedName);
};
