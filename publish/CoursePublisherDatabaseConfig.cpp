#include "publish/CoursePublisher.h"

// The server configuration files are not written yet: the steps fail, so that no publish reports success
// without them.

bool CCoursePublisher::CreateConfigAsp() { return false; }

bool CCoursePublisher::CreateKqConfigFile() { return false; }
