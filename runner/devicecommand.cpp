#include "runner/devicecommand.h"

#include "link/protocol.h"
#include "models/configbackup.h"
#include "models/configchoices.h"
#include "models/devicetext.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QJsonDocument>

namespace {

// Long enough that a command never meets a poll of its own.
constexpr int NoPollMsec = 24 * 3600 * 1000;
constexpr int FirstTickMsec = 5;

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

QByteArray readFile(const QString &path, QString *error)
{
    QFile file(path);
    // Nothing a certificate or key would be: a mistaken path to a disk image
    // is not read whole.
    if (!file.open(QIODevice::ReadOnly) || file.size() > 1024 * 1024) {
        *error = file.isOpen() ? QStringLiteral("larger than 1 MiB") : file.errorString();
        return {};
    }
    return file.readAll();
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
            QString reason;
            const QByteArray data = readFile(rest.at(i), &reason);
            bool converted = false;
            const auto sent = reason.isEmpty()
                ? IOTRunner::deviceFile(names[i], data, &converted, &reason)
                : std::nullopt;
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

DeviceCommand::DeviceCommand(const Request &request, const QString &host, quint16 port,
    int timeoutMsec, bool manyDevices, QObject *parent)
    : QObject(parent)
    , request(request)
    , host(host)
    , port(port)
    , manyDevices(manyDevices)
    , runner(this)
{
    runner.setPollInterval(NoPollMsec);
    // The link connects on its first tick: half a second per device is
    // nothing to the window, and most of a script's run over many devices.
    runner.setRetryInterval(FirstTickMsec);
    deadline.setSingleShot(true);
    deadline.setInterval(timeoutMsec);
    connect(&deadline, &QTimer::timeout, this, [this] {
        finish(false, QStringLiteral("No answer within %1 s").arg(deadline.interval() / 1000.0));
    });
    connect(&runner, &IOTRunner::replied, this, &DeviceCommand::replied);
    connect(&runner, &IOTRunner::histIntervalUpdated, this,
        [this](int interval) { historyInterval = interval; });
    connect(
        runner.connection(), &ConnectionState::changed, this, &DeviceCommand::connectionChanged);
    connect(&runner, &IOTRunner::alert, this,
        [this](const QString &text) { lastAlert = DeviceText::plain(text); });
}

void DeviceCommand::start()
{
    deadline.start();
    runner.openLink(host, port);
}

void DeviceCommand::cancel()
{
    finish(false, QStringLiteral("Interrupted"));
}

void DeviceCommand::connectionChanged()
{
    const ConnectionState *link = runner.connection();
    if (done || link->state() == ConnectionState::Connected || link->reason().isEmpty())
        return;
    // A device that drops the link in answer (a reboot) answers first: the
    // failure is taken only if nothing else has ended the command by then.
    QTimer::singleShot(0, this, [this, reason = link->reason()] { finish(false, reason); });
}

void DeviceCommand::replied(const QJsonObject &sent, const QJsonObject &reply, const QString &error)
{
    const QString query = sent.value(Protocol::Query).toString();
    if (!awaited.isEmpty()) {
        if (query != awaited)
            return;
        if (!error.isEmpty())
            finish(false,
                QStringLiteral("Device error: %1")
                    .arg(DeviceText::shown(error, DeviceText::ValueLimit)));
        else if (request.command == History)
            historyArrived();
        else if (--awaitedCount <= 0)
            finish(true, QStringLiteral("done"));
        return;
    }
    if (query == QLatin1String(Protocol::Info)) {
        const QString model = runner.connection()->model();
        if (model.isEmpty()) {
            finish(false, runner.connection()->reason());
            return;
        }
        info = { { QStringLiteral("model"), model },
            { QStringLiteral("version"), reply.value(Protocol::Version).toString() },
            { QStringLiteral("build"), reply.value(Protocol::Build).toString() } };
        if (request.command == Info) {
            finish(true,
                QStringLiteral("%1 %2 %3")
                    .arg(model,
                        DeviceText::shown(reply.value(Protocol::Version), DeviceText::NameLimit),
                        DeviceText::shown(reply.value(Protocol::Build), DeviceText::NameLimit)),
                info);
        }
    } else if (query == QLatin1String(Protocol::State) && request.command == State) {
        QStringList members;
        for (auto it = reply.constBegin(); it != reply.constEnd(); ++it)
            members << it.key() + '=' + DeviceText::shown(it.value(), DeviceText::ValueLimit);
        finish(error.isEmpty(),
            error.isEmpty() ? members.join(' ') : DeviceText::shown(error, DeviceText::ValueLimit),
            { { QStringLiteral("state"), reply } });
    } else if (query == QLatin1String(Protocol::Get) && request.command != State) {
        act();
    }
}

void DeviceCommand::act()
{
    if (request.command == ConfigGet) {
        saveConfiguration();
        return;
    }
    if (request.command == ConfigPut) {
        if (runner.loadConfigBackup(request.file).isEmpty()) {
            finish(false, lastAlert);
            return;
        }
        awaited = Protocol::Put;
        runner.applyConfigBackup({});
    } else if (request.command == FactoryReset) {
        awaited = Protocol::Put;
        runner.resetConfig();
    } else if (request.command == Reboot) {
        awaited = Protocol::Reset;
        runner.requestReboot();
    } else if (request.command == CloudRegister) {
        awaited = Protocol::Scloud;
        runner.setupCloud(request.cloudId);
    } else if (request.command == ConfigSet) {
        // Members the command does not set are the device's own, as read.
        if (!runner.configBackup()) {
            finish(false,
                lastAlert.isEmpty() ? QStringLiteral("The device sent no configuration")
                                    : lastAlert);
            return;
        }
        awaited = Protocol::Put;
        runner.updateConfig(request.settings);
    } else if (request.command == History) {
        awaited = Protocol::History;
        runner.requestHistory();
    } else if (request.command == CertUpload) {
        awaited = Protocol::Put;
        awaitedCount = 2;
        runner.upload(request.certificate, Protocol::MqttCertFile);
        runner.upload(request.key, Protocol::MqttKeyFile);
    }
}

void DeviceCommand::historyArrived()
{
    const int samples = runner.historyModel()->rowCount();
    // The device gives the interval per series or once; the model has read it.
    const QJsonObject summary { { QStringLiteral("samples"), samples },
        { QStringLiteral("intervalMsec"), historyInterval } };
    const QString interval = QString::number(historyInterval / 1000.0);

    if (request.file.isEmpty()) {
        finish(
            true, QStringLiteral("%1 samples, one every %2 s").arg(samples).arg(interval), summary);
        return;
    }
    const QString path = manyDevices
        ? QDir(request.file).filePath(host + '_' + runner.historyFileName())
        : request.file;
    connect(&runner, &IOTRunner::fileSaved, this,
        [this, path, summary, samples](const QString &, bool saved, const QString &error) {
            QJsonObject result = summary;
            result.insert(QStringLiteral("file"), path);
            const QString shown = QDir::toNativeSeparators(path);
            finish(saved,
                saved ? QStringLiteral("%1 samples saved to %2").arg(samples).arg(shown)
                      : QStringLiteral("Cannot write to %1: %2").arg(shown, error),
                result);
        });
    runner.saveHistory(path);
}

void DeviceCommand::saveConfiguration()
{
    const auto backup = runner.configBackup();
    if (!backup) {
        finish(false,
            lastAlert.isEmpty() ? QStringLiteral("The device sent no configuration") : lastAlert);
        return;
    }
    const QJsonObject whole = QJsonDocument::fromJson(backup->toJson()).object();
    if (request.file.isEmpty()) {
        finish(true,
            QString::fromUtf8(QJsonDocument(backup->settings).toJson(QJsonDocument::Compact)),
            whole);
        return;
    }
    const QString path = manyDevices
        ? QDir(request.file)
              .filePath(ConfigBackup::defaultFileName(backup->model, host, QDate::currentDate()))
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

void DeviceCommand::finish(bool ok, QString text, QJsonObject result)
{
    if (done)
        return;
    done = true;
    deadline.stop();
    runner.disconnectFromHost();
    if (!info.isEmpty() && !result.contains(QStringLiteral("model")))
        result.insert(QStringLiteral("model"), info.value(QStringLiteral("model")));
    emit finished(ok, text, result);
}
