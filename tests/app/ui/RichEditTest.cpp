#include "app/CommandIds.h"
#include "dialogs/LinkDialogs.h"
#include "editor/ui/RichEditCtrlEx.h"
#include "editor/ui/WndTextbox.h"
#include "model/ComponentTextbox.h"
#include "model/MarkedText.h"
#include "model/RichTextLinks.h"
#include "platform/RecordingPrompt.h"
#include "platform/richtext/RichText.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include <gtest/gtest.h>

namespace {

// A rich-text editor over a document of its own, shown so that it lays out as the author sees it.
struct Editor {
    CRichText doc;
    CRichEditCtrlEx edit;

    explicit Editor(const QString &text = {})
    {
        CCharFormat base;
        base.mask = CFM_FACE | CFM_SIZE;
        base.face = QStringLiteral("Liberation Sans");
        base.height = 240;
        doc.SetDefaultCharFormat(base);
        if (!text.isEmpty())
            doc.ReplaceAll(text);
        doc.SetSel(0, 0);
        edit.SetDocument(&doc);
        edit.resize(400, 200);
        edit.show();
    }
    // A caret or selection placed as the author places it: in view positions.
    void SelectView(int anchor, int position)
    {
        QTextCursor c = edit.textCursor();
        c.setPosition(anchor);
        c.setPosition(position, QTextCursor::KeepAnchor);
        edit.setTextCursor(c);
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(&edit, Qt::Key(key), modifiers);
    }
    // Any text, one key event per character, as a keyboard of that language sends it.
    void Type(const QString &text)
    {
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(&edit, &press);
        }
    }
    CCharFormat Format(int start, int end) const { return doc.GetCharFormat(start, end); }
};

// Every character's format and every paragraph's format agree in all that RTF carries.
void ExpectSameRichText(const CRichText &a, const CRichText &b)
{
    ASSERT_EQ(a.GetText(), b.GetText());
    for (int i = 0; i < a.GetTextLength(); ++i)
        if (a.GetText()[i] != CRichText::kParagraphEnd) {
            EXPECT_TRUE(a.GetCharFormatAt(i).SameInRtf(b.GetCharFormatAt(i))) << "character " << i;
        }
    ASSERT_EQ(a.GetParagraphCount(), b.GetParagraphCount());
    for (int p = 0; p < a.GetParagraphCount(); ++p)
        EXPECT_TRUE(a.GetParaFormatAt(a.ParagraphStart(p)).SameValues(b.GetParaFormatAt(b.ParagraphStart(p))))
            << "paragraph " << p;
}

// "Read the guide now" with "guide" a link to a web address, its markers hidden around it.
struct LinkedEditor {
    CRichTextLinks content;
    CRichEditCtrlEx edit;
    CRecordingPrompt prompt;

    LinkedEditor()
    {
        content.GetRichText().ReplaceAll(QStringLiteral("Read the guide now"));
        EXPECT_TRUE(content.AddLink(QStringLiteral("guide"), 9, 0, -1, QStringLiteral("http://example.com/"), 0, 0,
                                    0, 100, 250)
                        .Ok());
        content.ToggleLinkEffect();
        content.GetRichText().SetSel(0, 0);
        edit.SetDocument(&content.GetRichText());
        edit.resize(400, 200);
        edit.show();
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(&edit, Qt::Key(key), modifiers);
    }
    void Caret(int view)
    {
        QTextCursor c = edit.textCursor();
        c.setPosition(view);
        edit.setTextCursor(c);
    }
    // The link's text as its record reads it back from the markers before a store.
    QString LinkText()
    {
        content.RepairLinks();
        return content.GetLinkCount() == 1 ? content.GetLinks()[0]->GetText() : QStringLiteral("<no link>");
    }
    // Both markers of link 2 whole and hidden.
    bool MarkersIntact()
    {
        CMarkedText marked(content.GetRichText());
        const int opening = marked.FindOpening(2, 0);
        const int closing = marked.FindClosing(2, 0);
        return opening >= 0 && closing > opening;
    }
};

} // namespace

