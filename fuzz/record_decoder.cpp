// One record of an archive as the file holds it, damaged or not: the decoder
// reads it without straying out of the record, every field comes out trimmed
// and within its capacity, and encoding the decoded record gives the
// record's canonical bytes, which decode to the same record again.
// Built once per record type (FUZZ_RECORD, FUZZ_RECORD_HEADER).

#include FUZZ_RECORD_HEADER

#include "FuzzSupport.h"

#include <QByteArray>

#include <vector>

using Rec = FUZZ_RECORD;

namespace {

struct Field
{
    int offset;
    int capacity;
};

std::vector<Field> layout()
{
    std::vector<Field> fields;
    Rec rec;
    int offset = 0;
    Rec::forEachField(rec, [&](QString&, int capacity) {
        fields.push_back({offset, capacity});
        offset += capacity + 1;
    });
    FUZZ_REQUIRE(offset == Rec::Size);
    return fields;
}

std::vector<QString> valuesOf(const Rec& rec)
{
    std::vector<QString> values;
    Rec::forEachField(rec, [&](const QString& value, int) { values.push_back(value); });
    return values;
}

// A field's bytes as a reader sees them: the counted characters, the length
// byte taken as the capacity when it says more, codes 0 to 32 trimmed off.
QByteArray significantBytes(const char* field, int capacity)
{
    int length = static_cast<unsigned char>(field[0]);
    if (length > capacity)
        length = capacity;
    int begin = 1;
    int end = 1 + length;
    while (begin < end && static_cast<unsigned char>(field[begin]) <= 32)
        ++begin;
    while (end > begin && static_cast<unsigned char>(field[end - 1]) <= 32)
        --end;
    return QByteArray(field + begin, end - begin);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::vector<Field> fields = layout();

    // Exactly the bytes given, in a buffer of their own: a read past them is
    // a finding, not a read of whatever libFuzzer keeps next to them.
    const QByteArray given(reinterpret_cast<const char*>(data), int(size));
    const Rec rec = Rec::decode(given);

    // A shorter buffer reads as the same buffer padded with zeros.
    QByteArray full = given.left(Rec::Size);
    full.append(QByteArray(Rec::Size - full.size(), '\0'));
    const std::vector<QString> values = valuesOf(rec);
    FUZZ_REQUIRE(valuesOf(Rec::decode(full.constData())) == values);

    const QByteArray encoded = rec.encode();
    FUZZ_REQUIRE(encoded.size() == Rec::Size);
    for (size_t i = 0; i < fields.size(); ++i) {
        const Field& f = fields[i];
        const QString& value = values[i];
        FUZZ_REQUIRE(value.size() <= f.capacity, value);
        FUZZ_REQUIRE(ShortString::trimControls(value) == value, value);
        // The canonical bytes: the significant bytes of the field as read,
        // their count in the length byte, zeros after them.
        const QByteArray wanted = significantBytes(full.constData() + f.offset, f.capacity);
        const char* got = encoded.constData() + f.offset;
        FUZZ_REQUIRE(static_cast<unsigned char>(got[0]) == wanted.size(), value);
        FUZZ_REQUIRE(QByteArray(got + 1, int(wanted.size())) == wanted, value);
        for (int b = 1 + int(wanted.size()); b <= f.capacity; ++b)
            FUZZ_REQUIRE(got[b] == '\0', value);
        FUZZ_REQUIRE(loadField(encoded.constData(), FieldPos{f.offset, f.capacity}) == value, value);
    }
    FUZZ_REQUIRE(valuesOf(Rec::decode(encoded)) == values);
    FUZZ_REQUIRE(Rec::decode(encoded).encode() == encoded);
    return 0;
}
