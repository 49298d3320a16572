#ifndef TESTKEYS_H
#define TESTKEYS_H

#include <QDir>
#include <QFile>
#include <QString>

// Copies into `dir` the keys and the certificate openssl made for the build
// (make-test-keys.sh): key.pem, key.der, key8.pem, locked.pem, ec.pem,
// cert.pem and cert.der. openssl runs on the build machine, not where the
// tests may run.
inline bool copyTestKeys(const QString &dir)
{
    const QDir keys(QStringLiteral(TEST_KEYS_DIR));
    const QStringList names = keys.entryList(QDir::Files);
    if (names.size() != 7)
        return false;
    for (const QString &name : names) {
        if (!QFile::copy(keys.filePath(name), QDir(dir).filePath(name)))
            return false;
    }
    return true;
}

#endif // TESTKEYS_H
