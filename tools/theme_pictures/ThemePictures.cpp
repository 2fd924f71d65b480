// Draws the pictures that ship in the program folder: each theme's navigation buttons, preview, screen
// background and menu title, the outline's tree pictures, the course icon, the spacer picture and the
// placeholder pictures of new content screens.
//
//   theme_pictures <data folder>
//
// writes them under <data folder>/Themes/<theme>/, <data folder>/source/tree/ and
// <data folder>/source/publish/, and the placeholders into <data folder> itself. The output is the same on every run with the same fonts (fonts-liberation).

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <vector>

namespace {

struct Theme {
    const char *name;
    const char *description;
    QColor buttonTop, buttonBottom, buttonBorder, buttonText;
    QColor barTop, barBottom;        // the top and navigation bars
    QColor screenTop, screenBottom;  // the screen background
    QColor titleText;
    const char *titleFamily;
};

const Theme kThemes[] = {
    {"Classical",
     "Warm cream screens under a deep burgundy bar, with serif type: a calm, traditional look for any course.",
     QColor(0x9A, 0x2E, 0x2E), QColor(0x6B, 0x17, 0x17), QColor(0x4A, 0x0E, 0x0E), QColor(0xFF, 0xF8, 0xE7),
     QColor(0x7A, 0x1F, 0x1F), QColor(0x52, 0x12, 0x12), QColor(0xFB, 0xF6, 0xEA), QColor(0xEF, 0xE4, 0xCC),
     QColor(0x5A, 0x14, 0x14), "Liberation Serif"},
    {"Harbour",
     "Crisp white screens framed in navy blue, with clear sans-serif type: a clean look for business courses.",
     QColor(0x2F, 0x5D, 0x9E), QColor(0x1B, 0x3A, 0x6B), QColor(0x10, 0x26, 0x48), QColor(0xFF, 0xFF, 0xFF),
     QColor(0x1F, 0x3F, 0x70), QColor(0x12, 0x2A, 0x4E), QColor(0xFF, 0xFF, 0xFF), QColor(0xE6, 0xEE, 0xF7),
     QColor(0x1B, 0x3A, 0x6B), "Liberation Sans"},
    {"Meadow",
     "Soft green screens with leaf-green bars and open sans-serif type: a friendly look for open learning.",
     QColor(0x4E, 0x9A, 0x3A), QColor(0x2F, 0x6B, 0x22), QColor(0x22, 0x4D, 0x18), QColor(0xFF, 0xFF, 0xF4),
     QColor(0x3B, 0x7D, 0x2C), QColor(0x27, 0x57, 0x1C), QColor(0xF6, 0xFB, 0xEF), QColor(0xDD, 0xEE, 0xCF),
     QColor(0x25, 0x55, 0x1A), "Liberation Sans"},
};

enum class Symbol { None, Next, Back, Menu, Quit, Done, Play, Stop, Close };

struct Button {
    const char *file;
    const char *label; // nullptr: the picture without words
    Symbol symbol;
    bool large;        // question and media buttons are taller than the navigation buttons
};

const Button kButtons[] = {
    {"nav_next.png", "Next", Symbol::None, false},       {"nav_next01.png", nullptr, Symbol::Next, false},
    {"nav_next02.png", "Forward", Symbol::None, false},  {"nav_next03.png", "Continue", Symbol::None, false},
    {"nav_next04.png", "Advance", Symbol::None, false},  {"nav_back.png", "Back", Symbol::None, false},
    {"nav_back01.png", nullptr, Symbol::Back, false},    {"nav_back02.png", "Previous", Symbol::None, false},
    {"nav_back03.png", "Last", Symbol::None, false},     {"nav_back04.png", "Backward", Symbol::None, false},
    {"nav_menu.png", "Menu", Symbol::None, false},       {"nav_menu01.png", nullptr, Symbol::Menu, false},
    {"nav_menu02.png", "Home", Symbol::None, false},     {"nav_quit.png", "Quit", Symbol::None, false},
    {"nav_quit01.png", nullptr, Symbol::Quit, false},    {"nav_quit02.png", "Exit", Symbol::None, false},
    {"nav_quit03.png", "Finished", Symbol::None, false}, {"nav_quit04.png", "End", Symbol::None, false},
    {"btn_done.png", "Done", Symbol::None, true},        {"btn_done01.png", nullptr, Symbol::Done, true},
    {"btn_done02.png", "Finish", Symbol::None, true},    {"btn_done03.png", "Submit", Symbol::None, true},
    {"btn_done04.png", "Check", Symbol::None, true},     {"btn_done05.png", "Evaluate", Symbol::None, true},
    {"btn_play.png", "Play", Symbol::None, true},        {"btn_play01.png", nullptr, Symbol::Play, true},
    {"btn_play02.png", "Start", Symbol::None, true},     {"btn_stop.png", "Stop", Symbol::None, true},
    {"btn_stop01.png", nullptr, Symbol::Stop, true},     {"btn_stop02.png", "Pause", Symbol::None, true},
};

bool Save(const QImage &image, const QString &path, const char *format, int quality = -1)
{
    QDir().mkpath(QFileInfo(path).path());
    QImageWriter writer(path, format);
    if (quality >= 0)
        writer.setQuality(quality);
    if (!writer.write(image)) {
        std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path), qPrintable(writer.errorString()));
        return false;
    }
    return true;
}

