#pragma once

#include <QString>

class CCorvPage;
class CCorvessaDoc;

// The content-layout screens (templates 0 to 9: placeholder pictures and text boxes side by side, above or
// below one another) and the final-performance screens (the folder, the "Completed" container and the
// Message, Pass and Fail result screens). They follow the screen factory's common steps: a new screen
// number, the components in drawing order, insertion after the given screen; each returns its screen, which
// the list owns.
class CContentScreenFactory
{
public:
    explicit CContentScreenFactory(CCorvessaDoc &doc);

    static constexpr int kTemplateCount = 10;

    // Content template 0 to 9 (another number makes nothing and returns null). Pictures take the size of
    // the picture-size preset (0 small, 2 large, else medium); defaultText 1 puts "Click and add text." in
    // each text box.
    CCorvPage *AddContentScreenTemplate(int layout, const QString &title, const QString &label, CCorvPage *after,
                                        int pictureSize, int defaultText);

    CCorvPage *AddFinalPerformanceFolder(const QString &title, const QString &label, CCorvPage *after);
    CCorvPage *AddCompletedScreen(const QString &title, const QString &label, CCorvPage *after);
    CCorvPage *AddMessageScreen(const QString &title, const QString &label, CCorvPage *after);
    CCorvPage *AddPassScreen(const QString &title, const QString &label, CCorvPage *after);
    CCorvPage *AddFailScreen(const QString &title, const QString &label, CCorvPage *after);

    // The result text and stock pictures of one result screen.
    struct ResultScreen;

private:
    CCorvPage *AddResultScreen(const ResultScreen &kind, const QString &title, const QString &label,
                               CCorvPage *after);

    CCorvessaDoc &m_doc;
};
