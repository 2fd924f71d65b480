#pragma once

// The course the project benchmarks measure: every screen holds 16 text boxes, a table, a 200 x 150 PNG
// picture (a file of its own for each screen), a button and a rectangle.

#include "document/CorvessaDoc.h"
#include "image/xImage.h"
#include "image/xImageTypes.h"
#include "model/ComponentButton.h"
#include "model/ComponentImage.h"
#include "model/ComponentRectangle.h"
#include "model/ComponentTable.h"
#include "model/ComponentTextbox.h"
#include "model/CorvPage.h"
#include "platform/Prompt.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <filesystem>
#include <vector>

namespace BenchCourse {

constexpr int kTextBoxes = 16;
constexpr int kPictureWidth = 200;
constexpr int kPictureHeight = 150;

// Writes one picture file per screen into folder: "picture_<n>.png", each a copy of one encoded picture.
inline bool WritePictures(const QString &folder, int screens)
{
    QDir().mkpath(folder);
    CxImage picture(kPictureWidth, kPictureHeight, 24);
    for (int y = 0; y < kPictureHeight; ++y)
        for (int x = 0; x < kPictureWidth; ++x)
            picture.SetPixelColor(x, y, RGBQUAD{uint8_t(x * 7), uint8_t(y * 5), uint8_t((x + y) * 3), 0});
    const QString first = folder + QStringLiteral("/picture_0.png");
    if (!picture.Save(std::filesystem::path(QFile::encodeName(first).toStdString()), ImageFormatPng))
        return false;
    for (int s = 1; s < screens; ++s) {
        const QString copy = folder + QStringLiteral("/picture_%1.png").arg(s);
        if (!QFile::exists(copy) && !QFile::copy(first, copy))
            return false;
    }
    return true;
}

inline std::unique_ptr<CCorvPage> MakeScreen(CCorvessaDoc &doc, int s, const QString &pictures)
{
    auto page = std::make_unique<CCorvPage>(doc.TakeNextScreenNumber(), QStringLiteral("Screen title %1").arg(s),
                                            QStringLiteral("Banner %1").arg(s), QStringLiteral("source.docx"), 0,
                                            QString::number(s + 1), s == 0 ? 0 : 2, -1);
    for (int n = 0; n < kTextBoxes; ++n) {
        auto box = std::make_unique<CComponentTextbox>();
        box->GetRichText().ReplaceAll(
            QStringLiteral("Paragraph %1 of screen %2: a few sentences of course text that an author wrote, "
                           "long enough to wrap over two or three lines of a text box.")
                .arg(n)
                .arg(s));
        box->SetBounds(CRect(36, 32 + n * 30, 520, 60 + n * 30), false);
        page->AddComponent(std::move(box));
    }
    auto table = std::make_unique<CComponentTable>();
    table->SetRowCount(3);
    table->SetColumnCount(3);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            table->SetCellText(QStringLiteral("Cell %1.%2").arg(r).arg(c), r, c);
    table->SetBounds(CRect(540, 32, 980, 200), false);
    page->AddComponent(std::move(table));

    auto image = std::make_unique<CComponentImage>();
    image->SetBounds(CRect(540, 220, 540 + kPictureWidth, 220 + kPictureHeight), false);
    image->SetImageFile(pictures + QStringLiteral("/picture_%1.png").arg(s), doc.GetContext());
    page->AddComponent(std::move(image));

    auto button = std::make_unique<CComponentButton>();
    button->SetText(QStringLiteral("Next"));
    button->SetBounds(CRect(540, 400, 640, 430), false);
    page->AddComponent(std::move(button));

    auto rectangle = std::make_unique<CComponentRectangle>();
    rectangle->SetBounds(CRect(660, 400, 760, 500), false);
    page->AddComponent(std::move(rectangle));
    return page;
}

inline void Fill(CCorvessaDoc &doc, int screens, const QString &pictures)
{
    doc.OnNewDocument();
    doc.MutableSettings().CourseName = QStringLiteral("Benchmark course");
    for (int s = 0; s < screens; ++s)
        doc.AddScreen(MakeScreen(doc, s, pictures));
}

inline double Best(const std::vector<double> &ms)
{
    return ms.empty() ? 0.0 : *std::min_element(ms.begin(), ms.end());
}

template <class Work>
double TimeMs(Work work)
{
    QElapsedTimer t;
    t.start();
    work();
    return double(t.nsecsElapsed()) / 1e6;
}

} // namespace BenchCourse
