#pragma once

#include "model/ComponentBase.h"

// A video of a video-sharing site, kept as the embed code the site gives.
class CComponentYouTube : public CComponentBase
{
public:
    explicit CComponentYouTube(CEditCanvas *parent = nullptr);

    // Read and written directly by the dialog and the publisher.
    QString m_embedCode;

    std::unique_ptr<CComponentBase> Clone(bool keepPosition) const override;
    void SerializeComponent(CArchive &ar) override;

    static constexpr CRect kDefaultBounds{10, 10, 60, 60};
};