// Guards typing and the character commands of the formatting bar: each reaches the document's runs, only
// over the selection, with the rule that a mixed selection is switched on and a uniform one inverted.
TEST(RichEdit, TypingAndCharacterFormatsReachTheDocument)
{
    Editor e;
    QTest::keyClicks(&e.edit, "Hello world");
    e.Key(Qt::Key_Return);
    QTest::keyClicks(&e.edit, "second line");
    EXPECT_EQ(e.doc.GetText(), QStringLiteral("Hello world\rsecond line"));
    EXPECT_EQ(e.edit.toPlainText(), QStringLiteral("Hello world\nsecond line"));

    // "world" selected from the keyboard: start of the text, six to the right, to the end of the line.
    e.Key(Qt::Key_Home, Qt::ControlModifier);
    for (int i = 0; i < 6; ++i)
        e.Key(Qt::Key_Right);
    e.Key(Qt::Key_End, Qt::ShiftModifier);
    int start = 0, end = 0;
    e.edit.GetDocSelection(start, end);
    ASSERT_EQ(std::make_pair(start, end), std::make_pair(6, 11));
    e.edit.ToggleBold();
    EXPECT_TRUE(e.Format(6, 11).Has(CFE_BOLD));
    EXPECT_FALSE(e.Format(0, 5).Has(CFE_BOLD));

    // Partly bold: Bold makes all of it bold, Bold again none of it.
    e.SelectView(0, 11);
    EXPECT_EQ(e.edit.GetSelectionCharFormat().mask & CFM_BOLD, 0u);
    e.edit.ToggleBold();
    EXPECT_TRUE(e.Format(0, 11).Has(CFE_BOLD) && (e.Format(0, 11).mask & CFM_BOLD));
    e.edit.ToggleBold();
    EXPECT_FALSE(e.Format(0, 11).Has(CFE_BOLD));
    EXPECT_TRUE(e.Format(0, 11).mask & CFM_BOLD);

    e.edit.ToggleItalic();
    e.edit.ToggleUnderline();
    e.edit.ToggleStrikeout();
    e.edit.SetSelectionColour(0x0000FF);
    e.edit.SetSelectionFace(QStringLiteral("Liberation Serif"));
    e.edit.SetSelectionPointSize(18);
    const CCharFormat f = e.Format(0, 11);
    EXPECT_TRUE(f.Has(CFE_ITALIC) && f.Has(CFE_UNDERLINE) && f.Has(CFE_STRIKEOUT));
    EXPECT_FALSE(f.Has(CFE_AUTOCOLOR));
    EXPECT_EQ(f.colour, 0x0000FFu);
    EXPECT_EQ(f.face, QStringLiteral("Liberation Serif"));
    EXPECT_EQ(f.height, 360);
    EXPECT_EQ(f.mask & (CFM_ITALIC | CFM_FACE | CFM_SIZE | CFM_COLOR), CFM_ITALIC | CFM_FACE | CFM_SIZE | CFM_COLOR);
    // The second paragraph is untouched, and the view shows what the document holds.
    EXPECT_FALSE(e.Format(12, 23).Has(CFE_ITALIC));
    EXPECT_EQ(e.Format(12, 23).height, 240);
    QTextCursor at(e.edit.document());
    at.setPosition(3);
    EXPECT_TRUE(at.charFormat().fontItalic());
    EXPECT_EQ(at.charFormat().foreground().color(), QColor(255, 0, 0));

    // Bold chosen at a caret applies to the text typed next.
    e.SelectView(23, 23);
    e.edit.ToggleBold();
    QTest::keyClicks(&e.edit, "!");
    EXPECT_TRUE(e.Format(23, 24).Has(CFE_BOLD));
    EXPECT_FALSE(e.Format(22, 23).Has(CFE_BOLD));
}

