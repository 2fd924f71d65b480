#pragma once

#include <cstdint>

// Schema numbers of project and single-screen archives. They ran 1000001 to 1000008 and then 10000009
// onwards, so plain signed comparison is version order. Files are always written at the current number.
namespace ProjectSchema {
constexpr int32_t kCurrent = 10000047;
constexpr int32_t kFirst = 1000001;
// From this schema on, text boxes and table cells keep their rich text in the archive; older files kept it
// in files of their own in the Rtfs folder.
constexpr int32_t kRtfInArchive = 1000004;
} // namespace ProjectSchema
