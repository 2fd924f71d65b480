#pragma once

#include <functional>
#include <memory>

class CArchive;
class CComponentBase;
class CEditCanvas;

// Makes components by type code, and reads one component entry as the project and single-screen loaders
// do. Records carry no length, so a code this program cannot read ends the whole read: nothing after it
// could be found. The codes a list never holds (media anywhere, remediation outside the main list) are
// never written and stand alone: nothing is made for them and the next int32 is the next type code.
class CComponentFactory
{
public:
    // A new component of the kind, with its window on the canvas when one is given; null for a code this
    // program does not make.
    static std::unique_ptr<CComponentBase> CreateComponent(int type, CEditCanvas *parent);
    static bool IsSupported(int type);
    // The class name of a type code ("CComponentLink"); "" for a code outside 0-24.
    static const char *ClassName(int type);

    struct LoadOptions {
        // Implicit: a schema number alone gives the options of a project load.
        LoadOptions(int schema) : fileSchema(schema) {}
        int fileSchema;           // the archive's schema number
        bool standAlone = false;  // read from a single-screen archive
        bool mainList = true;     // the screen belongs to the main list (remediation is read only there)
        CEditCanvas *parent = nullptr;
        // Steps before the record is read (the link and text fonts of the course).
        std::function<void(CComponentBase &)> beforeRead;
        // Steps after it (what follows the record in the stream, such as a text box's rich text).
        std::function<void(CComponentBase &, CArchive &)> afterRead;
    };

    // Reads the type code and the entry that follows (SerializeEntry). Throws CArchiveException for a short
    // entry and, with the cause badSchema, for a code that cannot be read here (codes outside 0-24, kinds
    // this program does not make). Returns null, having read the type code alone, for a code the list does
    // not hold (IsDroppedOnLoad). The caller gets a component only when all of it was read.
    static std::unique_ptr<CComponentBase> LoadComponent(CArchive &ar, const LoadOptions &options);

    // The loaders make no media component (never written by the system) and no remediation component
    // outside the main list; the writers leave such components out.
    static bool IsDroppedOnLoad(int type, bool mainList);
};