// Guards the paragraph commands: bullets on and off, numbering "1." then off then on again, alignments and
// indents, each on the selected paragraph only, and shown in the view.
TEST(RichEdit, ParagraphCommandsReachTheDocument)
{
    Editor e(QStringLiteral("first\rsecond\rthird"));
    e.SelectView(8, 8); // in "second"
    const auto second = [&] { return e.doc.GetParaFormatAt(7); };

    e.edit.ToggleBullet();
    EXPECT_EQ(second().numbering, PFN_BULLET);
    EXPECT_EQ(e.doc.GetParaFormatAt(0).numbering, 0);
    EXPECT_NE(e.edit.document()->findBlockByNumber(1).textList(), nullptr);
    e.edit.ToggleBullet();
    EXPECT_EQ(second().numbering, 0);

    e.edit.ToggleNumbering();
    EXPECT_EQ(second().numbering, PFN_ARABIC);
    EXPECT_EQ(second().numberingStyle, PFNS_PERIOD);
    EXPECT_EQ(e.edit.document()->findBlockByNumber(1).textList()->format().numberSuffix(), QStringLiteral("."));
    e.edit.ToggleNumbering();
    EXPECT_EQ(second().numbering, 0);
    EXPECT_EQ(second().numberingStyle, PFNS_NONUMBER);
    e.edit.ToggleNumbering();
    EXPECT_EQ(second().numbering, PFN_ARABIC);
    EXPECT_EQ(second().numberingStyle, PFNS_PERIOD);

    struct Case {
        void (CRichEditCtrlEx::*command)();
        int alignment;
        Qt::Alignment shown;
    };
    for (const Case &c : {Case{&CRichEditCtrlEx::AlignCenter, PFA_CENTER, Qt::AlignHCenter},
                          Case{&CRichEditCtrlEx::AlignRight, PFA_RIGHT, Qt::AlignRight},
                          Case{&CRichEditCtrlEx::AlignJustify, PFA_JUSTIFY, Qt::AlignJustify},
                          Case{&CRichEditCtrlEx::AlignLeft, PFA_LEFT, Qt::AlignLeft}}) {
        (e.edit.*c.command)();
        EXPECT_EQ(second().alignment, c.alignment);
        EXPECT_EQ(e.edit.document()->findBlockByNumber(1).blockFormat().alignment() & Qt::AlignHorizontal_Mask,
                  c.shown);
    }
    const int indent = second().startIndent;
    e.edit.IncreaseIndent();
    e.edit.IncreaseIndent();
    EXPECT_EQ(second().startIndent, indent + 720);
    e.edit.DecreaseIndent();
    EXPECT_EQ(second().startIndent, indent + 360);
    EXPECT_EQ(e.doc.GetParaFormatAt(0).startIndent, 0);
    EXPECT_EQ(e.doc.GetParaFormatAt(0).alignment, PFA_LEFT);
}

// Guards undo: typing undoes as one step, a format and a deletion one step each, and Ctrl+Z reaches the
// text before any shortcut of the main window.
TEST(RichEdit, UndoRestoresTheDocument)
{
    Editor e(QStringLiteral("keep "));
    e.SelectView(5, 5);
    QTest::keyClicks(&e.edit, "typed");
    EXPECT_EQ(e.doc.GetText(), QStringLiteral("keep typed"));
    e.Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(e.doc.GetText(), QStringLiteral("keep "));

    e.SelectView(0, 4);
    e.edit.ToggleBold();
    e.Key(Qt::Key_Delete);
    EXPECT_EQ(e.doc.GetText(), QStringLiteral(" "));
    e.Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(e.doc.GetText(), QStringLiteral("keep "));
    EXPECT_TRUE(e.Format(0, 4).Has(CFE_BOLD));
    e.Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(e.Format(0, 4).Has(CFE_BOLD));
    EXPECT_FALSE(e.edit.CanUndo());

    QKeyEvent override(QEvent::ShortcutOverride, Qt::Key_Z, Qt::ControlModifier);
    QApplication::sendEvent(&e.edit, &override);
    EXPECT_TRUE(override.isAccepted());
}

// Guards what is saved: the RTF written after editing (every format, bullets and numbering, indents, Greek,
// CJK and right-to-left text, a text longer than one stream chunk) reads back into the same runs.
TEST(RichEdit, RtfWrittenReadsBackTheSame)
{
    Editor e;
    e.Type(QStringLiteral("Ελληνικά 中文 עברית café"));
    e.Key(Qt::Key_Return);
    e.edit.TypeText(QString(5000, u'x')); // longer than one stream chunk
    e.SelectView(0, 8);
    e.edit.ToggleBold();
    e.edit.SetSelectionColour(0x00FF00);
    e.SelectView(9, 11);
    e.edit.ToggleUnderline();
    e.edit.SetSelectionFace(QStringLiteral("Liberation Mono"));
    e.edit.SetSelectionPointSize(20);
    e.edit.ToggleBullet();
    e.SelectView(30, 40);
    e.edit.ToggleNumbering();
    e.edit.IncreaseIndent();
    e.edit.AlignCenter();
    e.edit.ToggleStrikeout();
    e.edit.ToggleItalic();

    const QString rtf = e.doc.GetRtf();
    EXPECT_TRUE(std::all_of(rtf.begin(), rtf.end(), [](QChar c) { return c.unicode() < 0x80; }));
    CRichText read;
    read.SetRtf(rtf);
    ExpectSameRichText(e.doc, read);
    EXPECT_EQ(read.GetParaFormatAt(0).numbering, PFN_BULLET);
    EXPECT_EQ(read.GetParaFormatAt(30).numbering, PFN_ARABIC);

    // The text read back shows in a fresh editor exactly as typed.
    CRichEditCtrlEx other;
    other.SetDocument(&read);
    EXPECT_EQ(other.toPlainText(), e.edit.toPlainText());
}

