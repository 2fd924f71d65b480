#include "publish/TemplateTriggers.h"

#include "document/CorvessaDoc.h"
#include "platform/Escape.h"
#include "platform/PathUtil.h"
#include "publish/PublishContext.h"
#include "publish/PublishFile.h"

namespace {

// What a trigger writes for the settings, the prefix and the target; "" writes nothing.
using GenerateText = QString (*)(const CCorvessaDoc &doc, const QString &prefix, int target,
                                 const QString &defaultValue);

class CGenerateTrigger : public CGenerateTriggerBase
{
public:
    CGenerateTrigger(const CCorvessaDoc &document, GenerateText generate) : m_document(document), m_generate(generate) {}

    bool Generate(CPublishFile &output, const QString &projectPrefix, int target, const QString &defaultValue) override
    {
        const QString text = m_generate(m_document, projectPrefix, target, defaultValue);
        return text.isEmpty() || output.WriteString(text);
    }

private:
    const CCorvessaDoc &m_document;
    GenerateText m_generate;
};

// A COLORREF (0x00BBGGRR) as "#RRGGBB".
QString HtmlColour(uint32_t colour)
{
    return QStringLiteral("#%1%2%3")
        .arg(colour & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((colour >> 8) & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((colour >> 16) & 0xFF, 2, 16, QLatin1Char('0'))
        .toUpper();
}

// The family list of a font slot: the family alone when it already names the face, else face, family.
QString FontList(const CCorvessaDoc &doc, int slot)
{
    const QString &name = doc.Settings().FontName[slot];
    const QString &family = doc.Settings().FontFamily[slot];
    return family.contains(name) ? family : name + QStringLiteral(", ") + family;
}

// The name under which the output holds a picture named by a setting: the file name, lower-cased.
QString PublishedPictureName(const QString &path) { return CorvPath::FileName(path).toLower(); }

QString Link(const QString &href)
{
    return QStringLiteral("<link type=\"text/css\" rel=\"stylesheet\" href=\"%1\">\n").arg(href);
}

QString Script(const QString &src)
{
    return QStringLiteral("<script type=\"text/javascript\" src=\"%1\"></script>\n").arg(src);
}

QString Generate_charset(const CCorvessaDoc &doc, const QString &, int, const QString &)
{
    return QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html;charset=%1\">\n").arg(doc.Settings().GetCharset());
}

// The course name is text of the page: a "<" or "&" in it shows as written and never becomes markup.
QString Generate_title(const CCorvessaDoc &doc, const QString &, int, const QString &)
{
    return QStringLiteral("<title>%1</title>\n").arg(CorvEscape::HtmlText(doc.Settings().CourseName));
}

QString Generate_css(const CCorvessaDoc &doc, const QString &prefix, int, const QString &)
{
    QString text = Link(QStringLiteral("scripts/%1.css").arg(prefix.toLower()));
    const bool bullets = doc.Settings().LeftAlignBulletedLists != 0;
    const bool numbers = doc.Settings().LeftAlignNumberedLists != 0;
    if (bullets && numbers)
        text += Link(QStringLiteral("scripts/align_lists.css"));
    else if (numbers)
        text += Link(QStringLiteral("scripts/align_numbers.css"));
    else if (bullets)
        text += Link(QStringLiteral("scripts/align_bullets.css"));
    return text;
}

QString Generate_scripts(const CCorvessaDoc &, const QString &prefix, int target, const QString &)
{
    const QString lower = prefix.toLower();
    QString text = Script(QStringLiteral("scripts/%1_prefs.js").arg(lower))
                 + Script(QStringLiteral("scripts/internationalisation.js"))
                 + Script(QStringLiteral("scripts/%1_pages.js").arg(lower));
    if (target == PublishTargetLms)
        text += Script(QStringLiteral("scripts/kvx_scorm.js"));
    return text;
}

QString Generate_indexcss(const CCorvessaDoc &, const QString &prefix, int, const QString &)
{
    return Link(QStringLiteral("content/scripts/%1.css").arg(prefix.toLower()));
}

// In an LMS package the start page is the page the LMS launches: it carries the SCORM interface, so the
// session opens when it loads and not only once the learner presses Start.
QString Generate_prefsscript(const CCorvessaDoc &, const QString &prefix, int target, const QString &)
{
    QString text = Script(QStringLiteral("content/scripts/%1_prefs.js").arg(prefix.toLower()));
    if (target == PublishTargetLms)
        text += Script(QStringLiteral("content/scripts/kvx_scorm.js"));
    return text;
}

QString Generate_logo(const CCorvessaDoc &doc, const QString &, int, const QString &)
{
    if (doc.Settings().LogoImage.isEmpty())
        return {};
    return QStringLiteral("\t\t<div id=\"logo\"><img title=\"logo\" alt=\"logo\" id=\"logoImg\" name=\"logoImg\" "
                          "src=\"images/%1\"></div>\n")
        .arg(CorvEscape::HtmlAttribute(PublishedPictureName(doc.Settings().LogoImage)));
}

QString Generate_signin(const CCorvessaDoc &doc, const QString &, int, const QString &)
{
    return QStringLiteral("  $_SESSION['signin'] = %1;\n").arg(doc.Settings().SignIn == 1 ? "true" : "false");
}

QString Generate_coursename(const CCorvessaDoc &doc, const QString &, int, const QString &)
{
    return QStringLiteral("\t\t<p id=\"coursetitle\">%1</p>\n")
        .arg(doc.Settings().CourseName.isEmpty() ? QStringLiteral("&nbsp;") : CorvEscape::HtmlText(doc.Settings().CourseName));
}

QString FontFamilyLine(const CCorvessaDoc &doc, int slot)
{
    return QStringLiteral("\tfont-family: %1;\n").arg(FontList(doc, slot));
}

QString ColourLine(const CCorvessaDoc &doc, int slot)
{
    return QStringLiteral("\tcolor: %1;\n").arg(HtmlColour(doc.Settings().FontColor[slot]));
}

QString WeightLine(const CCorvessaDoc &doc, int slot)
{
    return QStringLiteral("\tfont-weight: %1;\n").arg(doc.Settings().FontWeight[slot]);
}

QString Generate_bodyfontfamily(const CCorvessaDoc &doc, const QString &, int, const QString &) { return FontFamilyLine(doc, 0); }
QString Generate_bodyfontcolor(const CCorvessaDoc &doc, const QString &, int, const QString &) { return ColourLine(doc, 0); }
QString Generate_bodyfontweight(const CCorvessaDoc &doc, const QString &, int, const QString &) { return WeightLine(doc, 0); }
QString Generate_titlefontfamily(const CCorvessaDoc &doc, const QString &, int, const QString &) { return FontFamilyLine(doc, 1); }
// The course name stands on the theme's bar: while the author keeps the default colour (black, unreadable on
// a dark bar) it takes the theme's own bar text colour.
QString Generate_titlefontcolor(const CCorvessaDoc &doc, const QString &, int, const QString &defaultValue)
{
    if (doc.Settings().FontColor[1] == 0 && !defaultValue.trimmed().isEmpty())
        return QStringLiteral("\tcolor: %1;\n").arg(defaultValue.trimmed());
    return ColourLine(doc, 1);
}
QString Generate_titlefontweight(const CCorvessaDoc &doc, const QString &, int, const QString &) { return WeightLine(doc, 1); }

// The body's size is in points, the course name's in pixels.
QString Generate_bodyfontsize(const CCorvessaDoc &doc, const QString &, int, const QString &)
{
    return QStringLiteral("\tfont-size: %1pt;\n").arg(doc.Settings().FontSizePoints[0]);
}

QString Generate_titlefontsize(const CCorvessaDoc &doc, const QString &, int, const QString &)
{
    return QStringLiteral("\tfont-size: %1px;\n").arg(doc.Settings().FontSizePoints[1]);
}

// Written even with an empty value, so the rule always has the line.
QString Generate_bodybackground(const CCorvessaDoc &doc, const QString &, int, const QString &defaultValue)
{
    const QString value = doc.Settings().UseCustomBackground ? HtmlColour(doc.Settings().BgColor) : defaultValue;
    return QStringLiteral("\tbackground-color: %1;\n").arg(value);
}

QString Generate_directionrtl(const CCorvessaDoc &doc, const QString &, int, const QString &)
{
    return doc.Settings().RightToLeft == 1 ? QStringLiteral("\tdirection:rtl;\n\tunicode-bidi:embed;\n") : QString();
}

QString Generate_backgroundimage(const CCorvessaDoc &doc, const QString &, int, const QString &defaultValue)
{
    QString value = defaultValue;
    if (doc.Settings().UseCustomBackground)
        value = doc.Settings().BgImage.isEmpty() ? QString() : QStringLiteral("url(pics/%1)").arg(PublishedPictureName(doc.Settings().BgImage));
    return value.isEmpty() ? QString() : QStringLiteral("\tbackground-image: %1;\n").arg(value);
}

QString Generate_backgroundrepeat(const CCorvessaDoc &doc, const QString &, int, const QString &defaultValue)
{
    const QString value = doc.Settings().UseCustomBackground && doc.Settings().UseBgImgTile == 1 ? QString() : defaultValue;
    return value.isEmpty() ? QString() : QStringLiteral("\tbackground-repeat: %1;\n").arg(value);
}

QString Generate_emulation(const CCorvessaDoc &doc, const QString &, int, const QString &)
{
    return doc.Settings().EmulateIE7 != 0 ? QStringLiteral("<meta http-equiv=\"X-UA-Compatible\" content=\"IE=EmulateIE7\">\n")
                               : QString();
}

QString Generate_ajaxjs(const CCorvessaDoc &, const QString &, int target, const QString &)
{
    return target != PublishTargetLan ? Script(QStringLiteral("scripts/kvx_ajax.js")) : QString();
}

QString Generate_lanjs(const CCorvessaDoc &, const QString &, int target, const QString &)
{
    return target == PublishTargetLan
               ? QStringLiteral("<script type=\"text/jscript.encode\" src=\"scripts/kvx_loc.jse\"></script>\n")
               : QString();
}

struct TriggerEntry {
    const char *key;
    GenerateText generate;
};

constexpr TriggerEntry kTriggers[] = {
    {"charset", Generate_charset},
    {"title", Generate_title},
    {"css", Generate_css},
    {"scripts", Generate_scripts},
    {"indexcss", Generate_indexcss},
    {"prefsscript", Generate_prefsscript},
    {"logo", Generate_logo},
    {"signin", Generate_signin},
    {"coursename", Generate_coursename},
    {"bodyfontfamily", Generate_bodyfontfamily},
    {"bodyfontcolor", Generate_bodyfontcolor},
    {"bodyfontsize", Generate_bodyfontsize},
    {"bodyfontweight", Generate_bodyfontweight},
    {"bodybackground", Generate_bodybackground},
    {"directionrtl", Generate_directionrtl},
    {"backgroundimage", Generate_backgroundimage},
    {"backgroundrepeat", Generate_backgroundrepeat},
    {"titlefontfamily", Generate_titlefontfamily},
    {"titlefontcolor", Generate_titlefontcolor},
    {"titlefontsize", Generate_titlefontsize},
    {"titlefontweight", Generate_titlefontweight},
    {"emulation", Generate_emulation},
    {"ajaxjs", Generate_ajaxjs},
    {"lanjs", Generate_lanjs},
};

} // namespace

std::vector<std::pair<QString, std::unique_ptr<CGenerateTriggerBase>>> MakeTemplateTriggers(const CCorvessaDoc &document)
{
    std::vector<std::pair<QString, std::unique_ptr<CGenerateTriggerBase>>> triggers;
    for (const TriggerEntry &entry : kTriggers)
        triggers.emplace_back(QString::fromLatin1(entry.key), std::make_unique<CGenerateTrigger>(document, entry.generate));
    return triggers;
}
