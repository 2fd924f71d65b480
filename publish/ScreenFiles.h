#pragma once

class CPublishContext;

// The script files of the screens (content/<prefix>_<publish id>.js), one for every screen a learner can
// land on.
class CScreenFiles
{
public:
    explicit CScreenFiles(CPublishContext &context) : m_context(context) {}

    // A screen file that cannot be written does not stop the others; the step fails at the end, so that a
    // course missing a screen is never reported as published.
    bool Write();

private:
    CPublishContext &m_context;
};
