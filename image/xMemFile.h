#pragma once

#include "image/xFile.h"

// A CxFile over a memory buffer that grows in 64 KiB steps. Sizes are size_t and every position
// computation is checked, so a hostile seek or length cannot wrap the buffer arithmetic.
class CxMemFile : public CxFile
{
public:
    // Over a caller's buffer (read, or written in place until it must grow); null: nothing open yet.
    explicit CxMemFile(uint8_t *buffer = nullptr, size_t size = 0);
    ~CxMemFile() override;
    CxMemFile(const CxMemFile &) = delete;
    CxMemFile &operator=(const CxMemFile &) = delete;

    // Starts an empty owned buffer; false when a buffer already exists.
    bool Open();
    // The buffer; with detach the caller owns it from then on (free it with std::free).
    uint8_t *GetBuffer(bool detach = true);
    // Makes room for needed bytes: capacity becomes the next 64 KiB step strictly above needed.
    bool Grow(size_t needed);
    size_t GetCapacity() const { return m_capacity; }

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
    // Makes position + bytes addressable, zero-filling any gap left by a seek past the end.
    bool Reserve(size_t end);

    uint8_t *m_buffer;
    size_t m_size;
    bool m_freeOnClose;
    size_t m_position;
    size_t m_capacity;
};
