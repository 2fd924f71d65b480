#pragma once

#include "image/xFile.h"

#include <cstdio>
#include <filesystem>

// A CxFile over a standard I/O stream. A stream handed in stays the caller's; a stream opened here is
// closed here.
class CxIOFile : public CxFile
{
public:
    explicit CxIOFile(FILE *stream = nullptr);
    ~CxIOFile() override;
    CxIOFile(const CxIOFile &) = delete;
    CxIOFile &operator=(const CxIOFile &) = delete;

    bool Open(const std::filesystem::path &path, const char *mode);
    FILE *GetStream() const { return m_fp; }

    bool Close() override;
    size_t Read(void *buffer, size_t size, size_t count) override;
    size_t Write(const void *buffer, size_t size, size_t count) override;
    bool Seek(int64_t offset, int origin) override;
    int64_t Tell() override;
    int64_t Size() override;
    bool Flush() override;
    bool Eof() override;
    int32_t Error() override;
    bool PutC(uint8_t c) override;
    int32_t GetC() override;
    char *GetS(char *buffer, int32_t n) override;
    int32_t Scanf(const char *format, void *output) override;

private:
    FILE *m_fp;
    bool m_closeFile;
};