void DrawSymbol(QPainter &p, Symbol symbol, const QRectF &box, const QColor &colour)
{
    const QPointF c = box.center();
    const qreal s = box.height() * 0.28;
    p.setPen(QPen(colour, s * 0.42, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    switch (symbol) {
    case Symbol::Next:
        path.moveTo(c.x() - s, c.y());
        path.lineTo(c.x() + s, c.y());
        path.moveTo(c.x() + s * 0.2, c.y() - s * 0.8);
        path.lineTo(c.x() + s, c.y());
        path.lineTo(c.x() + s * 0.2, c.y() + s * 0.8);
        break;
    case Symbol::Back:
        path.moveTo(c.x() + s, c.y());
        path.lineTo(c.x() - s, c.y());
        path.moveTo(c.x() - s * 0.2, c.y() - s * 0.8);
        path.lineTo(c.x() - s, c.y());
        path.lineTo(c.x() - s * 0.2, c.y() + s * 0.8);
        break;
    case Symbol::Menu:
        for (int i = -1; i <= 1; ++i) {
            path.moveTo(c.x() - s, c.y() + i * s * 0.7);
            path.lineTo(c.x() + s, c.y() + i * s * 0.7);
        }
        break;
    case Symbol::Quit:
    case Symbol::Close:
        path.moveTo(c.x() - s * 0.75, c.y() - s * 0.75);
        path.lineTo(c.x() + s * 0.75, c.y() + s * 0.75);
        path.moveTo(c.x() + s * 0.75, c.y() - s * 0.75);
        path.lineTo(c.x() - s * 0.75, c.y() + s * 0.75);
        break;
    case Symbol::Done:
        path.moveTo(c.x() - s, c.y());
        path.lineTo(c.x() - s * 0.25, c.y() + s * 0.75);
        path.lineTo(c.x() + s, c.y() - s * 0.8);
        break;
    case Symbol::Play:
        p.setBrush(colour);
        path.moveTo(c.x() - s * 0.7, c.y() - s);
        path.lineTo(c.x() + s, c.y());
        path.lineTo(c.x() - s * 0.7, c.y() + s);
        path.closeSubpath();
        break;
    case Symbol::Stop:
        p.setBrush(colour);
        path.addRect(QRectF(c.x() - s * 0.8, c.y() - s * 0.8, s * 1.6, s * 1.6));
        break;
    case Symbol::None:
        break;
    }
    p.drawPath(path);
}

QImage ButtonPicture(const Theme &theme, const char *label, Symbol symbol, QSize size)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRectF box = QRectF(image.rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient fill(box.topLeft(), box.bottomLeft());
    fill.setColorAt(0, theme.buttonTop);
    fill.setColorAt(1, theme.buttonBottom);
    p.setPen(QPen(theme.buttonBorder, 1));
    p.setBrush(fill);
    const qreal radius = std::min(size.width(), size.height()) * 0.22;
    p.drawRoundedRect(box, radius, radius);
    // A thin light line under the top edge gives the face some depth.
    p.setPen(QPen(QColor(255, 255, 255, 70), 1));
    p.drawLine(QPointF(box.left() + radius, box.top() + 1.5), QPointF(box.right() - radius, box.top() + 1.5));
    if (label) {
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPixelSize(size.height() >= 40 ? 16 : 15);
        font.setBold(true);
        p.setFont(font);
        p.setPen(QColor(0, 0, 0, 90));
        p.drawText(box.translated(0, 1), Qt::AlignCenter, QString::fromLatin1(label));
        p.setPen(theme.buttonText);
        p.drawText(box, Qt::AlignCenter, QString::fromLatin1(label));
    } else {
        DrawSymbol(p, symbol, box, theme.buttonText);
    }
    return image;
}

QImage ScreenBackground(const Theme &theme, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient fill(0, 0, 0, size.height());
    fill.setColorAt(0, theme.screenTop);
    fill.setColorAt(1, theme.screenBottom);
    p.fillRect(image.rect(), fill);
    return image;
}

// The theme as a course shows it: top bar, screen, navigation bar; scaled down for the Themes page.
QImage Preview(const Theme &theme)
{
    const int width = 1008, top = 64, screen = 560, nav = 56;
    QImage page(width, top + screen + nav, QImage::Format_RGB32);
    QPainter p(&page);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient bar(0, 0, 0, top);
    bar.setColorAt(0, theme.barTop);
    bar.setColorAt(1, theme.barBottom);
    p.fillRect(0, 0, width, top, bar);
    p.drawImage(0, top, ScreenBackground(theme, QSize(width, screen)));
    QLinearGradient navBar(0, top + screen, 0, top + screen + nav);
    navBar.setColorAt(0, theme.barTop);
    navBar.setColorAt(1, theme.barBottom);
    p.fillRect(0, top + screen, width, nav, navBar);

    QFont title(QString::fromLatin1(theme.titleFamily));
    title.setPixelSize(34);
    title.setBold(true);
    p.setFont(title);
    p.setPen(theme.buttonText);
    p.drawText(QRect(28, 0, width - 56, top), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Course title"));
    title.setPixelSize(40);
    p.setFont(title);
    p.setPen(theme.titleText);
    p.drawText(QRect(60, top + 40, width - 120, 60), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Screen heading"));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(theme.titleText.red(), theme.titleText.green(), theme.titleText.blue(), 60));
    for (int line = 0; line < 6; ++line)
        p.drawRoundedRect(QRectF(60, top + 140 + line * 48, line == 5 ? 420 : 760, 18), 9, 9);

    const QSize buttonSize(100, 36);
    const int y = top + screen + (nav - buttonSize.height()) / 2;
    p.drawImage(width - 2 * (buttonSize.width() + 16), y, ButtonPicture(theme, "Back", Symbol::None, buttonSize));
    p.drawImage(width - (buttonSize.width() + 16), y, ButtonPicture(theme, "Next", Symbol::None, buttonSize));
    p.drawImage(16, y, ButtonPicture(theme, "Menu", Symbol::None, buttonSize));
    p.end();
    return page.scaled(216, 216 * page.height() / page.width(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage MenuTitle(const Theme &theme)
{
    QImage image(480, 64, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::Antialiasing);
    QFont font(QString::fromLatin1(theme.titleFamily));
    font.setPixelSize(44);
    font.setBold(true);
    p.setFont(font);
    p.setPen(theme.titleText);
    p.drawText(image.rect(), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Main Menu"));
    return image;
}

bool WriteTheme(const QString &data, const Theme &theme)
{
    const QString folder = data + QStringLiteral("/Themes/") + QString::fromLatin1(theme.name);
    bool ok = true;
    for (const Button &button : kButtons) {
        const QSize size = button.large ? QSize(110, 47) : QSize(100, 36);
        ok = Save(ButtonPicture(theme, button.label, button.symbol, size),
                  folder + QStringLiteral("/Buttons/") + QString::fromLatin1(button.file), "png") && ok;
    }
    ok = Save(ButtonPicture(theme, nullptr, Symbol::Close, QSize(24, 24)), folder + QStringLiteral("/Buttons/btn_popup.png"), "png") && ok;
    ok = Save(ScreenBackground(theme, QSize(1008, 560)), folder + QStringLiteral("/bg.jpg"), "jpeg", 90) && ok;
    ok = Save(Preview(theme), folder + QStringLiteral("/screendump.jpg"), "jpeg", 90) && ok;
    ok = Save(MenuTitle(theme), folder + QStringLiteral("/kv_text.png"), "png") && ok;
    QFile description(folder + QStringLiteral("/description.txt"));
    ok = description.open(QIODevice::WriteOnly) && description.write(theme.description) > 0 && ok;
    return ok;
}

// ---- GIF pictures: a palette with one transparent entry, LZW-coded ----

class BitWriter
{
public:
    void Put(unsigned code, int bits)
    {
        m_buffer |= quint64(code) << m_count;
        m_count += bits;
        while (m_count >= 8) {
            m_bytes.append(char(m_buffer & 0xFF));
            m_buffer >>= 8;
            m_count -= 8;
        }
    }
    QByteArray Finish()
    {
        if (m_count > 0)
            m_bytes.append(char(m_buffer & 0xFF));
        return m_bytes;
    }

private:
    QByteArray m_bytes;
    quint64 m_buffer = 0;
    int m_count = 0;
};

QByteArray LzwEncode(const std::vector<int> &indices, int minCodeSize)
{
    const int clear = 1 << minCodeSize, end = clear + 1;
    BitWriter out;
    int codeSize = minCodeSize + 1;
    int next = end + 1;
    std::map<std::pair<int, int>, int> table;
    out.Put(clear, codeSize);
    int prefix = indices.front();
    for (std::size_t i = 1; i < indices.size(); ++i) {
        const int k = indices[i];
        const auto found = table.find({prefix, k});
        if (found != table.end()) {
            prefix = found->second;
            continue;
        }
        out.Put(prefix, codeSize);
        if (next < 4096) {
            table[{prefix, k}] = next++;
            if (next > (1 << codeSize) && codeSize < 12)
                ++codeSize;
        } else {
            out.Put(clear, codeSize);
            table.clear();
            codeSize = minCodeSize + 1;
            next = end + 1;
        }
        prefix = k;
    }
    out.Put(prefix, codeSize);
    out.Put(end, codeSize);
    return out.Finish();
}

void PutWord(QByteArray &bytes, int value)
{
    bytes.append(char(value & 0xFF));
    bytes.append(char((value >> 8) & 0xFF));
}

// A picture of few colours as a GIF; a pixel with alpha below half is transparent.
bool SaveGif(const QImage &source, const QString &path)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    std::vector<QRgb> palette = {qRgb(0, 0, 0)}; // entry 0: transparent
    std::vector<int> indices;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) < 128) {
                indices.push_back(0);
                continue;
            }
            const QRgb colour = qRgb(qRed(pixel), qGreen(pixel), qBlue(pixel));
            auto at = std::find(palette.begin() + 1, palette.end(), colour);
            if (at == palette.end()) {
                if (palette.size() == 256) {
                    std::fprintf(stderr, "%s has more than 255 colours\n", qPrintable(path));
                    return false;
                }
                palette.push_back(colour);
                at = palette.end() - 1;
            }
            indices.push_back(int(at - palette.begin()));
        }
    int bits = 1;
    while ((1u << bits) < palette.size())
        ++bits;
    palette.resize(std::size_t(1) << bits, qRgb(0, 0, 0));

    QByteArray gif("GIF89a");
    PutWord(gif, image.width());
    PutWord(gif, image.height());
    gif.append(char(0x80 | 0x70 | (bits - 1)));
    gif.append('\0');
    gif.append('\0');
    for (QRgb c : palette) {
        gif.append(char(qRed(c)));
        gif.append(char(qGreen(c)));
        gif.append(char(qBlue(c)));
    }
    gif.append(QByteArray::fromHex("21f9040100000000")); // transparent index 0
    gif.append(',');
    PutWord(gif, 0);
    PutWord(gif, 0);
    PutWord(gif, image.width());
    PutWord(gif, image.height());
    gif.append('\0');
    const int minCodeSize = std::max(2, bits);
    gif.append(char(minCodeSize));
    const QByteArray data = LzwEncode(indices, minCodeSize);
    for (qsizetype at = 0; at < data.size(); at += 255) {
        const QByteArray block = data.mid(at, 255);
        gif.append(char(block.size()));
        gif.append(block);
    }
    gif.append('\0');
    gif.append(';');

    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(gif) != gif.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    file.close();
    // Read back: the picture must come out as it was drawn.
    const QImage back = QImage(path).convertToFormat(QImage::Format_ARGB32);
    if (back.size() != image.size()) {
        std::fprintf(stderr, "%s does not read back\n", qPrintable(path));
        return false;
    }
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb a = image.pixel(x, y), b = back.pixel(x, y);
            const bool same = qAlpha(a) < 128 ? qAlpha(b) == 0 : b == qRgb(qRed(a), qGreen(a), qBlue(a));
            if (!same) {
                std::fprintf(stderr, "%s does not read back\n", qPrintable(path));
                return false;
            }
        }
    return true;
}

// ---- Outline tree pictures: 18 x 18, drawn crisp so they keep a small palette ----

QImage TreeCanvas() { QImage i(18, 18, QImage::Format_ARGB32); i.fill(Qt::transparent); return i; }

const QColor kInk(0x44, 0x4F, 0x5A), kFolder(0xE8, 0xB9, 0x4A), kFolderDark(0xB5, 0x86, 0x1E), kPaper(0xFF, 0xFF, 0xFF),
    kAccent(0x2F, 0x6F, 0xB5), kRemedy(0xC2, 0x4A, 0x2B);

QImage Folder(bool open)
{
    QImage i = TreeCanvas();
    QPainter p(&i);
    p.setPen(kFolderDark);
    p.setBrush(kFolder);
    p.drawRect(2, 4, 6, 2);
    if (open) {
        p.drawRect(2, 6, 13, 8);
        p.setBrush(QColor(0xF6, 0xD6, 0x7C));
        p.drawPolygon(QPolygon({QPoint(4, 9), QPoint(16, 9), QPoint(14, 14), QPoint(2, 14)}));
    } else {
        p.drawRect(2, 6, 13, 8);
    }
    return i;
}

QImage Page(const QColor &mark, bool question)
{
    QImage i = TreeCanvas();
    QPainter p(&i);
    p.setPen(kInk);
    p.setBrush(kPaper);
    p.drawRect(4, 2, 10, 13);
    if (question) {
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPixelSize(11);
        font.setBold(true);
        p.setFont(font);
        p.setPen(mark);
        p.drawText(QRect(4, 2, 11, 14), Qt::AlignCenter, QStringLiteral("?"));
    } else {
        p.setPen(mark);
        for (int y = 5; y <= 12; y += 2)
            p.drawLine(6, y, 11, y);
    }
    return i;
}

QImage Remediation(bool open)
{
    QImage i = Folder(open);
    QPainter p(&i);
    p.setPen(Qt::NoPen);
    p.setBrush(kRemedy);
    p.drawRect(11, 9, 6, 2);
    p.drawRect(13, 7, 2, 6);
    return i;
}

QImage Root()
{
    QImage i = TreeCanvas();
    QPainter p(&i);
    p.setPen(kInk);
    p.setBrush(kAccent);
    p.drawRect(3, 2, 11, 14);
    p.setBrush(kPaper);
    p.drawRect(5, 4, 7, 3);
    return i;
}

QImage Expander(bool expanded)
{
    QImage i = TreeCanvas();
    QPainter p(&i);
    p.setPen(kInk);
    p.setBrush(kPaper);
    p.drawRect(4, 4, 9, 9);
    p.drawLine(6, 8, 11, 8);
    if (!expanded)
        p.drawLine(8, 6, 8, 11);
    return i;
}

bool WriteTree(const QString &data)
{
    const QString folder = data + QStringLiteral("/source/tree/");
    const std::vector<std::pair<const char *, QImage>> pictures = {
        {"root.gif", Root()},
        {"folder.gif", Folder(false)},
        {"folderopen.gif", Folder(true)},
        {"page.gif", Page(kAccent, false)},
        {"question.gif", Page(kAccent, true)},
        {"remediation.gif", Remediation(false)},
        {"remediationopen.gif", Remediation(true)},
        {"expand.gif", Expander(false)},
        {"collapse.gif", Expander(true)},
        {"blank.gif", TreeCanvas()},
    };
    bool ok = true;
    for (const auto &[name, image] : pictures)
        ok = SaveGif(image, folder + QString::fromLatin1(name)) && ok;
    return ok;
}

QImage CourseIcon(int size)
{
    QImage i(size, size, QImage::Format_ARGB32);
    i.fill(Qt::transparent);
    QPainter p(&i);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1F, 0x3F, 0x70));
    p.drawRoundedRect(QRectF(0, 0, size, size), size * 0.2, size * 0.2);
    p.setBrush(QColor(0xFF, 0xFF, 0xFF));
    const qreal m = size * 0.22;
    p.drawRect(QRectF(m, m, size - 2 * m, size * 0.12));
    p.drawRect(QRectF(m, size * 0.44, size - 2 * m, size * 0.12));
    p.drawRect(QRectF(m, size * 0.66, (size - 2 * m) * 0.6, size * 0.12));
    return i;
}

bool WriteCoursePictures(const QString &data)
{
    const QString publish = data + QStringLiteral("/source/publish/");
    QImage spacer(1, 1, QImage::Format_ARGB32);
    spacer.fill(Qt::transparent);
    bool ok = SaveGif(spacer, publish + QStringLiteral("x.gif"));
    ok = SaveGif(spacer, publish + QStringLiteral("content/media/x.gif")) && ok;
    ok = Save(CourseIcon(32), publish + QStringLiteral("kvx.ico"), "ico") && ok;
    return ok;
}

// A placeholder of a content screen: a light frame with a landscape sign, which the author replaces with
// a picture of his own.
QImage Placeholder(QSize size)
{
    QImage i(size, QImage::Format_RGB32);
    i.fill(QColor(0xEE, 0xF0, 0xF3));
    QPainter p(&i);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0xB4, 0xBB, 0xC4), 2, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1, 1, size.width() - 2, size.height() - 2));
    const qreal unit = std::min(size.width(), size.height()) / 6.0;
    const QPointF c(size.width() / 2.0, size.height() / 2.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xB4, 0xBB, 0xC4));
    p.drawEllipse(QPointF(c.x() + unit * 0.9, c.y() - unit * 0.7), unit * 0.35, unit * 0.35);
    QPainterPath hills;
    hills.moveTo(c.x() - unit * 1.6, c.y() + unit);
    hills.lineTo(c.x() - unit * 0.5, c.y() - unit * 0.5);
    hills.lineTo(c.x() + unit * 0.2, c.y() + unit * 0.3);
    hills.lineTo(c.x() + unit * 0.7, c.y() - unit * 0.1);
    hills.lineTo(c.x() + unit * 1.6, c.y() + unit);
    hills.closeSubpath();
    p.drawPath(hills);
    return i;
}

bool WritePlaceholderPictures(const QString &data)
{
    const struct { const char *name; QSize size; } pictures[] = {
        {"tmp_small.png", QSize(300, 200)}, {"tmp_medium.png", QSize(400, 266)}, {"tmp_large.png", QSize(500, 333)},
    };
    bool ok = true;
    for (const auto &picture : pictures)
        ok = Save(Placeholder(picture.size), data + u'/' + QString::fromLatin1(picture.name), "png") && ok;
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: theme_pictures <data folder>\n");
        return 2;
    }
    const QString data = QString::fromLocal8Bit(argv[1]);
    bool ok = WriteTree(data) && WriteCoursePictures(data) && WritePlaceholderPictures(data);
    for (const Theme &theme : kThemes)
        ok = WriteTheme(data, theme) && ok;
    return ok ? 0 : 1;
}
