#pragma once

#include "model/ComponentTopicButton.h"

// The large topic button: a card with the picture above the title. Its pictures are rendered into
// "Images/MM" as "mm%d.png".
class CComponentLargeTopic : public CComponentTopicButton
{
public:
    explicit CComponentLargeTopic(CEditCanvas *parent = nullptr);

    // A picture that cannot be loaded leaves the button without one. Metafiles are held at 200 x 145.
    void SetPicture(const QString &path, const CCorvContext &context) override;
    // The own picture fitted into the 200 x 145 picture area (never enlarged); a screen's thumbnail fills it.
    QSize GetDisplaySize() const override;
    void Draw(QPainter &painter) const override;

    static constexpr int kPictureWidth = 200;
    static constexpr int kPictureHeight = 145;

protected:
    Rendering GetRendering() const override;
    std::unique_ptr<CComponentTopicButton> MakeCopy() const override;
};
