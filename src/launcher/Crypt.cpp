#include "launcher/Crypt.h"

#include "storage/ShortString.h"

#include <cstdint>

namespace {

constexpr uint16_t K0 = 7851;
constexpr uint16_t M = 36217;
constexpr uint16_t A = 29461;

// The key advances with the scrambled byte in both directions. Every step
// wraps at 65536; it is computed in 32 unsigned bits and cut to 16, because
// two 16-bit values would be multiplied as int, where 60319 × 36217 overflows.
inline uint16_t nextKey(uint8_t scrambled, uint16_t key)
{
    const uint32_t sum = (uint32_t{scrambled} + key) & 0xFFFFu;
    const uint32_t product = (sum * M) & 0xFFFFu;
    return static_cast<uint16_t>((product + A) & 0xFFFFu);
}

int hexValue(QChar c)
{
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return -1;
}

} // namespace

QString Encrypt(const QString& plain)
{
    static const char digits[] = "0123456789ABCDEF";
    const QByteArray bytes = ShortString::toWindows1252(plain);
    QString out;
    out.reserve(bytes.size() * 2);
    uint16_t key = K0;
    for (const char ch : bytes) {
        const uint8_t c = static_cast<uint8_t>(static_cast<uint8_t>(ch) ^ (key >> 8));
        out += QLatin1Char(digits[c >> 4]);
        out += QLatin1Char(digits[c & 15]);
        key = nextKey(c, key);
    }
    return out;
}

bool Decrypt(const QString& hex, QString& plain)
{
    const int n = hex.size() / 2;
    QByteArray bytes;
    bytes.reserve(n);
    uint16_t key = K0;
    for (int i = 0; i < n; ++i) {
        const int hi = hexValue(hex.at(2 * i));
        const int lo = hexValue(hex.at(2 * i + 1));
        if (hi < 0 || lo < 0)
            return false;
        const uint8_t c = static_cast<uint8_t>(hi * 16 + lo);
        bytes.append(static_cast<char>(c ^ (key >> 8)));
        key = nextKey(c, key);
    }
    plain = ShortString::fromWindows1252(bytes.constData(), bytes.size());
    return true;
}
