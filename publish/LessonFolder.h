#pragma once

#include <QString>

class CPublishContext;

// The lesson-folder mode of the LMS target: the content of the web course just published, copied into the
// lesson folder beside the output folder, named by the course's lesson folder name.
class CLessonFolder
{
public:
    explicit CLessonFolder(CPublishContext &context) : m_context(context) {}

    // Tells the author the outcome.
    void Publish(const QString &webFolder);

private:
    CPublishContext &m_context;
};
