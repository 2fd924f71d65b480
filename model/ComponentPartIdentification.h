#pragma once

#include "image/xImage.h"
#include "model/ComponentQuestion.h"
#include "model/PictureWriter.h"

#include <array>

// What a part-identification question keeps: copied whole by Clone, and what its window and dialogs exchange.
struct SPartIdentificationValues {
    static constexpr int kMaxTargets = 10;

    // How many targets the student must find, at most the target count.
    int m_targetsToMatch = 1;
    // "Reduce image size to fit the area".
    int m_reduceToFit = 0;
    // COLORREF of the target highlight (green).
    int m_highlightColor = 65280;
    int m_targetCount = 1;
    QString m_imageFile;
    QString m_questionText;
    std::array<CRect, kMaxTargets> m_targets{};
    // The factor the record was read with; written back unchanged while the picture cannot be loaded, so the
    // author's layout comes back with the picture.
    float m_storedScale = 1.0f;
};

// The question in which the student finds parts of a picture: up to ten target rectangles over the picture
// and how many of them must be found. The picture is laid out in a 750 x 300 area, at its natural size or,
// with "reduce to fit", reduced to fit; the targets are in that area's coordinates.
//
// On save the picture is written as shown into the media folder's "Images/Questions" (BMP as PNG) and the
// record keeps that file's full path, with the factor that restores the natural size from a reduced copy.
// A picture that cannot be loaded is written as it was read: the same path and the same factor.
class CComponentPartIdentification : public CComponentQuestion, public CPictureWriter, private SPartIdentificationValues
{
public:
    using SPartIdentificationValues::kMaxTargets;
    // The picture area.
    static constexpr int kAreaWidth = 750;
    static constexpr int kAreaHeight = 300;

    CComponentPartIdentification();
    explicit CComponentPartIdentification(CEditCanvas *parent);

    using Values = SPartIdentificationValues;
    using SPartIdentificationValues::m_targetsToMatch;
    using SPartIdentificationValues::m_reduceToFit;
    using SPartIdentificationValues::m_highlightColor;
    const Values &GetValues() const { return *this; }
    // Takes every value and shows them in the window.
    void SetValues(const Values &values);

    // Targets in use, 0 to 10 (clamped).
    void SetTargetCount(int count);
    int GetTargetCount() const { return m_targetCount; }
    void SetQuestionText(const QString &text);
    const QString &GetQuestionText() const { return m_questionText; }
    // Sets the picture file and loads it; a picture that cannot be loaded changes only the name.
    void SetImageFile(const QString &path);
    const QString &GetImageFile() const { return m_imageFile; }
    const CxImage &GetPicture() const { return m_picture; }
    // The picture's natural size (a reduced project copy counts at the size it stands for).
    int GetPictureWidth() const { return m_pictureWidth; }
    int GetPictureHeight() const { return m_pictureHeight; }
    // Target i (0 to 9) in the picture area's coordinates; other indices are ignored (an empty rectangle).
    void SetTargetRect(int left, int top, int right, int bottom, int index);
    CRect GetTargetRect(int index) const;
    // Target i relative to the top-left corner of the picture as the area shows it (publishing).
    CRect GetTargetRectOnImage(int index) const;
    // The picture as shown: reduced with reduce to fit, else the natural size.
    int GetImageWidth() const;
    int GetImageHeight() const;
    // Where the picture is drawn in the picture area.
    CRect GetImageRect() const;

    // The picture area's layout of a width x height picture: natural size, centred along the top when it
    // fits; from the top-left corner when it does not; with scaling allowed, a picture that reaches the
    // area's width or height is reduced to fit and centred along the top.
    static CRect LayoutPicture(int width, int height, bool scalingAllowed);

    void Draw(QPainter &painter) const override;
    std::unique_ptr<CComponentBase> Clone(bool keepPosition) const override;
    void SerializeComponent(CArchive &ar) override;
    void StoreRecord(CArchive &ar, CPictureSaveSession &session) override;

    // The scale, ten targets, counts and reduce to fit; the highlight colour: added after these.
    static constexpr int kTargetsGate = ProjectSchema::kPartIdentificationTargets;
    static constexpr int kHighlightGate = ProjectSchema::kPartIdentificationHighlight;
    static constexpr CRect kDefaultBounds{10, 10, 310, 210};
    static constexpr CRect kPlacedBounds{10, 10, 1014, 500};

private:
    // The picture as shown, written into the question-picture folder; the scale that restores its size.
    void WritePicture(const CArchive &ar, CPictureSaveSession &session, float &scale);
    void LoadPictureFile(const QString &path, float scale);
    void UpdateWindow();

    CxImage m_picture;
    int m_pictureWidth = 0;
    int m_pictureHeight = 0;
};
