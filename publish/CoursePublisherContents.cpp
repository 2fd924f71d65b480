#include "publish/CoursePublisher.h"

#include "publish/ScreenScriptWriter.h"

// A screen file that cannot be written does not stop the others; the step fails at the end, so that a
// course missing a screen is never reported as published.
bool CCoursePublisher::BuildContents()
{
    CScreenScriptWriter writer(*this);
    if (writer.WriteScreenFiles())
        return true;
    if (!writer.GetFileErrorText().isEmpty())
        m_lastErrorText = writer.GetFileErrorText();
    return false;
}
