#pragma once

#include "storage/ShortString.h"

#include <QByteArray>

// Encodes and decodes a record as its short string fields laid end to end.
namespace RecordCodec {

template <class Rec>
QByteArray encode(const Rec& rec)
{
    QByteArray bytes(Rec::Size, '\0');
    int offset = 0;
    Rec::forEachField(rec, [&](const QString& value, int capacity) {
        ShortString::store(bytes.data() + offset, capacity, value);
        offset += capacity + 1;
    });
    Q_ASSERT(offset == Rec::Size);
    return bytes;
}

template <class Rec>
Rec decode(const char* bytes)
{
    Rec rec;
    int offset = 0;
    Rec::forEachField(rec, [&](QString& value, int capacity) {
        value = ShortString::load(bytes + offset, capacity);
        offset += capacity + 1;
    });
    return rec;
}

// A buffer shorter than a record decodes as far as it goes; the rest stays empty.
template <class Rec>
Rec decode(const QByteArray& bytes)
{
    if (bytes.size() >= Rec::Size)
        return decode<Rec>(bytes.constData());
    QByteArray padded = bytes;
    padded.append(QByteArray(Rec::Size - bytes.size(), '\0'));
    return decode<Rec>(padded.constData());
}

} // namespace RecordCodec
