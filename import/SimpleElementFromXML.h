#pragma once

#include <QString>
#include <QStringView>

// What a reader's element stack can hold: a text holder or a record of the reader's model.
class XMLElementHolder
{
public:
    virtual ~XMLElementHolder() = default;
};

// The text of one element, collected piece by piece with Windows line ends.
class SimpleElementFromXML : public XMLElementHolder
{
public:
    // Each line feed among the appended characters becomes "\r\n" once, when it is appended.
    void AppendText(QStringView characters);
    QString GetText() const { return m_text; }

private:
    QString m_text;
};
