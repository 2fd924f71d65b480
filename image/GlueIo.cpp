#include "image/GlueIo.h"

#include "image/xFile.h"

namespace {

size_t ReadBridge(void *file, unsigned char *buffer, size_t n)
{
    return static_cast<CxFile *>(file)->Read(buffer, 1, n);
}

size_t WriteBridge(void *file, const unsigned char *buffer, size_t n)
{
    return static_cast<CxFile *>(file)->Write(buffer, 1, n);
}

int FlushBridge(void *file)
{
    return static_cast<CxFile *>(file)->Flush() ? 1 : 0;
}

int FailedBridge(void *file)
{
    return static_cast<CxFile *>(file)->Error() != 0 ? 1 : 0;
}

} // namespace

CorvGlueIo GlueIoFor(CxFile *file)
{
    CorvGlueIo io{};
    io.file = file;
    io.read = ReadBridge;
    io.write = WriteBridge;
    io.flush = FlushBridge;
    io.failed = FailedBridge;
    return io;
}