// Guards a link while the author edits around it: text typed before or after the link's words stays
// outside the link, text typed among them joins it, the markers never show and are never split, and the
// record reads back its words.
TEST(RichEdit, LinkKeepsItsWordsWhileEditingAround)
{
    LinkedEditor l;
    EXPECT_EQ(l.edit.toPlainText(), QStringLiteral("Read the guide now"));

    l.Caret(9); // before "guide"
    QTest::keyClicks(&l.edit, "safety ");
    EXPECT_EQ(l.edit.toPlainText(), QStringLiteral("Read the safety guide now"));
    l.Caret(21); // after "guide"
    QTest::keyClicks(&l.edit, "s");
    l.Caret(18); // inside: "gu|ide"
    QTest::keyClicks(&l.edit, "-");
    EXPECT_EQ(l.edit.toPlainText(), QStringLiteral("Read the safety gu-ides now"));
    EXPECT_TRUE(l.MarkersIntact());
    EXPECT_EQ(l.LinkText(), QStringLiteral("gu-ide"));
    const CCharFormat typedAfter = l.content.GetRichText().GetCharFormatAt(l.content.GetRichText().FindText(FR_DOWN, 0, -1, QStringLiteral("s now")));
    EXPECT_FALSE(typedAfter.Has(CFE_LINK) || typedAfter.Has(CFE_HIDDEN));

    // Deleting across an end of the link takes the characters but leaves the markers.
    l.Caret(16);
    l.Key(Qt::Key_Backspace); // the space before the link
    l.Key(Qt::Key_Backspace);
    l.Caret(20);
    l.Key(Qt::Key_Delete); // the "s" after the link
    EXPECT_EQ(l.edit.toPlainText(), QStringLiteral("Read the safetgu-ide now"));
    EXPECT_TRUE(l.MarkersIntact());
    EXPECT_EQ(l.LinkText(), QStringLiteral("gu-ide"));
    EXPECT_FALSE(l.edit.toPlainText().contains(u'#'));

    // Everything selected and deleted takes the link whole, markers and all; its record goes at the repair.
    l.edit.selectAll();
    l.Key(Qt::Key_Delete);
    EXPECT_EQ(l.content.GetRichText().GetText(), QString());
    EXPECT_EQ(l.LinkText(), QStringLiteral("<no link>"));
}

// Guards the author's clipboard: a copy carries RTF and plain text without the link's markers, and pasting it
// gives the text its formats without a second set of markers.
TEST(RichEdit, ClipboardCarriesRtfAndPlainTextWithoutMarkers)
{
    LinkedEditor l;
    l.edit.SetDocSelection(0, l.content.GetRichText().GetTextLength());
    l.edit.ToggleBold();
    l.edit.Copy();
    const QMimeData *data = QApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->text(), QStringLiteral("Read the guide now"));
    ASSERT_TRUE(data->hasFormat(QStringLiteral("text/rtf")));
    EXPECT_FALSE(QString::fromLatin1(data->data(QStringLiteral("text/rtf"))).contains(QStringLiteral("0002")));

    l.Caret(18);
    l.Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(l.edit.toPlainText(), QStringLiteral("Read the guide nowRead the guide now"));
    EXPECT_EQ(l.content.GetRichText().GetText().count(QStringLiteral("[0002#")), 1);
    EXPECT_TRUE(l.content.GetRichText().GetCharFormat(30, 48).Has(CFE_BOLD));
    EXPECT_EQ(l.LinkText(), QStringLiteral("guide"));

    // Plain text from another program goes in with the format typed text would take.
    auto *plain = new QMimeData;
    plain->setText(QStringLiteral("\nplain"));
    QApplication::clipboard()->setMimeData(plain);
    l.Caret(0);
    l.edit.Paste();
    EXPECT_TRUE(l.edit.toPlainText().startsWith(QStringLiteral("\nplainRead")));

    // Cut takes the text off after copying it.
    l.edit.SetDocSelection(0, 6);
    l.edit.Cut();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("\nplain"));
    EXPECT_TRUE(l.edit.toPlainText().startsWith(QStringLiteral("Read the")));
}
