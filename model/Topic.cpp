#include "model/Topic.h"

#include "platform/Archive.h"

CTopic::CTopic(const QString &number, const QString &name, const QString &banner, const QString &sourceDocument,
               const QString &assessable)
    : m_number(number), m_name(name), m_banner(banner), m_sourceDocument(sourceDocument), m_assessable(assessable)
{
}

void CTopic::Serialize(CArchive &ar)
{
    QString *const fields[] = {&m_number, &m_name, &m_banner, &m_sourceDocument, &m_assessable};
    for (QString *field : fields) {
        if (ar.IsStoring())
            ar.WriteString(*field);
        else
            *field = ar.ReadString();
    }
}
