#include "publish/CoursePublisher.h"

// The document's profile has no items to look up yet.
QString CCoursePublisher::GetProfileText(const QString &, const QString &) const { return {}; }
