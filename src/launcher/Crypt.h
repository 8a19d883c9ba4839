#pragma once

#include <QString>

// The reversible scrambling of the password store: a byte stream XORed with
// the high byte of a 16-bit key that advances with each scrambled byte.
// Both work on Windows-1252 bytes.

// Two upper-case hexadecimal digits per character; empty in, empty out.
QString Encrypt(const QString& plain);

// Reads pairs of hexadecimal digits (either case); a final odd digit is
// ignored. False, with plain untouched, when a pair is not hexadecimal.
bool Decrypt(const QString& hex, QString& plain);
