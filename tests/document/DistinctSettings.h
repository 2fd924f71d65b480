#pragma once

#include "document/CourseSettings.h"

// Every course setting set to a value unlike its built-in default, so a field a store leaves out or
// misplaces comes back different. Numbers (flags too, with uniqueFlags) are unique to their setting;
// otherwise flags are the opposite of their default, as stores that keep flags as "TRUE" and "FALSE" need.
void MakeDistinctive(CCourseSettings &s, int64_t now, const QString &programFolder, bool uniqueFlags);
