#pragma once
#include <cstdio>

// A signed Windows program carries its Authenticode signature in a
// certificate table at the end of the file, named by the security entry of
// its optional header's data directory.  Signing a launcher file puts that
// table behind the payload's trailer.

// Where a certificate table that ends the file begins, as an offset from the
// start of the file of `size` bytes; `size` when the file is no program image
// with such a table.  Every header field is checked against the file before
// it is used.
long long certificateTableStart(std::FILE* stream, long long size);
