#pragma once

#include "model/ComponentVideo.h"

// A Flash movie that acts as a question. It keeps the Flash settings of a video, copies its file into the
// project's "Questions" folder and fills its own template.
class CComponentFlashQuestion : public CComponentVideo
{
public:
    explicit CComponentFlashQuestion(CEditCanvas *parent = nullptr);

    CResult<QString> BuildPublishHtml(const CCorvContext &context) const override;

    std::unique_ptr<CComponentBase> Clone(bool keepPosition) const override;
    void SerializeComponent(CArchive &ar) override;
};
