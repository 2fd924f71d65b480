#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <vector>

struct _xmlDoc;

// The graphics library's index (images.xml) as every search over it reads it: the library pickers, where
// the author searches by keywords, and the importer's choice of a picture for a piece of text.
//
// The index is read once into a table of its "image" elements (name, keywords, category, type and file, each
// from its first element) with a word index over the bracketed keywords and names, so a query costs a few
// look-ups rather than a pass over the whole document. A query stands for the XPath text BuildKeywordQuery
// writes; SelectImages evaluates such a text on the document itself and selects the same pictures.
class CGraphicsLibraryTable
{
public:
    // The picture types a query allows, as bits.
    enum TypeBit { BwBit = 1, VectorBit = 2, ColourBit = 4, ObjectBit = 8 };

    // One query: the words that must all stand in brackets in the keywords or all in the name, an optional
    // category the picture's category must contain.
    struct Query {
        QStringList words;        // none: no word condition (the category and type draws)
        QString category;
        bool hasCategory = false;
    };

    struct Image {
        QString name;
        QString keywords;
        QString category;
        QString type;
        QString file;
        int typeBits = 0;
        // The words of the name and keywords, as hits are judged; filled when first needed.
        mutable QStringList words;
        mutable bool wordsKnown = false;
    };

    CGraphicsLibraryTable();
    ~CGraphicsLibraryTable();
    CGraphicsLibraryTable(const CGraphicsLibraryTable &) = delete;
    CGraphicsLibraryTable &operator=(const CGraphicsLibraryTable &) = delete;

    // Reads the loaded index (not owned; it must outlive this object); null empties the table. The excluded
    // words are left out of the pictures' words (WordsOf).
    void Attach(_xmlDoc *index, const QStringList &excludedWords = {});
    _xmlDoc *Document() const { return m_index; }
    // Whether the index's root element is "images".
    bool RootIsImages() const { return m_rootIsImages; }

    int ImageCount() const { return int(m_images.size()); }
    const Image &ImageAt(int image) const { return m_images[std::size_t(image)]; }
    // The picture's file; empty for a number outside the table.
    QString FileOfImage(int image) const;
    // The words of the picture's name, then of its keywords, without the excluded words.
    const QStringList &WordsOf(int image) const;

    // The pictures (in document order) the query selects among the allowed types; none when no type is
    // allowed.
    std::vector<int> Run(const Query &query, int allowedTypes) const;
    // Evaluates an XPath text on the index: the positions (in document order) of the "image" elements it
    // selects. Empty when the query fails.
    std::vector<int> SelectImages(const QString &xpath) const;

    // The words of a text as searches compare them: lower case, cut at blanks and punctuation (brackets
    // included), letters only, at least two long, not excluded and not yet in the list; appended in text order.
    static void ExtractKeywords(const QString &text, const QStringList &excludedWords, QStringList &words);
    // The type condition: "(0" and one "or contains(type, ...)" per allowed type, then ")".
    static QString TypeCondition(int allowedTypes);
    // The XPath text of one keyword query: every word in brackets in the keywords, or every word in brackets
    // in the name; the category (empty: none) contained in the picture's category; and one of the allowed
    // types. Words and category are quoted as XPath literals, whatever they hold.
    static QString BuildKeywordQuery(const QStringList &words, const QString &category, int allowedTypes);

private:
    _xmlDoc *m_index = nullptr;
    bool m_rootIsImages = false;
    std::vector<Image> m_images;
    QHash<const void *, int> m_imageOfNode;
    // Bracketed word -> images whose keywords (or name) hold it, in document order.
    QHash<QString, std::vector<int>> m_keywordImages;
    QHash<QString, std::vector<int>> m_nameImages;
    QStringList m_excludedWords;
};
