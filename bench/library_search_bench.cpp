// Builds an images.xml of 10,000 pictures with keywords drawn from a vocabulary of 2,000 words, and times
// the search for texts of twelve keywords: once in first-match mode over the whole library, once with the
// category passes over 20 categories. Beside each, the reference: a plain scan that tests every picture's
// keywords and name for the same windows of words (what one pass of substring tests over the entries costs).
// Best of several runs each; the search's used list is reset before every run so each run does the same work.

#include "import/GraphicsLibrary.h"
#include "platform/RandomSource.h"
#include "platform/XmlDom.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <limits>

namespace {

constexpr int kImages = 10000;
constexpr int kVocabulary = 2000;
constexpr int kRuns = 7;

QString Word(int i)
{
    QString w;
    for (int n = i + 26 * 26; n > 0; n /= 26)
        w += QChar(u'a' + n % 26);
    return w;
}

QStringList Categories()
{
    QStringList list;
    for (int i = 0; i < 20; ++i)
        list.append(QStringLiteral("Category %1").arg(i));
    return list;
}

QByteArray BuildIndex(QStringList &names, QStringList &keywords)
{
    CSeededRandom random(42);
    const char *types[] = {"Stock Photo - color", "Stock Photo - b&amp;w", "Photo Object", "Vector"};
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<images>\n";
    for (int i = 0; i < kImages; ++i) {
        QString words;
        for (int k = 0; k < 6; ++k)
            words += u'[' + Word(random.Next() % kVocabulary) + u']';
        const QString name = QStringLiteral("Picture %1 [%2]").arg(i).arg(Word(random.Next() % kVocabulary));
        names.append(name);
        keywords.append(words);
        xml += QStringLiteral("<image><name>%1</name><keywords>%2</keywords><category>Category %3</category>"
                              "<type>%4</type><file>p%5.jpg</file></image>\n")
                   .arg(name, words)
                   .arg(i % 20)
                   .arg(QString::fromLatin1(types[i % 4]))
                   .arg(i)
                   .toUtf8();
    }
    return xml + "</images>\n";
}

double BestMs(const std::function<void()> &run)
{
    double best = std::numeric_limits<double>::max();
    for (int i = 0; i < kRuns; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

// The reference: every window of the text tested against every picture's keywords and name.
int LinearScan(const QStringList &names, const QStringList &keywords, const QStringList &text, int passes)
{
    int hits = 0;
    for (int pass = 0; pass < passes; ++pass)
        for (const int size : {2, 1})
            for (qsizetype start = 0; start < std::min<qsizetype>(text.size(), 20); ++start) {
                const QStringList window = text.mid(start, size);
                for (qsizetype i = 0; i < keywords.size(); ++i) {
                    const auto all = [&](const QString &s) {
                        return std::all_of(window.begin(), window.end(),
                                           [&](const QString &w) { return s.contains(u'[' + w + u']'); });
                    };
                    if (all(keywords[i]) || all(names[i]))
                        ++hits;
                }
            }
    return hits;
}

} // namespace

int main()
{
    QStringList names, keywords;
    const QByteArray xml = BuildIndex(names, keywords);
    QElapsedTimer timer;
    timer.start();
    const auto doc = CorvXmlDom::ParseMemory(xml, "images.xml");
    const double parsed = timer.nsecsElapsed() / 1e6;
    timer.restart();
    QStringList used;
    CGraphicsLibrary library;
    library.Attach(doc.get(), {}, &used);
    std::printf("library of %d pictures: parsed in %.1f ms, table and word index built in %.1f ms (once, at start-up)\n",
                library.ImageCount(), parsed, timer.nsecsElapsed() / 1e6);
    library.SetUseColourPhotos(1);
    library.SetUseBwPhotos(1);
    library.SetUsePhotoObjects(1);
    library.SetUseVectors(1);

    // Twelve words no picture holds two of together, so every window is tried.
    QStringList text;
    for (int i = 0; i < 12; ++i)
        text.append(Word(kVocabulary + 100 + i));
    const QString query = text.join(u' ');
    QString file, reason;

    const double plain = BestMs([&] { used.clear(); library.FindImageForText(query, file, reason); });
    const double plainScan = BestMs([&] { LinearScan(names, keywords, text, 1); });
    std::printf("one text, 24 windows:               search %8.3f ms   plain scan %8.3f ms\n", plain, plainScan);

    library.SetUseCategoryPriorities(1);
    library.SetCategories({QStringLiteral("Category 3")}, Categories());
    const double byCategory = BestMs([&] { used.clear(); library.FindImageForText(query, file, reason); });
    const double categoryScan = BestMs([&] { LinearScan(names, keywords, text, 21); });
    std::printf("one text, 21 categories x 24 windows: search %8.3f ms   plain scan %8.3f ms\n", byCategory, categoryScan);

    // A word many pictures hold: first-match judging walks their hits.
    library.SetUseCategoryPriorities(0);
    const QString common = keywords[5000].mid(1, keywords[5000].indexOf(u']') - 1);
    const double judged = BestMs([&] { used.clear(); library.FindImageForText(common, file, reason); });
    std::printf("one word held by %d pictures:        search %8.3f ms\n",
                int(library.RunQuery({{common}, {}, false}).size()), judged);
    return 0;
}
