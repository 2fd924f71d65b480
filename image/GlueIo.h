#pragma once

#include "image/glue_io.h"

class CxFile;

// The glue's stream over a CxFile: every callback goes to the file's own operation.
CorvGlueIo GlueIoFor(CxFile *file);
