#!/bin/sh
# Signs a packed launcher file and checks the signature.  Pack first, then
# sign: the signature covers the payload, and packing after signing would
# leave a file whose signature no longer verifies.
#   sign.sh CERTIFICATE KEY LAUNCHER SIGNED
set -eu
osslsigncode sign -certs "$1" -key "$2" -n "Hello" -h sha256 -in "$3" -out "$4"
# A certificate of a public authority verifies against the system's list; a
# certificate of one's own, as in a test, is named as its own authority.
osslsigncode verify -CAfile "$1" -in "$4"
