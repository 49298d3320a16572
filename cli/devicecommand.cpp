#include "cli/devicecommand.h"

#include "link/protocol.h"
#include "link/requests.h"
#include "models/certificateintake.h"
#include "models/configbackup.h"
#include "models/configchoices.h"
#include "models/devicetext.h"
#include "models/historycsvwriter.h"
#include "models/operatorfile.h"

#include <QDate>
#include <QDir>
#include <QJsonDocument>

namespace {

// The link connects on its first short tick: half a second per device is
// nothing to the window, and most of a script's run over many devices.
constexpr int FirstTickMsec = 5;
// Larger than any certificate or key.
constexpr qint64 MaxKeyFile = 1024 * 1024;

const QString Info = QStringLiteral("info");
const QString State = QStringLiteral("state");
const QString ConfigGet = QStringLiteral("config get");
const QString ConfigPut = QStringLiteral("config put");
const QString FactoryReset = QStringLiteral("factory-reset");
const QString Reboot = QStringLiteral("reboot");
const QString CloudRegister = QStringLiteral("cloud register");
const QString ConfigSet = QStringLiteral("config set");
const QString History = QStringLiteral("history");
const QString CertUpload = QStringLiteral("cert upload");

// How a request ended, when not as asked, in a script's words.
QString failure(const Outcome &outcome)
{
    switch (outcome.result) {
    case Outcome::DeviceError:
        return QStringLiteral("Device error: %1")
            .arg(DeviceText::shown(outcome.deviceText, DeviceText::ValueLimit));
    case Outcome::NotADevice:
        return QStringLiteral("Device type %1 is not known")
            .arg(DeviceText::shown(outcome.deviceText, DeviceText::NameLimit));
    case Outcome::NoAnswer:
        return QStringLiteral("The device stopped answering");
    case Outcome::TooLong:
        return QStringLiteral("The device sent a line longer than 8 MiB");
    case Outcome::Stopped:
        return QStringLiteral("Interrupted");
    case Outcome::Closed:
        return QStringLiteral("Connection closed");
    case Outcome::Unusable:
        break;
    case Outcome::Done:
        return {};
    }
    switch (outcome.problem) {
    case Outcome::ConfigNotJson:
        return QStringLiteral("The device's configuration is not a JSON object");
    case Outcome::NotBase64:
        return QStringLiteral("The device's configuration is not Base64");
    case Outcome::OtherFile:
        return QStringLiteral("The device sent another file for its configuration");
    case Outcome::SeriesMissing:
        return QStringLiteral("The history cannot be read: a series is missing");
    case Outcome::UnevenIntervals:
        return QStringLiteral(
            "The history cannot be read: its series were taken at different intervals");
    case Outcome::NoInterval:
        return QStringLiteral("The history cannot be read: it gives no sampling interval");
    default:
        return QStringLiteral("The device's reply is not JSON");
    }
}

} // namespace

QStringList DeviceCommand::synopsis()
{
    return { QStringLiteral("info"), QStringLiteral("state"), QStringLiteral("config get [FILE]"),
        QStringLiteral("config put FILE"), QStringLiteral("factory-reset --yes"),
        QStringLiteral("reboot --yes"), QStringLiteral("cloud register ID"),
        QStringLiteral("config set KEY=VALUE..."), QStringLiteral("history [--csv FILE]"),
        QStringLiteral("cert upload CERT.pem KEY.pem") };
}

