#pragma once

#include <QByteArray>
#include <QString>

#include <initializer_list>
#include <utility>

// The records the tests put in an archive or hand to a function: the fields
// named, every other one empty, as a new card is. Values go in as given;
// encode() fits each to its field's capacity as a save does, so a sample
// holds what the program would have written. A receipt's line families
// (Quant[20] and the rest) are set on the returned record.
//
//     using C = TRecCliente;
//     dir.writeAll("Clienti.pro", sampleBytes<C>({{&C::Nominativo, "Rossi Mario"}, {&C::Citta, "Forlì"}}));
template <class Record>
using SampleFields = std::initializer_list<std::pair<QString Record::*, QString>>;

template <class Record>
Record sample(SampleFields<Record> fields)
{
    Record record;
    for (const auto& [field, value] : fields)
        record.*field = value;
    return record;
}

// The same record as it lies in its file.
template <class Record>
QByteArray sampleBytes(SampleFields<Record> fields)
{
    return sample<Record>(fields).encode();
}
