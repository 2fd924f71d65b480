#pragma once

#include "model/ComponentBase.h"

// What an embedded video keeps: copied whole by Clone, and what its window and dialogs exchange.
struct SYouTubeValues {
    // Read and written directly by the dialog and the publisher.
    QString m_embedCode;
};

// A video of a video-sharing site, kept as the embed code the site gives.
class CComponentYouTube : public CComponentBase, private SYouTubeValues
{
public:
    explicit CComponentYouTube(CEditCanvas *parent = nullptr);

    using Values = SYouTubeValues;
    using SYouTubeValues::m_embedCode;
    const Values &GetValues() const { return *this; }
    // Takes every value and shows them in the window.
    void SetValues(const Values &values);

    std::unique_ptr<CComponentBase> Clone(bool keepPosition) const override;
    void SerializeComponent(CArchive &ar) override;

    static constexpr CRect kDefaultBounds{10, 10, 60, 60};
};
