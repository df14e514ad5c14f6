#pragma once

// Shorthands for writing expected payloads as literals.
#include <QByteArray>
#include <QVariantList>

#include <initializer_list>

namespace testing {

inline QVariantList values(std::initializer_list<int> list)
{
    QVariantList result;
    for (int value : list)
        result << value;
    return result;
}

inline QByteArray bytes(const unsigned char *data, int size)
{
    return QByteArray(reinterpret_cast<const char *>(data), size);
}

} // namespace testing
