#include "runner/devicecommand.h"

#include "link/protocol.h"
#include "models/configbackup.h"
#include "models/devicetext.h"

#include <QDate>
#include <QDir>
#include <QJsonDocument>

namespace {

// Long enough that a command never meets a poll of its own.
constexpr int NoPollMsec = 24 * 3600 * 1000;

const QString Info = QStringLiteral("info");
const QString State = QStringLiteral("state");
const QString ConfigGet = QStringLiteral("config get");
const QString ConfigPut = QStringLiteral("config put");
const QString FactoryReset = QStringLiteral("factory-reset");
const QString Reboot = QStringLiteral("reboot");
const QString CloudRegister = QStringLiteral("cloud register");

} // namespace

QStringList DeviceCommand::synopsis()
{
    return { QStringLiteral("info"), QStringLiteral("state"), QStringLiteral("config get [FILE]"),
        QStringLiteral("config put FILE"), QStringLiteral("factory-reset --yes"),
        QStringLiteral("reboot --yes"), QStringLiteral("cloud register ID") };
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
    if (request.command == QLatin1String("config") || request.command == QLatin1String("cloud"))
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
    deadline.setSingleShot(true);
    deadline.setInterval(timeoutMsec);
    connect(&deadline, &QTimer::timeout, this, [this] {
        finish(false, QStringLiteral("No answer within %1 s").arg(deadline.interval() / 1000.0));
    });
    connect(&runner, &IOTRunner::replied, this, &DeviceCommand::replied);
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
        if (query == awaited) {
            finish(error.isEmpty(),
                error.isEmpty() ? QStringLiteral("done")
                                : QStringLiteral("Device error: %1")
                                      .arg(DeviceText::shown(error, DeviceText::ValueLimit)));
        }
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
        finish(error.isEmpty(), error.isEmpty() ? members.join(' ') : error,
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
    }
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
