#!/bin/sh
# Makes the keys and the certificate the certificate tests read, with openssl,
# in DIR: key.pem (RSA, PKCS #1) and key.der, key8.pem (PKCS #8), locked.pem
# (with a pass phrase), ec.pem, cert.pem and cert.der.
set -e
mkdir -p "$1"
cd "$1"
openssl genrsa -traditional -out key.pem 2048 2>/dev/null
openssl rsa -in key.pem -traditional -outform der -out key.der 2>/dev/null
openssl pkcs8 -topk8 -nocrypt -in key.pem -out key8.pem
openssl rsa -in key.pem -aes256 -passout pass:secret -out locked.pem 2>/dev/null
openssl ecparam -name prime256v1 -genkey -noout -out ec.pem
openssl req -new -x509 -key key.pem -subj /CN=veltra2-test -days 3650 -out cert.pem
openssl x509 -in cert.pem -outform der -out cert.der
