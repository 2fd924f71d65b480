#include "publish/CoursePublisher.h"

// The options script is not written yet: the step fails, so that no publish reports success without it.

bool CCoursePublisher::CreatePrefsJS(int) { return false; }
