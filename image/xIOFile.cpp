#include "image/xIOFile.h"

CxIOFile::CxIOFile(FILE *stream)
    : m_fp(stream)
    , m_closeFile(stream == nullptr)
{
}

CxIOFile::~CxIOFile()
{
    Close();
}

bool CxIOFile::Open(const std::filesystem::path &path, const char *mode)
{
    if (m_fp)
        return false;
    m_fp = std::fopen(path.c_str(), mode);
    if (!m_fp)
        return false;
    m_closeFile = true;
    return true;
}

bool CxIOFile::Close()
{
    if (!m_fp)
        return true;
    int result = 0;
    if (m_closeFile)
        result = std::fclose(m_fp);
    m_fp = nullptr;
    return result == 0;
}

size_t CxIOFile::Read(void *buffer, size_t size, size_t count)
{
    if (!m_fp || !buffer)
        return 0;
    return std::fread(buffer, size, count, m_fp);
}

size_t CxIOFile::Write(const void *buffer, size_t size, size_t count)
{
    if (!m_fp || !buffer)
        return 0;
    return std::fwrite(buffer, size, count, m_fp);
}

bool CxIOFile::Seek(int64_t offset, int origin)
{
    if (!m_fp)
        return false;
    return fseeko(m_fp, off_t(offset), origin) == 0;
}

int64_t CxIOFile::Tell()
{
    if (!m_fp)
        return 0;
    return int64_t(ftello(m_fp));
}

int64_t CxIOFile::Size()
{
    if (!m_fp)
        return -1;
    const off_t pos = ftello(m_fp);
    fseeko(m_fp, 0, SEEK_END);
    const off_t size = ftello(m_fp);
    fseeko(m_fp, pos, SEEK_SET);
    return int64_t(size);
}

bool CxIOFile::Flush()
{
    if (!m_fp)
        return false;
    return std::fflush(m_fp) == 0;
}

bool CxIOFile::Eof()
{
    if (!m_fp)
        return true;
    return std::feof(m_fp) != 0;
}

int32_t CxIOFile::Error()
{
    if (!m_fp)
        return -1;
    return std::ferror(m_fp);
}

bool CxIOFile::PutC(uint8_t c)
{
    if (!m_fp)
        return false;
    return std::fputc(c, m_fp) == c;
}

int32_t CxIOFile::GetC()
{
    if (!m_fp)
        return -1;
    return std::getc(m_fp);
}

char *CxIOFile::GetS(char *buffer, int32_t n)
{
    if (!m_fp || !buffer || n <= 0)
        return nullptr;
    return std::fgets(buffer, n, m_fp);
}

int32_t CxIOFile::Scanf(const char *format, void *output)
{
    if (!m_fp || !format)
        return -1;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    return std::fscanf(m_fp, format, output);
#pragma GCC diagnostic pop
}
