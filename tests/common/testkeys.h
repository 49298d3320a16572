#ifndef TESTKEYS_H
#define TESTKEYS_H

#include <QProcess>
#include <QString>
#include <QStringList>

// Keys and a certificate made afresh by the openssl command in `dir`:
// key.pem (RSA, PKCS #1) and key.der, key8.pem (PKCS #8), locked.pem (with a
// pass phrase), ec.pem, cert.pem and cert.der.
inline bool makeTestKeys(const QString &dir)
{
    const QList<QStringList> steps { { "genrsa", "-traditional", "-out", "key.pem", "2048" },
        { "rsa", "-in", "key.pem", "-traditional", "-outform", "der", "-out", "key.der" },
        { "pkcs8", "-topk8", "-nocrypt", "-in", "key.pem", "-out", "key8.pem" },
        { "rsa", "-in", "key.pem", "-aes256", "-passout", "pass:secret", "-out", "locked.pem" },
        { "ecparam", "-name", "prime256v1", "-genkey", "-noout", "-out", "ec.pem" },
        { "req", "-new", "-x509", "-key", "key.pem", "-subj", "/CN=veltra2-test", "-days", "2",
            "-out", "cert.pem" },
        { "x509", "-in", "cert.pem", "-outform", "der", "-out", "cert.der" } };
    for (const QStringList &args : steps) {
        QProcess openssl;
        openssl.setWorkingDirectory(dir);
        openssl.start(QStringLiteral("openssl"), args);
        if (!openssl.waitForFinished(60000) || openssl.exitCode() != 0)
            return false;
    }
    return true;
}

#endif // TESTKEYS_H
