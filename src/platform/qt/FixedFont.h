#pragma once

#include <QFont>

// The typewriter face of the lists and the code fields: Courier New, which
// keeps their columns in place, or, on a system without it, the first
// fixed-pitch face installed (a proportional fallback would break every
// column of a list line).
QFont fixedFont(int pointSize);
