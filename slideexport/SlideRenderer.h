#pragma once

#include <QString>
#include <QStringList>

// The slide program of the picture import: renders every slide of a presentation as one PNG file in the
// output folder, named "Slide<n>.png" (the slide number from the sixth character on), fitted into the
// 1008 x 560 screen keeping the slide's proportions. The presentation is converted to PDF by LibreOffice
// (headless) and the pages are drawn by pdftoppm, each run in a temporary folder of its own.
class CSlideRenderer
{
public:
    static constexpr int kScreenWidth = 1008;
    static constexpr int kScreenHeight = 560;

    // The programs run; tests may name others.
    QString office = QStringLiteral("soffice");
    QString pdfToPng = QStringLiteral("pdftoppm");

    // False with the reason when any step fails; nothing is left in the output folder then.
    bool Render(const QString &presentationPath, const QString &outputFolder, QString *error);
    // The slides written by the last run, in order.
    const QStringList &Written() const { return m_written; }

    // The PNG name of slide n (from 1).
    static QString SlideFileName(int n);

private:
    QStringList m_written;
};
