#pragma once

#include "image/xFile.h"

#include <cstdint>
#include <limits>

// Bytes from the file's position to its end; the largest value when the file cannot tell. Decoders test
// a picture's least possible data against it before they allocate the picture, so that a few bytes
// cannot claim a huge one.
inline uint64_t BytesLeft(CxFile *file)
{
    const int64_t size = file->Size();
    const int64_t at = file->Tell();
    if (size < 0 || at < 0)
        return std::numeric_limits<uint64_t>::max();
    return size > at ? uint64_t(size - at) : 0;
}
