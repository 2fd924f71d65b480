#pragma once

#include "image/xImage.h"
#include "model/ComponentBase.h"
#include "model/PictureWriter.h"
#include "model/URLLink.h"

#include <QImage>

#include <array>

class CCorvContext;
class CRandomSource;

// Which pan-and-zoom effects the course lets the importer choose for its pictures (the image settings
// "Zoom in", "Zoom out", "Pan" and "Fade in"); flags are 0 or 1.
struct CImageEffectFlags {
    int zoomIn = 0;
    int zoomOut = 0;
    int pan = 0;
    int fadeIn = 0;
};

// What a picture keeps: copied whole by Clone, and what its window and dialogs exchange.
struct SImageValues {
    static constexpr int kMaxMarkers = 12;

    int m_acceleration = 0;
    int m_panningMode = 2;
    float m_timeToComplete = 6.0f;
    float m_waitBeforeStart = 1.0f;
    // Markers in use, 0 to 12.
    int m_markerCount = 1;
    float m_waitAtEachMarker = 0.0f;
    int m_clickStart = 0;
    std::array<CRect, kMaxMarkers> m_markers;
    // Width of the window over the width of the picture as the pan-and-zoom editor showed it when it laid
    // out the marquee and markers; 1.0 in the component's own coordinates.
    float m_scale = 1.0f;
    float m_timeToEachMarker = 2.0f;
    // 1 when ChooseRandomEffect laid out the marquee and markers in the component's own coordinates.
    int m_ownCoordinates = 0;
    int m_photoObject = 0;
    // Also set when a metafile is first decoded.
    mutable int m_metafile = 0;
    QString m_picturePath;
    QString m_altText;
    QString m_reservedText;
    QString m_keywords;
    int m_jpegBorder = 0;
    int m_borderStyle = 0;
    int m_effect = 0;
    QString m_titleText;
    CRect m_marquee;
    int m_linked = 0;
    CURLLink m_link;
    // The mask of a photo object, found when the picture was set.
    QString m_maskPath;
    // The picture file is a project copy that carries its mask and frame already.
    int m_prepared = 0;
    int m_standardResolution = 0;
};

// A picture on a screen: the picture file, an alternative text, keywords, an optional frame for JPEG
// pictures, an optional hyperlink and a pan-and-zoom animation along up to twelve markers. Pictures from
// the graphics library's photo-object folder get their transparency mask.
//
// On save the picture is written into the media folder's "Images" with mask and frame, and once more at the
// component's size into "Images/Resized"; from then on the component names that copy. A copy that already
// carries its mask and frame never gets them a second time.
class CComponentImage : public CComponentBase, public CPictureWriter, private SImageValues
{
public:
    enum Effect { effectNone, effectZoomIn, effectZoomOut, effectPan, effectShrink, effectGrow, effectFadeIn,
                  effectFadeOut };

    // Class-factory defaults.
    CComponentImage();
    // The defaults of a picture placed by the author, the loaders and the importers.
    explicit CComponentImage(CEditCanvas *parent);

    using Values = SImageValues;
    using SImageValues::m_acceleration;
    using SImageValues::m_panningMode;
    using SImageValues::m_timeToComplete;
    using SImageValues::m_waitBeforeStart;
    using SImageValues::m_markerCount;
    using SImageValues::m_waitAtEachMarker;
    using SImageValues::m_clickStart;
    using SImageValues::m_markers;
    using SImageValues::m_scale;
    using SImageValues::m_timeToEachMarker;
    using SImageValues::m_ownCoordinates;
    const Values &GetValues() const { return *this; }
    // Takes every value and shows them in the window.
    void SetValues(const Values &values);

    const QString &GetImageFile() const { return m_picturePath; }
    // Sets the picture and loads it with its mask and frame (context: the graphics library's root). A
    // picture that cannot be loaded leaves the component without one.
    void SetImageFile(const QString &path, const CCorvContext &context);

    const QString &GetAltText() const { return m_altText; }
    void SetAltText(const QString &text);
    const QString &GetReservedText() const { return m_reservedText; }
    const QString &GetKeywords() const { return m_keywords; }
    void SetKeywords(const QString &keywords) { m_keywords = keywords; }
    int GetJpegBorder() const { return m_jpegBorder; }
    void SetJpegBorder(int border);
    // 0 black frame, 1 bevelled.
    int GetBorderStyle() const { return m_borderStyle; }
    void SetBevelled(int bevelled);

    int IsPhotoObject() const { return m_photoObject; }
    int IsMetafile() const { return m_metafile; }
    // The picture's size; the picture is decoded for it when it has not been yet.
    int GetNaturalWidth() const { EnsurePicture(); return m_naturalWidth; }
    int GetNaturalHeight() const { EnsurePicture(); return m_naturalHeight; }

