#pragma once

#include "slideexport/SubstitutionTable.h"

#include <QString>

class CPptxPresentation;
struct CPptxShape;

// The export of a presentation to "slides.export.xml" and one PNG file per picture, in the slide-XML layout.
class CSlideExporter
{
public:
    // The most slide XML the importer's reader takes; a presentation that would make more is refused.
    static constexpr qint64 kMaxOutputBytes = 64ll << 20;

    explicit CSlideExporter(const CSubstitutionTable &substitutions) : m_substitutions(substitutions) {}

    // Reads the presentation and writes the output; false and a message when the presentation cannot be
    // read or the output cannot be written. Nothing is left half-written.
    bool ExportSlatewright(const QString &presentationPath, const QString &outputFolder, QString *error);

    // The slide XML of an open presentation; picture files are written as their objects are met.
    QString ExportXml(const CPptxPresentation &presentation, const QString &presentationPath,
                      const QString &outputFolder);

    static QString ParaFormatAlignment(const CPptxShape &shape);
    static QString ParaFormat(const CPptxShape &shape);
    static QString PlaceholderFormat(const CPptxShape &shape);
    // A notes-page shape written as a note: the notes body placeholder holding text.
    static bool IsSpeakerNote(const CPptxShape &shape);
    // A position or size in points as its shortest decimal text, "." as separator.
    static QString Number(double points);
    static QString OutputPath(const QString &outputFolder);
    // What went wrong with pictures that could not be written (the export goes on without them).
    const QStringList &Warnings() const { return m_warnings; }

private:
    QString TextFragments(const CPptxShape &shape) const;

    const CSubstitutionTable &m_substitutions;
    QStringList m_warnings;
};
