#pragma once

#include <QByteArray>

#include <initializer_list>

// Bytes written out one by one, for expected file and archive contents.
inline QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}
