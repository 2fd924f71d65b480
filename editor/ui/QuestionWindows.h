#pragma once

#include "editor/ui/ComponentWindows.h"
#include "platform/Rect.h"

#include <QImage>
#include <QString>

#include <array>
#include <memory>

class CPartTargetsView;
class QCheckBox;
class QLabel;
class QPlainTextEdit;

// The question windows of the canvas: read-only previews of the six question kinds, their fields laid out
// from the window's size by QuestionLayouts (which the screen pictures draw from as well). A window is made
// while its component is still being made: it reads the component's values only when told to show them
// (UpdateFromComponent). The author
// writes a question in its dialog, reached by a double click here or by Edit question; these windows never
// change a question's texts. Their fields let the mouse through, so selecting and moving stay the canvas's.
class CQuestionWindow : public CCanvasComponentWindow
{
    Q_OBJECT
public:
    // The Edit window's "Edit question" command, which a double click asks for.
    static constexpr int kEditQuestionCommand = 32782;

    CQuestionWindow(CComponentBase &component, CScrollViewEx &canvas);

    void UpdateFromComponent() override;

    // The window of a question kind; null for other kinds.
    static std::unique_ptr<CComponentWindow> Make(CComponentBase &component, CScrollViewEx &canvas);

protected:
    // The fields take the component's values, then their places for the current size.
    virtual void Refresh() = 0;
    virtual void Layout() = 0;

    // A read-only field, wrapping its lines or not.
    QPlainTextEdit *MakeEdit(const QString &name, bool wrap);
    static void SetText(QPlainTextEdit *edit, const QString &text);
    static void Place(QWidget *widget, const CRect &rect);
    bool RightToLeft() const;

    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void LiveChanged() override;
    // A window whose fields the author works in without selecting it first (the part picture) keeps them.
    virtual bool FieldsAlwaysShown() const { return false; }

private:
    // The fields show only while the window is live; their places are kept up to date all the same.
    void LayoutFields();
};

class CWndCompleteParagraph : public CQuestionWindow
{
    Q_OBJECT
public:
    CWndCompleteParagraph(CComponentBase &component, CScrollViewEx &canvas);

protected:
    void Refresh() override;
    void Layout() override;

private:
    QPlainTextEdit *m_question;
    std::array<QPlainTextEdit *, 10> m_words{};
    QPlainTextEdit *m_paragraph;
};

class CWndFillBlanks : public CQuestionWindow
{
    Q_OBJECT
public:
    CWndFillBlanks(CComponentBase &component, CScrollViewEx &canvas);

protected:
    void Refresh() override;
    void Layout() override;

private:
    QPlainTextEdit *m_instruction;
    QPlainTextEdit *m_question;
    std::array<QPlainTextEdit *, 10> m_answers{};
};

class CWndMatchPairs : public CQuestionWindow
{
    Q_OBJECT
public:
    CWndMatchPairs(CComponentBase &component, CScrollViewEx &canvas);

    // Each side shows its picture reduced to 40 x 40, or a white square without one; a picture that does
    // not load leaves what the side showed.
    void RefreshPairImages();

protected:
    void Refresh() override;
    void Layout() override;

private:
    QPlainTextEdit *m_question;
    QCheckBox *m_zoom;
    std::array<QPlainTextEdit *, 5> m_leftTexts{}, m_rightTexts{};
    std::array<QLabel *, 5> m_leftPictures{}, m_rightPictures{};
};

class CWndMultipleChoice : public CQuestionWindow
{
    Q_OBJECT
public:
    CWndMultipleChoice(CComponentBase &component, CScrollViewEx &canvas);

    // How many options are shown (the trailing empty ones are not).
    int ShownOptions() const { return m_shown; }

protected:
    void Refresh() override;
    void Layout() override;

private:
    QPlainTextEdit *m_instruction;
    QPlainTextEdit *m_stem;
    std::array<QCheckBox *, 5> m_checks{};
    std::array<QPlainTextEdit *, 5> m_options{};
    int m_shown = 0;
    bool m_trueFalse = false;
};

// The slider keeps the layout it was made with: resizing the window moves nothing.
class CWndLikert : public CQuestionWindow
{
    Q_OBJECT
public:
    CWndLikert(CComponentBase &component, CScrollViewEx &canvas);

    void SetOrientation(bool horizontal);

protected:
    void Refresh() override;
    void Layout() override {}
    void paintEvent(QPaintEvent *event) override;

private:
    QPlainTextEdit *m_question;
    QLabel *m_horizontal;
    QLabel *m_vertical;
    // The size the controls were laid out for; the labels follow the pictures.
    int m_createdWidth = 0;
    int m_createdHeight = 0;
    bool m_horizontalShown = true;
    QString m_startLabel;
    QString m_endLabel;
};

// The question above the part picture window, whose targets the author moves and resizes here: a left
// click belongs to the picture window, and one beside it is not the canvas's either.
class CWndPartIdentification : public CQuestionWindow
{
    Q_OBJECT
public:
    CWndPartIdentification(CComponentBase &component, CScrollViewEx &canvas);

    CPartTargetsView *PictureWindow() const { return m_picture; }

protected:
    void Refresh() override;
    void Layout() override;
    void mousePressEvent(QMouseEvent *event) override;
    bool FieldsAlwaysShown() const override { return true; }

private:
    void StoreTargets();

    QPlainTextEdit *m_question;
    CPartTargetsView *m_picture;
    // The picture last handed to the picture window, by file and natural size.
    QString m_shownFile;
    QSize m_shownSize;
    bool m_refreshing = false;
};
