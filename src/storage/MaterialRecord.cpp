#include "storage/MaterialRecord.h"

#include "storage/RecordCodec.h"

QByteArray TRecMateriale::encode() const
{
    return RecordCodec::encode(*this);
}

TRecMateriale TRecMateriale::decode(const QByteArray& bytes)
{
    return RecordCodec::decode<TRecMateriale>(bytes);
}

TRecMateriale TRecMateriale::decode(const char* bytes)
{
    return RecordCodec::decode<TRecMateriale>(bytes);
}