std::optional<DeviceCommand::Request> DeviceCommand::parse(const QStringList &words, QString *error)
{
    Request request;
    QStringList rest = words;
    if (rest.isEmpty()) {
        *error = QStringLiteral("No command given");
        return std::nullopt;
    }
    request.command = rest.takeFirst();
    if (request.command == QLatin1String("config") || request.command == QLatin1String("cloud")
        || request.command == QLatin1String("cert"))
        request.command += ' ' + (rest.isEmpty() ? QString() : rest.takeFirst());

    int arguments = 0;
    if (request.command == ConfigGet) {
        arguments = qMin(1, int(rest.size()));
        request.file = rest.value(0);
    } else if (request.command == ConfigPut) {
        arguments = 1;
        request.file = rest.value(0);
    } else if (request.command == CloudRegister) {
        arguments = 1;
        request.cloudId = rest.value(0);
    } else if (request.command == FactoryReset || request.command == Reboot) {
        // Nothing that cannot be undone happens by a slip of the keyboard.
        if (rest.value(0) != QLatin1String("--yes")) {
            *error
                = QStringLiteral("%1 cannot be undone: confirm it with --yes").arg(request.command);
            return std::nullopt;
        }
        arguments = 1;
    } else if (request.command == History) {
        if (!rest.isEmpty() && rest.first() != QLatin1String("--csv")) {
            *error = QStringLiteral("history: unexpected argument %1").arg(rest.first());
            return std::nullopt;
        }
        arguments = rest.isEmpty() ? 0 : 2;
        request.file = rest.value(1);
    } else if (request.command == ConfigSet) {
        for (const QString &word : qAsConst(rest)) {
            const QString key = word.section('=', 0, 0);
            const QString value = word.section('=', 1);
            const QStringList offered = ConfigChoices::values(key);
            if (!word.contains('=') || !ConfigChoices::editedKeys().contains(key)) {
                *error = QStringLiteral("config set: %1 is not KEY=VALUE with KEY one of %2")
                             .arg(word, ConfigChoices::editedKeys().join(QStringLiteral(", ")));
                return std::nullopt;
            }
            if (!offered.isEmpty() && !offered.contains(value)) {
                *error = QStringLiteral("config set: %1 takes one of %2")
                             .arg(key, offered.join(QStringLiteral(", ")));
                return std::nullopt;
            }
            request.settings.insert(key, value);
        }
        arguments = qMax(1, int(rest.size()));
    } else if (request.command == CertUpload) {
        arguments = 2;
        const QString names[] = { Protocol::MqttCertFile, Protocol::MqttKeyFile };
        QByteArray *targets[] = { &request.certificate, &request.key };
        for (int i = 0; i < qMin(2, int(rest.size())); ++i) {
            OperatorFile::Failure failed;
            QString reason;
            const auto data = OperatorFile::read(rest.at(i), MaxKeyFile, &failed, &reason);
            if (failed == OperatorFile::Failure::TooLarge)
                reason = QStringLiteral("larger than %1").arg(reason);
            bool converted = false;
            CertificateIntake::Refusal refusal;
            const auto sent = data
                ? CertificateIntake::deviceFile(names[i], *data, &converted, &refusal)
                : std::nullopt;
            if (data && !sent)
                reason = refusal == CertificateIntake::Refusal::NotACertificate
                    ? QStringLiteral("Invalid certificate data")
                    : QStringLiteral("Invalid private key");
            if (!sent) {
                *error = QStringLiteral("cert upload: %1: %2").arg(rest.at(i), reason);
                return std::nullopt;
            }
            *targets[i] = *sent;
        }
    } else if (request.command != Info && request.command != State) {
        *error = QStringLiteral("Unknown command: %1").arg(request.command.trimmed());
        return std::nullopt;
    }
    if (rest.size() < arguments || (arguments > 0 && rest.value(arguments - 1).isEmpty())) {
        *error = QStringLiteral("%1: missing argument").arg(request.command);
        return std::nullopt;
    }
    if (rest.size() > arguments) {
        *error
            = QStringLiteral("%1: unexpected argument %2").arg(request.command, rest.at(arguments));
        return std::nullopt;
    }
    return request;
}

DeviceCommand::DeviceCommand(const Request &request, const DeviceAddress &address, int timeoutMsec,
    bool manyDevices, QObject *parent)
    : QObject(parent)
    , request(request)
    , address(address)
    , manyDevices(manyDevices)
    , session(this)
    , configuration(&session, this)
    , readings(&session, this)
    , history(&session, this)
    , files(&session, this)
{
    session.setRetryInterval(FirstTickMsec);
    deadline.setSingleShot(true);
    deadline.setInterval(timeoutMsec);
    connect(&deadline, &QTimer::timeout, this, [this] {
        finish(false, QStringLiteral("No answer within %1 s").arg(deadline.interval() / 1000.0));
    });
    connect(&session, &DeviceSession::connectFailed, this,
        [this](const QString &reason) { finish(false, reason); });
    connect(&session, &DeviceSession::connected, this, &DeviceCommand::ask);
    connect(&session, &DeviceSession::ended, this, [this](const Outcome &outcome) {
        if (outcome.query() == QLatin1String(Protocol::Info))
            identified(outcome);
    });
    // A link that ends with a request of ours outstanding has told it; one
    // that ends between them (a reboot's) is told here, once what came
    // before has been taken.
    connect(&session, &DeviceSession::linkEnded, this, [this] {
        QTimer::singleShot(0, this, [this] { finish(false, QStringLiteral("Connection closed")); });
    });
}

DeviceCommand::~DeviceCommand() = default;

void DeviceCommand::start()
{
    deadline.start();
    session.open(address);
}

void DeviceCommand::cancel()
{
    finish(false, QStringLiteral("Interrupted"));
}

bool DeviceCommand::succeeded(const Outcome &outcome)
{
    if (!outcome.ok())
        finish(false, failure(outcome));
    return outcome.ok() && !done;
}

void DeviceCommand::identified(const Outcome &outcome)
{
    if (!succeeded(outcome))
        return;
    const DeviceIdentity &identity = *session.identity();
    if (request.command == Info) {
        finish(true,
            QStringList { identity.model,
                DeviceText::shown(identity.version, DeviceText::NameLimit),
                DeviceText::shown(identity.build, DeviceText::NameLimit) }
                .join(' '),
            { { QStringLiteral("version"),
                  DeviceText::shown(identity.version, DeviceText::NameLimit) },
                { QStringLiteral("build"),
                    DeviceText::shown(identity.build, DeviceText::NameLimit) } });
        return;
    }
    write();
}

