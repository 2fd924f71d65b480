#include "app/ThemeCss.h"

#include "document/CourseSettings.h"
#include "document/TriggerLine.h"

#include <QStringList>

#include <cmath>


namespace CorvThemeCss {

namespace {

// A percentage of the style's base size, rounded up: 75% of 12 points is 9.
QString ScaledPoints(const QString &value, int base)
{
    const QString number = value.left(value.indexOf(u'%')).trimmed();
    const long long percent = number.toLongLong();
    return QString::number(static_cast<long long>(std::ceil(double(percent) * base / 100.0)));
}

QString BodySize(const QString &value)
{
    if (value.contains(u'%'))
        return ScaledPoints(value, 12);
    if (const qsizetype px = value.indexOf(QStringLiteral("px")); px >= 0)
        return value.left(px);
    if (const qsizetype pt = value.indexOf(QStringLiteral("pt")); pt >= 0)
        return value.left(pt);
    return value;
}

// The course-name size keeps a "pt" suffix: the style sheet writes the stored text as it is.
QString TitleSize(const QString &value)
{
    if (value.contains(u'%'))
        return ScaledPoints(value, 36);
    if (const qsizetype px = value.indexOf(QStringLiteral("px")); px >= 0)
        return value.left(px);
    return value;
}

void ApplyFamily(const QString &value, CCourseSettings &settings, size_t slot)
{
    const qsizetype comma = value.indexOf(u',');
    if (comma < 0) {
        settings.FontName[slot] = value;
        return;
    }
    settings.FontName[slot] = value.left(comma).trimmed();
    settings.FontFamily[slot] = value;
}

void ApplyColour(const QString &value, CCourseSettings &settings, size_t slot)
{
    uint32_t colour = 0;
    if (ParseHexColour(value, colour))
        settings.FontColor[slot] = colour;
}

bool IsHexDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

void ApplySize(const QString &value, CCourseSettings &settings, size_t slot)
{
    settings.FontSizePoints[slot] = slot == 0 ? BodySize(value) : TitleSize(value);
}

void ApplyWeight(const QString &value, CCourseSettings &settings, size_t slot) { settings.FontWeight[slot] = value; }

// What each directive key does, and to which slot (0 main body, 1 course name).
struct KeyEffect
{
    const char *key;
    size_t slot;
    void (*apply)(const QString &value, CCourseSettings &settings, size_t slot);
};

constexpr KeyEffect kEffects[] = {
    {"bodyfontfamily", 0, ApplyFamily}, {"titlefontfamily", 1, ApplyFamily},
    {"bodyfontsize", 0, ApplySize},     {"titlefontsize", 1, ApplySize},
    {"bodyfontweight", 0, ApplyWeight}, {"titlefontweight", 1, ApplyWeight},
    {"bodyfontcolor", 0, ApplyColour},  {"titlefontcolor", 1, ApplyColour},
};

} // namespace

QList<Directive> ParseDirectives(const QString &text)
{
    QList<Directive> directives;
    for (QString line : text.split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (!line.startsWith(CorvTriggerLine::kMark))
            continue;
        Directive directive{CorvTriggerLine::Key(line), CorvTriggerLine::Default(line)};
        if (directive.key.isEmpty())
            directive.value.clear();
        directives.append(directive);
    }
    return directives;
}

bool ParseHexColour(const QString &value, uint32_t &colour)
{
    if (value.size() != 7 || value[0] != u'#')
        return false;
    for (qsizetype i = 1; i < 7; ++i)
        if (!IsHexDigit(value[i]))
            return false;
    const uint rgb = value.mid(1).toUInt(nullptr, 16);
    const uint32_t red = (rgb >> 16) & 0xFF, green = (rgb >> 8) & 0xFF, blue = rgb & 0xFF;
    colour = red + green * 256 + blue * 65536;
    return true;
}

void ApplyThemeFonts(const QList<Directive> &directives, CCourseSettings &settings)
{
    for (const Directive &d : directives)
        for (const KeyEffect &effect : kEffects)
            if (d.key == QLatin1StringView(effect.key))
                effect.apply(d.value, settings, effect.slot);
}

} // namespace CorvThemeCss
