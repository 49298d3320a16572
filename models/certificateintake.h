#ifndef CERTIFICATEINTAKE_H
#define CERTIFICATEINTAKE_H

#include <QByteArray>
#include <QString>

#include <optional>

// What a file becomes on the device: the MQTT client certificate and key are
// kept there in DER, so PEM is converted; a file that is neither a
// certificate nor an RSA key where one is expected is refused. Files under
// any other name pass as they are.
class CertificateIntake {
public:
    enum class Refusal { None, NotACertificate, NotAKey };

    // The bytes to upload as `filename`, `converted` telling whether they
    // were PEM; nothing, with why in `refusal`, for a file that is not what
    // the name asks.
    static std::optional<QByteArray> deviceFile(
        const QString &filename, const QByteArray &data, bool *converted, Refusal *refusal);
};

#endif // CERTIFICATEINTAKE_H
