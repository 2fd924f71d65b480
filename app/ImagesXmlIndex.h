#pragma once

#include "app/GraphicsLibraryIndex.h"
#include "platform/XmlDom.h"

class CCorvContext;
struct _xmlDoc;

// images.xml held in memory for the whole run: parsed once (no entities expanded, no DTD or network
// access), its "image" elements counted. Searching it is the library's own business.
class CImagesXmlIndex : public CGraphicsLibraryIndex
{
public:
    // Messages go to the context's prompt; the context must outlive the index.
    explicit CImagesXmlIndex(const CCorvContext &context);
    ~CImagesXmlIndex() override;

    int LoadLibraryIndex(const QString &indexPath, const QStringList &excludedWords,
                         QStringList *usedPictures) override;
    bool IsLoaded() const override { return m_loaded; }

    const QString &IndexPath() const { return m_indexPath; }
    const QStringList &ExcludedWords() const { return m_excludedWords; }
    // Number of "image" elements anywhere in the index.
    int ImageCount() const { return m_imageCount; }
    int ParseCount() const { return m_parseCount; }
    // The loaded index, which the library's search runs its queries on; null until loaded.
    _xmlDoc *Document() const { return m_doc.get(); }
    QStringList *UsedPictures() const { return m_usedPictures; }

private:
    const CCorvContext &m_context;
    CorvXmlDom::DocPtr m_doc;
    QString m_indexPath;
    QStringList m_excludedWords;
    QStringList *m_usedPictures = nullptr;
    bool m_loaded = false;
    int m_imageCount = 0;
    int m_parseCount = 0;
};
