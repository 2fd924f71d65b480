#pragma once

#include <QByteArray>
#include <QString>

class CRichText;

// Reads RTF into an empty document, tolerant of what rich-edit controls and word processors write: font
// and colour tables, \ansicpg with \'hh, font character sets, \uN with \ucN, character and paragraph
// formats, \pn bullets and numbering; every other destination is skipped, unknown control words are
// ignored and unbalanced groups end the text. Text that does not begin with "{\rtf" is read as plain text.
// A document read from RTF keeps that RTF as its cached output.
class CRtfReader
{
public:
    // An RTF string as an archive holds it: characters above 0x7F are taken as themselves.
    static void Read(const QString &rtf, CRichText &document);
    // RTF bytes from a file: bytes above 0x7F are decoded with the code page in force.
    static void ReadBytes(const QByteArray &rtf, CRichText &document);
};
