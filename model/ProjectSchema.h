#pragma once

#include <cstdint>

// Schema numbers of project and single-screen archives. They ran 1000001 to 1000008 and then 10000009
// onwards, so plain signed comparison is version order. Files are always written at the current number.
namespace ProjectSchema {
constexpr int32_t kCurrent = 10000047;
constexpr int32_t kFirst = 1000001;
} // namespace ProjectSchema
