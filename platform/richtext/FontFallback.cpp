#include "platform/richtext/FontFallback.h"

#include <QHash>
#include <QMutex>

#include <array>

namespace FontFallback {

namespace {

struct Row {
    const char *face;       // lower case
    const char *substitute; // a family of the same measure, or none
    const char *generic;    // or none
};

constexpr std::array kRows{
    Row{"arial", "Liberation Sans", "sans-serif"},
    Row{"helvetica", "Liberation Sans", "sans-serif"},
    Row{"arial narrow", "Liberation Sans Narrow", "sans-serif"},
    Row{"calibri", "Carlito", "sans-serif"},
    Row{"verdana", "DejaVu Sans", "sans-serif"},
    Row{"tahoma", "DejaVu Sans", "sans-serif"},
    Row{"segoe ui", "DejaVu Sans", "sans-serif"},
    Row{"trebuchet ms", "DejaVu Sans", "sans-serif"},
    Row{"times new roman", "Liberation Serif", "serif"},
    Row{"times", "Liberation Serif", "serif"},
    Row{"cambria", "Caladea", "serif"},
    Row{"georgia", "DejaVu Serif", "serif"},
    Row{"garamond", "Liberation Serif", "serif"},
    Row{"book antiqua", "Liberation Serif", "serif"},
    Row{"palatino linotype", "Liberation Serif", "serif"},
    Row{"courier new", "Liberation Mono", "monospace"},
    Row{"courier", "Liberation Mono", "monospace"},
    Row{"consolas", "Liberation Mono", "monospace"},
    Row{"lucida console", "Liberation Mono", "monospace"},
    Row{"symbol", nullptr, nullptr},
    Row{"wingdings", nullptr, nullptr},
    Row{"webdings", nullptr, nullptr},
};

QStringList Build(const QString &face)
{
    const QString chosen = face.trimmed().isEmpty() ? QStringLiteral("Arial") : face.trimmed();
    QStringList families{chosen};
    const QString key = chosen.toLower();
    for (const Row &row : kRows) {
        if (key != QLatin1String(row.face))
            continue;
        if (row.substitute)
            families << QString::fromLatin1(row.substitute);
        if (row.generic)
            families << QString::fromLatin1(row.generic);
        return families;
    }
    // A face of its own: the browser's and the canvas's sans-serif stand in for it alike.
    families << QStringLiteral("sans-serif");
    return families;
}

} // namespace

QStringList Families(const QString &face)
{
    // Every run of every text asks: the lists are made once per face.
    static QMutex mutex;
    static QHash<QString, QStringList> made;
    QMutexLocker lock(&mutex);
    auto it = made.constFind(face);
    if (it == made.constEnd())
        it = made.insert(face, Build(face));
    return *it;
}

QString CssFamilies(const QString &face) { return Families(face).join(QStringLiteral(", ")); }

void Apply(QFont &font, const QString &face)
{
    QStringList families = Families(face);
    QFont::StyleHint hint = QFont::AnyStyle;
    const QString &last = families.last();
    if (last == QLatin1String("sans-serif"))
        hint = QFont::SansSerif;
    else if (last == QLatin1String("serif"))
        hint = QFont::Serif;
    else if (last == QLatin1String("monospace"))
        hint = QFont::Monospace;
    if (hint != QFont::AnyStyle)
        families.removeLast();
    font.setFamilies(families);
    font.setStyleHint(hint);
}

} // namespace FontFallback
