// Packs a published folder of 1,000 files of 20 KB into a ZIP package, as the LMS publish does, and
// prints the time beside that of the zip program packing the same folder (at its default level 6 and at
// the package's level 8).

#include "platform/ProcessRunner.h"
#include "publish/CoursePublisher.h"
#include "publish/ZipWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kFiles = 1000;
constexpr int kFileSize = 20 * 1024;
constexpr int kRuns = 5;

// Script and page text with names and numbers that vary, so that it compresses as published files do.
QByteArray CourseText(uint32_t seed)
{
    static const char *const words[] = {"var", "function", "return", "kvxPrefs", "screen", "question", "answer",
                                        "<div class=\"panel\">", "</div>", "<span style=\"color:#", "</span>",
                                        "document.getElementById(", ");", "{", "}", "=", "+", "\n", "\t", "if (",
                                        "push(", "\"", "true", "false", "null"};
    QByteArray out;
    out.reserve(kFileSize);
    uint32_t state = seed * 2654435761u + 1;
    while (out.size() < kFileSize) {
        state = state * 1103515245u + 12345u;
        const uint32_t pick = state >> 16;
        if (pick % 5 == 0)
            out += QByteArray::number(pick % 100000, 16);
        else
            out += words[pick % std::size(words)];
        out += ' ';
    }
    out.truncate(kFileSize);
    return out;
}

bool MakeFolder(const QString &root)
{
    static const char *const folders[] = {"content", "content/scripts", "content/images", "content/media", "glossary"};
    for (const char *f : folders)
        if (!QDir().mkpath(root + u'/' + QLatin1String(f)))
            return false;
    for (int i = 0; i < kFiles; ++i) {
        QFile file(root + u'/' + QLatin1String(folders[i % std::size(folders)]) + QStringLiteral("/file%1.js").arg(i));
        if (!file.open(QIODevice::WriteOnly) || file.write(CourseText(uint32_t(i))) != kFileSize)
            return false;
    }
    return true;
}

double Best(const std::vector<double> &ms) { return *std::min_element(ms.begin(), ms.end()); }

// The zip program on the folder: its best time, the package size, or a negative time when it is missing.
double ZipProgram(const QString &folder, const QString &package, const char *level, qint64 &size)
{
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        QFile::remove(package);
        QElapsedTimer t;
        t.start();
        const CProcessResult r = CProcessRunner::Run(QStringLiteral("zip"), {QStringLiteral("-q"), QStringLiteral("-r"),
                                                                            QLatin1String(level), package, QStringLiteral(".")},
                                                     -1, folder);
        if (!r.Succeeded())
            return -1;
        times.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    size = QFileInfo(package).size();
    return Best(times);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString folder = dir.path() + QStringLiteral("/LMS");
    if (!MakeFolder(folder)) {
        std::fprintf(stderr, "cannot make the folder to pack\n");
        return 1;
    }
    const QString package = folder + QStringLiteral(".zip");

    std::vector<double> ours;
    for (int run = 0; run < kRuns; ++run) {
        QFile::remove(package);
        QElapsedTimer t;
        t.start();
        ZipHandle zip = CreateZipArchive(ZipTarget::FromFileName(package));
        if (!zip || CCoursePublisher::AddFolderToZip(zip, folder, folder + u'/') != ZipOk || CloseZipArchive(zip) != ZipOk)
            return 1;
        ours.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    const qint64 ourSize = QFileInfo(package).size();

    qint64 size6 = 0, size8 = 0;
    const QString other = dir.path() + QStringLiteral("/other.zip");
    const double zip6 = ZipProgram(folder, other, "-6", size6);
    const double zip8 = ZipProgram(folder, other, "-8", size8);

    std::printf("folder: %d files of %d bytes (best of %d runs)\n", kFiles, kFileSize, kRuns);
    std::printf("package writer (level 8) %8.2f ms  %9lld bytes\n", Best(ours), static_cast<long long>(ourSize));
    if (zip6 < 0) {
        std::printf("zip program not available\n");
        return 0;
    }
    std::printf("zip -q -r -6             %8.2f ms  %9lld bytes\n", zip6, static_cast<long long>(size6));
    std::printf("zip -q -r -8             %8.2f ms  %9lld bytes\n", zip8, static_cast<long long>(size8));
    return 0;
}
