#pragma once

#include "app/GraphicsLibraryIndex.h"

#include <memory>

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

private:
    struct DocFree {
        void operator()(_xmlDoc *doc) const;
    };

    const CCorvContext &m_context;
    std::unique_ptr<_xmlDoc, DocFree> m_doc;
    QString m_indexPath;
    QStringList m_excludedWords;
    QStringList *m_usedPictures = nullptr;
    bool m_loaded = false;
    int m_imageCount = 0;
    int m_parseCount = 0;
};
