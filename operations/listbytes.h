#pragma once

#include <QVariant>
#include <QVariantList>

// List entries from the scene may be numbers or, once stored and read back,
// texts; anything that is not a number counts as 0.
inline uchar byteOf(const QVariant &value)
{
    return uchar(value.toInt() & 0xFF);
}

inline uchar unsignedByteOf(const QVariant &value)
{
    return uchar(value.toUInt() & 0xFF);
}

// Entry `index` of a list; a list that is too short reads as 0 there.
inline uchar byteAt(const QVariantList &list, qsizetype index)
{
    return index < list.size() ? byteOf(list.at(index)) : uchar(0);
}

inline uchar unsignedByteAt(const QVariantList &list, qsizetype index)
{
    return index < list.size() ? unsignedByteOf(list.at(index)) : uchar(0);
}
