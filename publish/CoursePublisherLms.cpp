#include "publish/CoursePublisher.h"

// The package manifest and metadata are not written yet: the steps fail, so that no publish reports
// success without them. Nothing is stripped yet.

bool CCoursePublisher::CreateManifestXML() { return false; }

bool CCoursePublisher::CreateMetadataManifestXML() { return false; }

bool CCoursePublisher::StripAutoOpenFiles() { return true; }
