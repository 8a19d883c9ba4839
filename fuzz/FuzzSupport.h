#pragma once

// What every fuzz target shares: a property that does not hold ends the run
// as a crash, so that libFuzzer keeps the input that broke it, and the ways
// of turning fuzz bytes into the texts the program meets.

#include "storage/ShortString.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QString>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace fuzz {

// A text readable in a report: printable ASCII as it is, anything else as \uXXXX.
inline std::string show(const QString& text)
{
    std::string out;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= 32 && u < 127 && u != '\\') {
            out += char(u);
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", unsigned(u));
            out += buf;
        }
    }
    return out;
}

[[noreturn]] inline void fail(const char* file, int line, const char* condition, const std::string& detail)
{
    std::fprintf(stderr, "%s:%d: property does not hold: %s\n%s\n", file, line, condition, detail.c_str());
    std::fflush(stderr);
    std::abort();
}

inline std::string describe() { return {}; }
inline std::string describe(const QString& a) { return "  " + show(a); }
inline std::string describe(const QString& a, const QString& b) { return "  " + show(a) + "\n  " + show(b); }
inline std::string describe(const QString& a, const QString& b, const QString& c)
{
    return describe(a, b) + "\n  " + show(c);
}

// The digits 0 to 9 of a text, in order.
inline QString digitsOf(const QString& text)
{
    QString digits;
    for (const QChar c : text) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digits += c;
    }
    return digits;
}

// What a text field can be handed.
enum class TextKind {
    Windows1252,   // bytes of an archive or a file: every character has its byte
    Utf16,         // any code units, lone surrogates included: a paste can bring them
    Alphabet       // characters of the alphabet given: the texts the code really works on
};

// One text from the provider, of the kind asked for.
inline QString takeText(FuzzedDataProvider& in, TextKind kind, const QString& alphabet = QString(),
                        size_t maxLength = 512)
{
    const std::string bytes = in.ConsumeRandomLengthString(maxLength);
    switch (kind) {
    case TextKind::Windows1252:
        return ShortString::fromWindows1252(bytes.data(), int(bytes.size()));
    case TextKind::Utf16: {
        // Copied, not cast: the bytes need not lie on a two-byte boundary.
        QString text(int(bytes.size() / 2), Qt::Uninitialized);
        std::memcpy(text.data(), bytes.data(), size_t(text.size()) * 2);
        return text;
    }
    case TextKind::Alphabet: {
        QString text;
        for (const unsigned char b : bytes)
            text += alphabet.at(b % alphabet.size());
        return text;
    }
    }
    return QString();
}

// A text of a kind chosen by the input itself.
inline QString takeAnyText(FuzzedDataProvider& in, const QString& alphabet, size_t maxLength = 512)
{
    const auto kind = static_cast<TextKind>(in.ConsumeIntegralInRange<int>(0, 2));
    return takeText(in, kind, alphabet, maxLength);
}

} // namespace fuzz

#define FUZZ_REQUIRE(condition, ...)                                                                             \
    do {                                                                                                         \
        if (!(condition))                                                                                        \
            ::fuzz::fail(__FILE__, __LINE__, #condition, ::fuzz::describe(__VA_ARGS__));                         \
    } while (0)
