#pragma once

// The international profile the document owns once one is loaded. The profile's reader lives in the import
// part of the program, above the document, and derives its profile from this so that the document can own
// and free it without knowing its contents.
class CLoadedProfile
{
public:
    virtual ~CLoadedProfile() = default;
};
