#pragma once

#include <QString>

// The maker of the program, as the launcher, the information and the splash
// screens lead to it.
QString makerWebAddress();
QString makerMailAddress();
// The e-mail to the maker, subject and first words already written.
QString makerMailto();
