#include "storage/ClientRecord.h"

#include "storage/RecordCodec.h"

QByteArray TRecCliente::encode() const
{
    return RecordCodec::encode(*this);
}

TRecCliente TRecCliente::decode(const QByteArray& bytes)
{
    return RecordCodec::decode<TRecCliente>(bytes);
}

TRecCliente TRecCliente::decode(const char* bytes)
{
    return RecordCodec::decode<TRecCliente>(bytes);
}
