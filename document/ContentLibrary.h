#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <vector>

class CCorvPage;
class CCorvessaDoc;

// A content library: a catalogue file ("*.kvxl") of reusable screens, each kept beside it as a single-screen
// archive in "<name>_Library/<name>_Item<n>/<name>_Item<n>.kvl", where <name> is the catalogue's file name
// without its extension.

// One screen of a library.
class LibraryItemFromXML
{
public:
    virtual ~LibraryItemFromXML() = default;

    // The page type from its word (any other word gives pt_document); sets the folder flag with it.
    void SetPageType(const QString &word);
    void SetAuxPageType(const QString &word);
    void SetPageTypeValue(int pageType);
    void SetAuxPageTypeValue(int auxPageType) { m_auxPageType = auxPageType; }
    QString GetPageType() const;
    QString GetAuxPageType() const;
    int GetFolder() const { return m_folder; }

    QString GetName() const { return m_name; }
    QString GetDepth() const { return m_depth; }
    QString GetDescription() const { return m_description; }
    QString GetItemPath() const { return m_itemPath; }
    void SetName(const QString &name) { m_name = name; }
    void SetDepth(const QString &depth) { m_depth = depth; }
    void SetDescription(const QString &description) { m_description = description; }
    void SetItemPath(const QString &path) { m_itemPath = path; }

    // Written nested in their item; this program makes none, and the reader lists nested items flat.
    std::vector<std::unique_ptr<LibraryItemFromXML>> children;

private:
    int m_pageType = 2;
    int m_auxPageType = 0;
    int m_folder = 0;
    QString m_itemPath;
    QString m_description;
    QString m_name;
    QString m_depth = QStringLiteral("0");
};

// A whole library catalogue.
class LibraryFromXML
{
public:
    virtual ~LibraryFromXML() = default;

    std::vector<std::unique_ptr<LibraryItemFromXML>> items;
    // Items read plus items added: the next item takes a number above it.
    int itemCounter = 0;

    QString GetDescription() const { return m_description; }
    void SetDescription(const QString &description) { m_description = description; }
    // Null when the index is not below the item count.
    LibraryItemFromXML *GetItem(int index) const;

    // The catalogue file's bytes: UTF-8 with a byte-order mark, one element a line, texts in CDATA sections
    // (a "]]>" in a text split over two sections so it reads back as it was).
    QByteArray ToBytes() const;
    // Reads a catalogue. Element names in any letter case; nested items listed flat in document order;
    // line ends of texts read as CR LF. Null, with the reason in *errorText, when the bytes are not
    // well-formed XML or hold no "library" element. Entities are never expanded from a DTD.
    static std::unique_ptr<LibraryFromXML> ReadBytes(const QByteArray &bytes, QString *errorText = nullptr);

private:
    QString m_description;
};

// The handle through which the library commands read a library file, add screens to it and write it back.
// It is made for one operation. Once it holds a model (after a read or a first add), further adds go into
// that model whatever library path they name, until the next read.
class ContentLibrary
{
public:
    explicit ContentLibrary(CCorvessaDoc &document);
    ~ContentLibrary();

    // 1 when the file was read (the model and the library description replaced); 0, after telling the
    // author "Unable to read Library", when not. The model is dropped either way first.
    int ReadLibraryFile(const QString &path);
    // Writes the held model to the library path (replaced only once complete). False, after telling the
    // author why, when it cannot be written; true when there is no model.
    bool WriteLibraryFile();
    // Saves the screen as the library's next item and adds it to the model; writes the catalogue unless
    // deferWriting (a caller adding several screens writes once at the end). An existing catalogue that
    // cannot be read stops the add ("Unable to load library: %s"). The item joins the catalogue only once its
    // archive is saved; its number is the smallest above the counter whose folder and path are free, so an
    // item left on disk is never overwritten. 1 when added, 0 when not (the author has been told).
    int AddPageToLibrary(const QString &libraryPath, const QString &libraryDescription, CCorvPage *screen,
                         const QString &itemName, const QString &itemDescription, const QString &depth,
                         bool deferWriting);

    QString GetLibraryDescription() const { return m_libraryDescription; }
    QString GetLibraryPath() const { return m_libraryPath; }
    QString GetItemDescription() const { return m_itemDescription; }
    LibraryFromXML *GetModel() const { return m_model.get(); }

    // The archive file of an item of the library at libraryPath: its stored path (either separator) below
    // the library's folder, found without regard to letter case. Empty when the stored path is absolute or
    // climbs out of the folder.
    static QString ItemFilePath(const QString &libraryPath, const QString &storedItemPath);
    // The default description of an item: "From: <course name> - <date and time>".
    QString DefaultItemDescription() const;

private:
    CCorvessaDoc &m_document;
    QString m_libraryPath;
    QString m_libraryDescription;
    QString m_itemName;
    QString m_itemDescription;
    QString m_depth;
    CCorvPage *m_screen = nullptr;
    std::unique_ptr<LibraryFromXML> m_model;
};
