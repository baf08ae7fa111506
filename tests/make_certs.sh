#!/usr/bin/env bash
# Makes the certificates the TLS tests need, in the folder given, with the
# openssl command: two issuers and four server certificates, all EC P-256.
#   ca.pem          the issuer the tests trust
#   server.pem      127.0.0.1 and localhost, from ca.pem      (key: server.key)
#   other.pem       other.example only, from ca.pem           (key: server.key)
#   expired.pem     127.0.0.1 and localhost, expired in 2021  (key: server.key)
#   untrusted.pem   127.0.0.1 and localhost, from an unknown issuer
set -euo pipefail
cd "$1"

key() { openssl genpkey -algorithm EC -pkeyopt ec_paramgen_curve:P-256 -out "$1" 2>/dev/null; }
issuer() { # NAME
    key "$1.key"
    openssl req -x509 -new -key "$1.key" -days 30 -subj "/CN=Quillon test issuer $1" \
        -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign \
        -out "$1.pem" 2>/dev/null
}
server() { # OUT ISSUER NAMES [STARTDATE ENDDATE]
    openssl req -new -key server.key -subj "/CN=quillon test server" -out "$1.csr" 2>/dev/null
    cat >"$1.cnf" <<CNF
[ca]
default_ca = test
[test]
database = $1.index
new_certs_dir = .
serial = $1.serial
default_md = sha256
policy = any
copy_extensions = none
x509_extensions = ext
[any]
commonName = supplied
[ext]
subjectAltName = $3
basicConstraints = CA:FALSE
extendedKeyUsage = serverAuth
CNF
    : >"$1.index"
    openssl rand -hex 8 >"$1.serial"
    local dates=(-days 30)
    [ $# -ge 5 ] && dates=(-startdate "$4" -enddate "$5")
    openssl ca -batch -notext -config "$1.cnf" -cert "$2.pem" -keyfile "$2.key" \
        "${dates[@]}" -in "$1.csr" -out "$1.pem" 2>/dev/null
}

issuer ca
issuer unknown
key server.key
server server ca "IP:127.0.0.1,DNS:localhost"
server other ca "DNS:other.example"
server expired ca "IP:127.0.0.1,DNS:localhost" 20200101000000Z 20210101000000Z
server untrusted unknown "IP:127.0.0.1,DNS:localhost"
