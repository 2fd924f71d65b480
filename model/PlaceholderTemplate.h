#pragma once

#include "platform/Result.h"

#include <QString>

#include <vector>

class CCorvContext;

// The publishing templates that components fill themselves: text files of the program folder under
// "source/PlaceHolderText/", read as legacy-code-page text, whose "<~name~>" tokens are replaced by values.
class CPlaceholderTemplate
{
public:
    struct Token {
        const char *name;  // without "<~" and "~>"
        QString value;
    };
    using Tokens = std::vector<Token>;

    // The full path of a template, relative to "source/PlaceHolderText/" ("Media/audio.txt"); each part of
    // the path is matched on disk without regard to case.
    static QString PathOf(const CCorvContext &context, const QString &relative);

    // Replaces every occurrence of each token by its value in one pass over the text: a value is never
    // searched for tokens again, so an author's text that happens to hold "<~ev~>" stays as written.
    // Tokens without a value are left as they stand.
    static void Fill(QString &text, const Tokens &tokens);

    // Reads the template and fills it. When it cannot be read, fails with errorFormat, the full path for
    // "%1", as the message for the author.
    static CResult<QString> Expand(const CCorvContext &context, const QString &relative, const QString &errorFormat,
                                   const Tokens &tokens);

    // A value from the author inside a quoted attribute of template markup, which itself stands in a script
    // string: made safe for both, so that it can end neither. Ordinary names come out unchanged.
    static QString AttributeValue(const QString &text);

    // "true" / "false" and "1" / "0" of a flag that counts as set only when it is exactly 1.
    static QString TrueFalse(int flag) { return flag == 1 ? QStringLiteral("true") : QStringLiteral("false"); }
    static QString OneZero(int flag) { return flag == 1 ? QStringLiteral("1") : QStringLiteral("0"); }
    // A COLORREF (0x00BBGGRR) as "RRGGBB" in upper-case hexadecimal.
    static QString ColourHex(uint32_t colour);
};
