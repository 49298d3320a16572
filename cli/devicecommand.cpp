#include "cli/devicecommand.h"

#include "link/protocol.h"
#include "link/requests.h"
#include "models/configchoices.h"
#include "models/devicetext.h"
#include "models/historycsvwriter.h"
#include "models/outputfile.h"

#include <QDateTime>
#include <QDir>

namespace {

// The link connects on its first short tick: half a second per device is
// nothing to the window, and most of a script's run over many devices.
constexpr int FirstTickMsec = 5;

QString seconds(int msec)
{
    return QString::number(msec / 1000.0);
}

// A restore's or a change's effect, member by member, in a script's words.
QString changesText(const QList<ConfigBackup::Change> &changes, int more)
{
    QStringList parts;
    for (const ConfigBackup::Change &c : changes)
        parts << (c.secret ? QStringLiteral("%1: changed").arg(c.key)
                           : QStringLiteral("%1: %2 \u2192 %3")
                                 .arg(c.key, c.before.isEmpty() ? QStringLiteral("-") : c.before,
                                     c.after.isEmpty() ? QStringLiteral("-") : c.after));
    if (more > 0)
        parts << QStringLiteral("and %1 more").arg(more);
    return parts.isEmpty() ? QStringLiteral("would change nothing")
                           : QStringLiteral("would change ") + parts.join(QStringLiteral(", "));
}

} // namespace

DeviceCommand::DeviceCommand(const CommandRequest &request, const DeviceAddress &address,
    const Limits &limits, QObject *parent)
    : QObject(parent)
    , request(request)
    , address(address)
    , limits(limits)
    , session(this)
    , configuration(&session, this)
    , readings(&session, this)
    , history(&session, this)
    , files(&session, this)
{
    session.setRetryInterval(FirstTickMsec);
    session.setReplyTimeout(limits.replyMsec);
    connecting.setSingleShot(true);
    connecting.setInterval(limits.connectMsec);
    connect(&connecting, &QTimer::timeout, this, [this] {
        finish(Status::Failed,
            QStringLiteral("No connection within %1 s").arg(seconds(this->limits.connectMsec)));
    });
    connect(&session, &DeviceSession::connectFailed, this,
        [this](const QString &reason) { finish(Status::Failed, reason); });
    connect(&session, &DeviceSession::connected, this, [this] {
        connecting.stop();
        ask();
    });
    connect(&session, &DeviceSession::ended, this, [this](const Outcome &outcome) {
        if (outcome.query() == QLatin1String(Protocol::Info))
            identified(outcome);
    });
    // A link that ends with a request of ours outstanding has told it; one
    // that ends between them (a reboot's) is told here, once what came
    // before has been taken.
    connect(&session, &DeviceSession::linkEnded, this, [this] {
        QTimer::singleShot(
            0, this, [this] { finish(Status::Failed, QStringLiteral("Connection closed")); });
    });
}

DeviceCommand::~DeviceCommand() = default;

void DeviceCommand::start()
{
    connecting.start();
    session.open(address, DeviceSession::FirstAttempt::AtOnce);
}

void DeviceCommand::cancel()
{
    finish(Status::Interrupted, QStringLiteral("interrupted"));
}

