#pragma once

class CPublishContext;

// What makes the published folder a package for a learning management system: the manifest, the course's
// metadata record, and, when the LMS opens the course in its own window, the removal of the course's own
// start and frame pages.
class CLmsPackage
{
public:
    explicit CLmsPackage(CPublishContext &context) : m_context(context) {}

    // imsmanifest.xml, naming every file of the folder.
    bool WriteManifest();
    // kv_metadata.xml from the program folder's template for the SCORM version.
    bool WriteMetadata();
    // Removes the pages an LMS that opens the course in its own window must not find, and their lines of
    // the manifest.
    bool StripAutoOpenFiles();

private:
    CPublishContext &m_context;
};