    // The hyperlink: text "", number -1 and position -1 with the given values.
    void SetLink(int screenLink, int targetScreen, const QString &address, int popup, int script, int fullSize,
                 int popupHeight, int popupWidth);
    void RemoveLink() { m_linked = 0; }
    int IsLinked() const { return m_linked; }
    const CURLLink &GetLink() const { return m_link; }

    // Pan and zoom. 0 means no animation; the other fields stay as they are.
    void SetAnimationEffect(int effect);
    int GetAnimationEffect() const { return m_effect; }
    void SetTitleText(const QString &text) { m_titleText = text; }
    const QString &GetTitleText() const { return m_titleText; }
    void SetStartRect(const CRect &rect) { m_marquee = rect; }
    const CRect &GetStartRect() const { return m_marquee; }

    // Interpolation of metafile pictures shown on the canvas: 1 as published at standard resolution.
    void SetPublishImagesAtStandardResolution(int on) { m_standardResolution = on ? 1 : 0; }

    // Loads the picture file into the image with the mask and the frame it needs (none for a file that
    // carries them already). False, and nothing changed, when the file does not load.
    bool LoadPicture(CxImage &target);
    // Builds the image the view shows from the picture file; null when there is no picture.
    const QImage &BuildDisplayBitmap();
    const QImage &GetDisplayImage() const { return m_display; }
    // The picture with its mask and frame, decoded on first need: a project opens without decoding any.
    const CxImage &GetPicture() const { EnsurePicture(); return m_picture; }
    // Loads the picture (with mask and frame) and saves it at path in the format; the result of the save.
    int SavePicture(const QString &path, int format);

    // A random animation for an imported picture among the effects the course allows: "Grow" for a photo
    // object, else zoom in, zoom out, pan or fade in, laid out in the component's own coordinates. Nothing
    // changes when the course allows none.
    void ChooseRandomEffect(CRandomSource &random, const CImageEffectFlags &allowed);

    void Show() override;
    void Hide() override;
    void Draw(QPainter &painter) const override;
    std::unique_ptr<CComponentBase> Clone(bool keepPosition) const override;
    void SerializeComponent(CArchive &ar) override;
    void StoreRecord(CArchive &ar, CPictureSaveSession &session) override;
    // After the record is read from a project: takes the resized copy in the project folder for the one a
    // save with this interpolation would write, when it is there and not older than the picture it is made
    // from, so that saving the project again does not make it anew.
    void AdoptResizedCopy(const CArchive &ar, int publishImagesAtStandardResolution);

    using SImageValues::kMaxMarkers;
    // Link id; popup, full size and popup size; the animation; the metafile flag were added after these.
    static constexpr int kLinkIdGate = ProjectSchema::kImageLinkId;
    static constexpr int kLinkPopupGate = ProjectSchema::kImageLinkPopup;
    static constexpr int kAnimationGate = ProjectSchema::kImageAnimation;
    static constexpr int kMetafileGate = ProjectSchema::kImageMetafile;
    // The box the canvas shows metafiles in.
    static constexpr int kDisplayWidth = 500;
    static constexpr int kDisplayHeight = 333;

private:
    // What the picture object was loaded from and how; it is loaded again only when one of these changes.
    struct PictureKey {
        QString path;
        int prepared = 0;
        int border = 0;
        int style = 0;
        int photoObject = 0;
        friend bool operator==(const PictureKey &, const PictureKey &) = default;
    };
    PictureKey CurrentKey() const;
    // The picture object as the file and the settings give it; false when there is none.
    bool EnsurePicture() const;
    // Drops the decoded picture and its display copy; they are made again when next needed.
    void ReleasePicture();
    bool LoadInto(CxImage &target) const;
    // What a resized copy was made from and how: a copy made the same way that is still in its place is
    // not made again.
    struct ResizedCopy {
        QString source;
        qint64 sourceSize = -1;
        qint64 sourceModified = 0;
        QString target;
        int format = 0;
        friend bool operator==(const ResizedCopy &, const ResizedCopy &) = default;
    };
    ResizedCopy DescribeResizedCopy(const QString &target, int format, const QString &how) const;
    // The project copies: "Images/<name>" and "Images/Resized/<name>"; storedName receives the name.
    void WriteProjectCopies(const CArchive &ar, CPictureSaveSession &session, QString &storedName);
    // Writes the copy in "Images"; false (reported) when it could not be written.
    bool WriteImagesCopy(const CArchive &ar, const QString &target, int format, bool inPlace);
    void StoreFields(CArchive &ar, const QString &storedName) const;
    void LoadFields(CArchive &ar);
    void LoadProjectCopy();
    void UpdateWindow();

    // Decoded on first need (EnsurePicture).
    mutable CxImage m_picture;
    mutable int m_naturalWidth = 0;
    mutable int m_naturalHeight = 0;
    QImage m_display;

    // What the picture object holds (empty key: nothing loaded yet).
    mutable PictureKey m_loadedKey;
    mutable bool m_loaded = false;
    // The resized copy the last save wrote, or the one an opened project holds; empty target: none known.
    ResizedCopy m_resizedCopy;
};
