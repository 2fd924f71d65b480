#pragma once

#include <QString>

class CArchive;

// One row of the Import window's topic table: number, name, banner, source document and the assessable
// flag as the text "TRUE" or "FALSE".
class CTopic
{
public:
    CTopic() = default;
    CTopic(const QString &number, const QString &name, const QString &banner, const QString &sourceDocument,
           const QString &assessable);

    void SetNumber(const QString &number) { m_number = number; }
    QString GetNumber() const { return m_number; }
    QString GetName() const { return m_name; }
    QString GetBanner() const { return m_banner; }
    QString GetSourceDocument() const { return m_sourceDocument; }
    QString GetAssessable() const { return m_assessable; }

    // The five strings in order.
    void Serialize(CArchive &ar);

    friend bool operator==(const CTopic &, const CTopic &) = default;

private:
    QString m_number;
    QString m_name;
    QString m_banner;
    QString m_sourceDocument;
    QString m_assessable;
};
