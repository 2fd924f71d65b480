#pragma once

#include "model/ComponentQuestion.h"

#include <QStringList>

#include <array>

// What a match-the-pairs question keeps: copied whole by Clone, and what its window and dialogs exchange.
struct SMatchPairsValues {
    using Slots = std::array<QString, 5>;

    QString m_questionText;
    Slots m_leftTexts;
    Slots m_leftImages;
    Slots m_rightTexts;
    Slots m_rightImages;
    int m_zoom = 0;
};

// The question in which the student matches up to five items on the left with their partners on the right.
// Each side of a pair may be a text, a picture or both; the pictures stay where the author keeps them (the
// record holds their full paths). On save each picture is written twice into the media folder's
// "Images/Questions", as the published question shows it: a roll-over picture with its longer side 186
// pixels ("<label>l<i>large.png") and a 40 x 40 thumbnail ("<label>l<i>.png"), named after the screen's
// outline label.
class CComponentMatchPairs : public CComponentQuestion, private SMatchPairsValues
{
public:
    using Slots = SMatchPairsValues::Slots;
    static constexpr int kPairs = 5;

    explicit CComponentMatchPairs(CEditCanvas *parent = nullptr);

    using Values = SMatchPairsValues;
    const Values &GetValues() const { return *this; }
    // Takes every value and shows them in the window.
    void SetValues(const Values &values);

    void SetQuestionText(const QString &text);
    const QString &GetQuestionText() const { return m_questionText; }
    void SetLeftTexts(const Slots &texts);
    void SetRightTexts(const Slots &texts);
    const Slots &GetLeftTexts() const { return m_leftTexts; }
    const Slots &GetRightTexts() const { return m_rightTexts; }
    // Full paths of the pictures, empty for none. The pictures are read when they are written (and by the
    // window, for its thumbnails); the component keeps no decoded copy.
    void SetLeftImages(const Slots &files);
    void SetRightImages(const Slots &files);
    const Slots &GetLeftImages() const { return m_leftImages; }
    const Slots &GetRightImages() const { return m_rightImages; }
    // "Zoom images on roll over".
    void SetZoomImages(int zoom);
    int GetZoomImages() const { return m_zoom; }

    // "0", "1", ... for each pair present (a left text or a left picture), wherever it stands.
    void GetAnswerIndexList(QStringList &list);

    void Draw(QPainter &painter) const override;
    std::unique_ptr<CComponentBase> Clone(bool keepPosition) const override;
    void SerializeComponent(CArchive &ar) override;

    // The picture files and the zoom flag were added after this schema.
    static constexpr int kPicturesGate = ProjectSchema::kMatchPairsPictures;
    // The roll-over picture's longer side and the thumbnail's size.
    static constexpr int kRollOverSide = 186;
    static constexpr int kThumbnailSide = 40;
    static constexpr CRect kDefaultBounds{10, 10, 1014, 500};

    // The roll-over size of a width x height picture: its longer side 186, the other in proportion.
    static void RollOverSize(int width, int height, int &outWidth, int &outHeight);
    // Writes the slot's two pictures under name ("p3l4") into the folder; nothing when the file does not
    // load. False when a picture could not be written.
    static bool WriteQuestionPictures(const QString &file, const QString &folder, const QString &name);

private:
    void Store(CArchive &ar);
    void WriteSidePictures(const CArchive &ar, const Slots &files, QChar side);

    QStringList m_answerIndexList;
};
