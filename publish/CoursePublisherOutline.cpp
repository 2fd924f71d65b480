#include "publish/CoursePublisher.h"

// The outline page's text is not written yet: the page is empty.

QString CCoursePublisher::CourseOutlineText() { return {}; }
