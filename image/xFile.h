#pragma once

// The byte source or sink that every decoder reads from and every encoder writes to.

#include <cstddef>
#include <cstdint>

class CxFile
{
public:
    virtual ~CxFile() = default;

    virtual bool Close() = 0;
    // Whole elements copied.
    virtual size_t Read(void *buffer, size_t size, size_t count) = 0;
    virtual size_t Write(const void *buffer, size_t size, size_t count) = 0;
    // origin: SEEK_SET (0), SEEK_CUR (1) or SEEK_END (2).
    virtual bool Seek(int64_t offset, int origin) = 0;
    virtual int64_t Tell() = 0;
    virtual int64_t Size() = 0;
    virtual bool Flush() = 0;
    virtual bool Eof() = 0;
    virtual int32_t Error() = 0;
    virtual bool PutC(uint8_t c)
    {
        return Write(&c, 1, 1) == 1;
    }
    // Next byte, or -1 at the end.
    virtual int32_t GetC() = 0;
    virtual char *GetS(char *buffer, int32_t n) = 0;
    virtual int32_t Scanf(const char *format, void *output) = 0;
};
