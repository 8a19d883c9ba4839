#include "storage/ReceiptRecord.h"

#include "storage/RecordCodec.h"

QByteArray TRecRicevuta::encode() const
{
    return RecordCodec::encode(*this);
}

TRecRicevuta TRecRicevuta::decode(const QByteArray& bytes)
{
    return RecordCodec::decode<TRecRicevuta>(bytes);
}

TRecRicevuta TRecRicevuta::decode(const char* bytes)
{
    return RecordCodec::decode<TRecRicevuta>(bytes);
}
