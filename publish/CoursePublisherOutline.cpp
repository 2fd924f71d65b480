#include "publish/CoursePublisher.h"

#include "document/CorvessaDoc.h"
#include "publish/OutlineWriter.h"

QString CCoursePublisher::CourseOutlineText()
{
    // A menu-based course whose last topic is its assessment lists that topic as one link to the menu.
    const int lastTopic = m_document.Settings().LastAssessmentTopic == 1 && m_document.Settings().MenuBasedCourse == 1 ? 1 : 0;
    COutlineWriter writer(m_courseTree, m_projectPrefix, m_document.Settings().GetCharset(), lastTopic, m_document, m_profile);
    QString page;
    writer.Write(page);
    return page;
}
