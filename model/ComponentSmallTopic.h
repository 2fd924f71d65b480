#pragma once

#include "model/ComponentTopicButton.h"

// The small topic button: one line with a small picture before the title. Its pictures are rendered into
// "Images/M" as "m%d.png", with a second copy in "Images/M/png8".
class CComponentSmallTopic : public CComponentTopicButton
{
public:
    explicit CComponentSmallTopic(CEditCanvas *parent = nullptr);

    // A picture that cannot be loaded leaves the button's picture as it was.
    void SetPicture(const QString &path, const CCorvContext &context) override;
    // The own picture with its longer side 38 pixels; a screen's thumbnail is 38 x 38.
    QSize GetDisplaySize() const override;
    void Draw(QPainter &painter) const override;

    static constexpr int kPictureSide = 38;

protected:
    Rendering GetRendering() const override;
    std::unique_ptr<CComponentTopicButton> MakeCopy() const override;
};