QString DeviceCommand::failure(const Outcome &outcome) const
{
    switch (outcome.result) {
    case Outcome::DeviceError:
        return QStringLiteral("Device error: %1")
            .arg(DeviceText::shown(outcome.deviceText, DeviceText::ValueLimit));
    case Outcome::NotADevice:
        return QStringLiteral("not a VELTRA2 device: it sent %1")
            .arg(DeviceText::shown(outcome.deviceText, DeviceText::NameLimit));
    case Outcome::UnknownModel:
        return QStringLiteral("Device type %1 is not known")
            .arg(DeviceText::shown(outcome.deviceText, DeviceText::NameLimit));
    case Outcome::NoAnswer:
        return QStringLiteral("No answer within %1 s").arg(seconds(limits.replyMsec));
    case Outcome::TooLong:
        return QStringLiteral("The device sent a line longer than 8 MiB");
    case Outcome::Stopped:
        return QStringLiteral("interrupted");
    case Outcome::Closed:
        return QStringLiteral("Connection closed");
    case Outcome::Unusable:
    case Outcome::Done:
        break;
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

bool DeviceCommand::succeeded(const Outcome &outcome)
{
    if (!outcome.ok())
        finish(Status::Failed, failure(outcome));
    return outcome.ok() && !done;
}

DeviceSession::Handler DeviceCommand::written(std::function<void(const Outcome &)> then)
{
    return [this, then](const Outcome &outcome) {
        if (outcome.ok())
            confirmed << outcome.request.value(Protocol::Name).toString(outcome.query());
        then(outcome);
    };
}

void DeviceCommand::identified(const Outcome &outcome)
{
    if (!succeeded(outcome))
        return;
    const DeviceIdentity &identity = *session.identity();
    if (request.is("info")) {
        const QString version = DeviceText::shown(identity.version, DeviceText::NameLimit);
        const QString build = DeviceText::shown(identity.build, DeviceText::NameLimit);
        finish(Status::Ok, QStringList { identity.model, version, build }.join(' '),
            { { QStringLiteral("version"), version }, { QStringLiteral("build"), build } });
        return;
    }
    write();
}

void DeviceCommand::ask()
{
    // What only reads goes out with the question of what the device is: the
    // answers come in order, so the model is known by the time they are
    // read, and a slow device costs one round trip instead of two.
    if (request.is("state")) {
        readings.request(this, [this](const Outcome &outcome) {
            if (!succeeded(outcome))
                return;
            QStringList members;
            for (auto it = outcome.reply.constBegin(); it != outcome.reply.constEnd(); ++it)
                members << DeviceText::shown(it.key(), DeviceText::NameLimit) + '='
                        + DeviceText::shown(it.value(), DeviceText::ValueLimit);
            finish(Status::Ok, members.join(' '), { { QStringLiteral("state"), outcome.reply } });
        });
    } else if (request.is("config get")) {
        configuration.read(this, [this](const Outcome &outcome) {
            if (succeeded(outcome))
                saveConfiguration();
        });
    } else if (request.is("config set") || (request.is("config put") && request.dryRun)) {
        // Members a change does not name are the device's own, as read;
        // nothing is written before the device has said what it is.
        configuration.read(this, [this](const Outcome &outcome) {
            const bool unreadable = outcome.result == Outcome::Unusable;
            if (request.is("config put") && (unreadable || outcome.ok()) && session.identity())
                restore();
            else if (succeeded(outcome) && session.identity())
                write();
        });
    } else if (request.is("history")) {
        history.request(this, [this](const Outcome &outcome) {
            if (succeeded(outcome))
                saveHistory();
        });
    }
}

void DeviceCommand::write()
{
    const auto finishes = written([this](const Outcome &outcome) {
        if (succeeded(outcome))
            finish(Status::Ok, QStringLiteral("done"));
    });
    const auto track = [this](const QString &what, quint64 ticket) {
        if (ticket)
            sent << what;
    };
    if (request.is("config put") && !request.dryRun) {
        restore();
    } else if (request.is("config set") && configuration.file()) {
        // What the device cannot use is not sent: the members this change
        // touches, as they would be on the device.
        JsonMembers merged = *configuration.file();
        for (auto it = request.settings.cbegin(); it != request.settings.cend(); ++it)
            merged.insert(it.key(), QJsonValue::fromVariant(it.value()));
        QVariantMap touched;
        if (request.settings.contains(Protocol::NetSsid))
            touched.insert(Protocol::NetSsid, request.settings.value(Protocol::NetSsid));
        if (request.settings.contains(Protocol::NetPwd)
            || request.settings.contains(Protocol::NetAuth))
            for (const char *key : { Protocol::NetPwd, Protocol::NetAuth })
                touched.insert(key, merged.value(key).toVariant());
        const QString problem = CommandRequest::problemText(ConfigChoices::check(touched));
        if (!problem.isEmpty()) {
            finish(Status::Failed, problem);
            return;
        }
        if (request.dryRun) {
            compare(merged);
            return;
        }
        track(Protocol::SettingsFile, configuration.apply(request.settings, this, finishes));
    } else if (request.is("factory-reset")) {
        track(Protocol::SettingsFile, configuration.factoryDefaults(this, finishes));
    } else if (request.is("reboot")) {
        track(Protocol::Reset, session.send(Requests::reset(), this, finishes));
    } else if (request.is("cloud register")) {
        track(Protocol::Scloud, files.registerCloud(request.cloudId, this, finishes));
    } else if (request.is("cert upload")) {
        const auto uploaded = written([this](const Outcome &outcome) {
            if (succeeded(outcome) && confirmed.size() == 2)
                finish(Status::Ok, QStringLiteral("done"));
        });
        track(Protocol::MqttCertFile,
            files.upload(Protocol::MqttCertFile, request.certificate, this, uploaded));
        track(Protocol::MqttKeyFile,
            files.upload(Protocol::MqttKeyFile, request.key, this, uploaded));
    }
}

void DeviceCommand::restore()
{
    const QString here = address.toString();
    const ConfigBackup *chosen = request.backup ? &*request.backup : nullptr;
    if (!chosen) {
        const auto found = request.backups.constFind(here);
        if (found == request.backups.constEnd()) {
            finish(Status::Failed,
                QStringLiteral("%1 holds no backup saved from this device").arg(request.file));
            return;
        }
        if (!found->error.isEmpty()) {
            finish(Status::Failed, found->error);
            return;
        }
        chosen = &found->backup;
    }
    // One device's settings (its name, its password) are not another's.
    if (chosen->address != here && !request.force) {
        finish(Status::Failed,
            QStringLiteral("the backup was saved from %1: --force applies it to this device")
                .arg(DeviceText::shown(chosen->address, DeviceText::NameLimit)));
        return;
    }
    const QString model = session.identity()->model;
    if (chosen->model.compare(model, Qt::CaseInsensitive) != 0) {
        finish(Status::Failed,
            QStringLiteral("The file is for %1, not for %2")
                .arg(DeviceText::shown(chosen->model, DeviceText::NameLimit), model));
        return;
    }
    if (request.dryRun) {
        compare(chosen->settings);
        return;
    }
    // The device's own file is not needed: the backup replaces it whole.
    const quint64 ticket
        = configuration.restore(chosen->settings, {}, this, written([this](const Outcome &outcome) {
              if (succeeded(outcome))
                  finish(Status::Ok, QStringLiteral("done"));
          }));
    if (ticket)
        sent << Protocol::SettingsFile;
}

void DeviceCommand::compare(const JsonMembers &wanted)
{
    const JsonMembers current = configuration.file().value_or(JsonMembers());
    int more = 0;
    const auto changes = ConfigBackup::changes(current, wanted, &more);
    QString text = changesText(changes, more);
    if (!configuration.file())
        text += QStringLiteral(" (the device's own configuration cannot be read)");
    QJsonObject result;
    result.insert(
        QStringLiteral("changes"), QJsonValue::fromVariant(ConfigBackup::toVariantList(changes)));
    finish(Status::Ok, text, result);
}

void DeviceCommand::saveHistory()
{
    const HistorySamples &samples = history.samples();
    const QJsonObject summary { { QStringLiteral("samples"), samples.rows },
        { QStringLiteral("intervalMsec"), samples.interval } };
    if (request.file.isEmpty()) {
        finish(Status::Ok,
            QStringLiteral("%1 samples, one every %2 s")
                .arg(samples.rows)
                .arg(seconds(samples.interval)),
            summary);
        return;
    }
    QString path = request.file;
    if (request.toStandardOutput)
        path = OutputFile::StandardOutput;
    else if (request.toFolder)
        path = OutputFile::unusedPath(request.file,
            OutputFile::deviceFileName(QStringLiteral("veltra2-history"), session.identity()->model,
                address.host, address.port, QDateTime::currentDateTime(), QStringLiteral("csv")));
    writer = std::make_unique<HistoryCsvWriter>(samples, history.columns(), path);
    connect(writer.get(), &HistoryCsvWriter::finished, this,
        [this, path, summary, rows = samples.rows](bool saved, const QString &error) {
            QJsonObject result = summary;
            result.insert(QStringLiteral("file"), path);
            const QString shown = request.toStandardOutput ? QStringLiteral("standard output")
                                                           : QDir::toNativeSeparators(path);
            finish(saved ? Status::Ok : Status::Failed,
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
        finish(Status::Failed, QStringLiteral("The device sent no configuration"));
        return;
    }
    if (request.file.isEmpty()) {
        // One line, as the device wrote its members.
        finish(Status::Ok, QString::fromUtf8(JsonMembers::minified(backup->settings.toJson())), {},
            backup->toJson(false));
        return;
    }
    const QString path = request.toFolder
        ? OutputFile::unusedPath(request.file,
            OutputFile::deviceFileName({}, backup->model, address.host, address.port,
                QDateTime::currentDateTime(), QStringLiteral("json")))
        : request.file;
    QString error;
    if (!backup->save(path, &error)) {
        finish(Status::Failed,
            QStringLiteral("Cannot save %1: %2").arg(QDir::toNativeSeparators(path), error));
        return;
    }
    finish(Status::Ok, QStringLiteral("saved to %1").arg(QDir::toNativeSeparators(path)),
        { { QStringLiteral("file"), path } });
}

void DeviceCommand::finish(Status status, QString text, QJsonObject result, QByteArray raw)
{
    if (done)
        return;
    done = true;
    connecting.stop();
    // A write that went out and was neither confirmed nor refused may have
    // taken effect: that is not a plain failure.
    if ((status == Status::Failed || status == Status::Interrupted) && !sent.isEmpty()
        && !text.startsWith(QLatin1String("Device error")) && confirmed.size() < sent.size()) {
        status = Status::Unconfirmed;
        if (!confirmed.isEmpty())
            text += QStringLiteral(" (%1 uploaded)").arg(confirmed.join(QStringLiteral(", ")));
    }
    if (const auto &identity = session.identity(); identity && raw.isEmpty())
        result.insert(QStringLiteral("model"), identity->model);
    session.stop();
    emit finished(status, text, result, raw);
}
