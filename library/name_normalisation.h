// The comparison form of a tag text: letter-like characters in upper case, accents and
// punctuation, digits and symbols of arithmetic and currency removed, words separated by single
// spaces. Driven by the Unicode 4.0 tables; identical on every machine.
#pragma once

#include <cstddef>

namespace brek::zomelo {

// Normalises the NUL-terminated `source` (UTF-8 expected, any bytes accepted) into
// `destination` of `size` bytes, NUL-terminated. The result is never longer than the source,
// so a destination as large as the source always holds it whole. Allocates nothing.
void NormaliseName(const char* source, char* destination, size_t size);

}  // namespace brek::zomelo
