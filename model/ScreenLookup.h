#pragma once

class CCorvPage;

// How components find the screens they name. Screens are referred to by their unique number and looked up
// again whenever needed, so a deleted screen is never reached through a stale pointer. The project
// document answers for its three lists.
class CScreenLookup
{
public:
    virtual ~CScreenLookup() = default;
    // A screen of the main, popups or glossary list with that number; null when there is none.
    virtual CCorvPage *FindScreenByNumber(int id) const = 0;
    // A screen of the main list with that number; null when there is none there.
    virtual CCorvPage *FindMainScreenByNumber(int id) const = 0;
};
