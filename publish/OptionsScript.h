#pragma once

#include <QString>

class CPublishContext;
class CPublishFile;

// content/scripts/<prefix>_prefs.js: the course settings the run-time reads when the course starts.
class COptionsScript
{
public:
    explicit COptionsScript(const CPublishContext &context);

    // False, adding why to the context's errors, when the theme's style sheet cannot be read, the
    // connection text of a database cannot be hidden or the file cannot be written.
    bool Write(int lessonMode);

    // The line and shadow colours of the match-the-pairs question from the theme's style sheet, "#0000ff"
    // and "#808080" where it names none. False when the style sheet cannot be read.
    bool ReadThemeLineColours(QString &lineColour, QString &shadowColour) const;
    // The publish ids of the final performance screens in main-list order, quoted and joined by ",".
    QString FpsList() const;
    // The feedback of every question that differs from the course's defaults: one line per component of
    // each question screen. Nothing without a file.
    void WriteCustomFeedback(CPublishFile *file) const;

private:
    const CPublishContext &m_context;
};