void DeviceCommand::ask()
{
    // What only reads goes out with the question of what the device is: the
    // answers come in order, so the model is known by the time they are
    // read, and a slow device costs one round trip instead of two.
    if (request.command == State) {
        readings.request(this, [this](const Outcome &outcome) {
            if (!succeeded(outcome))
                return;
            QStringList members;
            for (auto it = outcome.reply.constBegin(); it != outcome.reply.constEnd(); ++it)
                members << DeviceText::shown(it.key(), DeviceText::NameLimit) + '='
                        + DeviceText::shown(it.value(), DeviceText::ValueLimit);
            finish(true, members.join(' '), { { QStringLiteral("state"), outcome.reply } });
        });
    } else if (request.command == ConfigGet) {
        configuration.read(this, [this](const Outcome &outcome) {
            if (succeeded(outcome))
                saveConfiguration();
        });
    } else if (request.command == ConfigSet) {
        // Members the command does not set are the device's own, as read;
        // nothing is written before the device has said what it is.
        configuration.read(this, [this](const Outcome &outcome) {
            if (succeeded(outcome) && session.identity())
                configuration.apply(request.settings, this, [this](const Outcome &written) {
                    if (succeeded(written))
                        finish(true, QStringLiteral("done"));
                });
        });
    } else if (request.command == History) {
        history.request(this, [this](const Outcome &outcome) {
            if (succeeded(outcome))
                saveHistory();
        });
    }
}

void DeviceCommand::write()
{
    const auto finishes = [this](const Outcome &outcome) {
        if (succeeded(outcome))
            finish(true, QStringLiteral("done"));
    };
    if (request.command == ConfigPut) {
        // The device's own file is not needed: the backup replaces it whole.
        ConfigBackup backup;
        QString error;
        if (!backup.load(request.file, session.identity()->model, &error)) {
            finish(false, error);
            return;
        }
        configuration.restore(backup.settings, {}, this, finishes);
    } else if (request.command == FactoryReset) {
        configuration.factoryDefaults(this, finishes);
    } else if (request.command == Reboot) {
        session.send(Requests::reset(), this, finishes);
    } else if (request.command == CloudRegister) {
        files.registerCloud(request.cloudId, this, finishes);
    } else if (request.command == CertUpload) {
        uploadsLeft = 2;
        const auto uploaded = [this](const Outcome &outcome) {
            if (succeeded(outcome) && --uploadsLeft == 0)
                finish(true, QStringLiteral("done"));
        };
        files.upload(Protocol::MqttCertFile, request.certificate, this, uploaded);
        files.upload(Protocol::MqttKeyFile, request.key, this, uploaded);
    }
}

void DeviceCommand::saveHistory()
{
    const HistorySamples &samples = history.samples();
    const QJsonObject summary { { QStringLiteral("samples"), samples.rows },
        { QStringLiteral("intervalMsec"), samples.interval } };
    if (request.file.isEmpty()) {
        finish(true,
            QStringLiteral("%1 samples, one every %2 s")
                .arg(samples.rows)
                .arg(samples.interval / 1000.0),
            summary);
        return;
    }
    const QString path = manyDevices ? QDir(request.file)
                                           .filePath(QString(address.host).replace(':', '-') + '_'
                                               + HistoryCsvWriter::defaultFileName(
                                                   session.identity()->model, QDate::currentDate()))
                                     : request.file;
    writer = std::make_unique<HistoryCsvWriter>(samples, history.columns(), path);
    connect(writer.get(), &HistoryCsvWriter::finished, this,
        [this, path, summary, rows = samples.rows](bool saved, const QString &error) {
            QJsonObject result = summary;
            result.insert(QStringLiteral("file"), path);
            const QString shown = QDir::toNativeSeparators(path);
            finish(saved,
                saved ? QStringLiteral("%1 samples saved to %2").arg(rows).arg(shown)
                      : QStringLiteral("Cannot write to %1: %2").arg(shown, error),
                result);
        });
    writer->start();
}

void DeviceCommand::saveConfiguration()
{
    const auto backup = configuration.backup();
    if (!backup) {
        finish(false, QStringLiteral("The device sent no configuration"));
        return;
    }
    if (request.file.isEmpty()) {
        // One line, as the device wrote its members.
        finish(true, QString::fromUtf8(JsonMembers::minified(backup->settings.toJson())), {},
            backup->toJson(false));
        return;
    }
    const QString path = manyDevices ? QDir(request.file)
                                           .filePath(ConfigBackup::defaultFileName(
                                               backup->model, address.host, QDate::currentDate()))
                                     : request.file;
    QString error;
    if (!backup->save(path, &error)) {
        finish(
            false, QStringLiteral("Cannot save %1: %2").arg(QDir::toNativeSeparators(path), error));
        return;
    }
    finish(true, QStringLiteral("saved to %1").arg(QDir::toNativeSeparators(path)),
        { { QStringLiteral("file"), path } });
}

void DeviceCommand::finish(bool ok, QString text, QJsonObject result, QByteArray raw)
{
    if (done)
        return;
    done = true;
    deadline.stop();
    if (const auto &identity = session.identity(); identity && raw.isEmpty())
        result.insert(QStringLiteral("model"), identity->model);
    session.stop();
    emit finished(ok, text, result, raw);
}
