#include "models/certificateintake.h"

#include "link/protocol.h"

#include <QSslCertificate>
#include <QSslKey>

std::optional<QByteArray> CertificateIntake::deviceFile(
    const QString &filename, const QByteArray &data, bool *converted, Refusal *refusal)
{
    *converted = false;
    *refusal = Refusal::None;
    if (filename == QLatin1String(Protocol::MqttCertFile)) {
        if (!QSslCertificate(data, QSsl::Der).isNull())
            return data;
        const QSslCertificate pem(data, QSsl::Pem);
        if (pem.isNull()) {
            *refusal = Refusal::NotACertificate;
            return std::nullopt;
        }
        *converted = true;
        return pem.toDer();
    }
    if (filename == QLatin1String(Protocol::MqttKeyFile)) {
        if (!QSslKey(data, QSsl::Rsa, QSsl::Der, QSsl::PrivateKey, QByteArray()).isNull())
            return data;
        const QSslKey pem(data, QSsl::Rsa, QSsl::Pem, QSsl::PrivateKey, QByteArray());
        if (pem.isNull()) {
            *refusal = Refusal::NotAKey;
            return std::nullopt;
        }
        *converted = true;
        return pem.toDer(QByteArray());
    }
    return data;
}
