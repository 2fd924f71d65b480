#pragma once

#include <QString>

// The program's numbered message texts, kept in one table keyed by their numbers. Each part of the program
// adds the entries it uses; texts are the program's own, exactly.
class CStringTable
{
public:
    // The text of entry id; an empty string when the table has no such entry.
    static QString Load(int id);
    // Whether the table holds entry id.
    static bool Has(int id);
};
