#pragma once

#include "document/LoadedProfile.h"

#include <QString>

#include <memory>
#include <vector>

// The international profile: the course's sundry texts (dialog messages, button labels, the texts of the
// start and sign-in pages), one item per text. Each item names the script object and property that receive
// the text in the published course and may carry file records whose replace string is a token ("<~name~>")
// that the publisher replaces by the text in its page templates.
//
// This is the part of the profile that publishing reads: the items in file order with their file records,
// read from a profile file. Line breaks in texts are kept as read (CR LF); GetText gives them as the two
// characters backslash and "n".

// One token record of an item: the published file it is meant for, a kept publish type and the token.
class InternationalItemFileFromXML
{
public:
    QString fileName;
    QString publishType;
    QString replaceString;

    QString GetReplaceString() const { return replaceString; }
};

class InternationalProfileItemFromXML
{
public:
    QString baseVariable;
    int multiline = 0;
    // The most characters of the text that the publisher keeps; 0 for no limit.
    int limit = 0;
    int cannotBeNull = 0;
    QString variable;
    QString description;
    // The text as read: line breaks as CR LF.
    QString text;
    std::vector<InternationalItemFileFromXML> files;

    QString GetVariable() const { return variable; }
    // The text with every CR LF turned into the two characters backslash and "n"; a lone LF stays.
    QString GetText() const;
};

class InternationalProfileFromXML : public CLoadedProfile
{
public:
    std::vector<InternationalProfileItemFromXML> items;
    QString baseVariable;
    QString version;

    QString GetVersion() const { return version; }

    // UTF-8 with a byte-order mark, one element a line, texts and tokens in CDATA sections. Markup
    // characters in the other texts are written as entities, and a "]]>" inside a CDATA text is split over
    // two sections, so every text reads back as it was. The file is replaced only once it is complete.
    bool WriteProfileFile(const QString &path) const override;

    // Reads a profile file. Element names are matched without regard to case, attribute names exactly; an
    // item without a "basevariable" attribute belongs to "kvxPrefs.str"; elements outside their parent are
    // dropped. Null, with the parser's reason in *errorText, when the file cannot
    // be read or is not well-formed XML; nothing of a partly read file is kept. Entities are never
    // expanded from a DTD and nothing is fetched from the network.
    static std::unique_ptr<InternationalProfileFromXML> ReadFile(const QString &path, QString *errorText = nullptr);
    static std::unique_ptr<InternationalProfileFromXML> ReadBytes(const QByteArray &bytes,
                                                                  QString *errorText = nullptr);
};
