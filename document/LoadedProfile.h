#pragma once

#include <QString>

// The international profile the document owns once one is loaded. The profile's reader lives in the import
// part of the program, above the document, and derives its profile from this so that the document can own
// and free it without knowing its contents.
class CLoadedProfile
{
public:
    virtual ~CLoadedProfile() = default;
    // Writes the profile as a profile file at path (the project's copy, "kv_profile.xml"). False when it
    // could not be written; a profile that cannot write itself writes nothing.
    virtual bool WriteProfileFile(const QString & /*path*/) const { return false; }
};
