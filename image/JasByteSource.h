#pragma once

#include <cstdint>
#include <vector>

class CxFile;

// Byte-wise reading of the text headers and raw sample blocks of PGX, PNM and Sun raster files, with
// one byte of look-ahead. Every block read is first checked against what the file still holds, so a
// header that promises more than the file has costs no allocation.
class JasByteSource
{
public:
    explicit JasByteSource(CxFile *file) : m_file(file) {}

    // Next byte, or -1 at the end.
    int Get();
    int Peek();
    // Skips white space, and with comments also '#' up to the end of the line; false at the end.
    bool SkipSpace(bool comments);
    // An unsigned decimal number of at most 9 digits after optional white space; the byte that ends it
    // stays unread.
    bool ReadNumber(uint32_t &value, bool comments);
    // Exactly n bytes.
    bool ReadBlock(std::vector<uint8_t> &out, uint64_t n);
    // Up to n bytes, as many as the file still holds.
    void ReadAvailable(std::vector<uint8_t> &out, uint64_t n);
    uint64_t Remaining();

private:
    CxFile *m_file;
    int m_peeked = -2; // -2: nothing looked ahead
};
