#include "publish/CoursePublisher.h"

// The start pages, content pages and course style sheet are not written yet: the steps that report a
// result fail, so that no publish reports success without them.

bool CCoursePublisher::CreateIndexWebPage() { return false; }

void CCoursePublisher::ProcessSourceFiles() {}

bool CCoursePublisher::CreateKvxCss() { return false; }
