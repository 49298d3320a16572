#include "cli/commandrequest.h"

#include "link/protocol.h"
#include "models/certificateintake.h"
#include "models/configchoices.h"
#include "models/operatorfile.h"

#include <QDir>
#include <QFileInfo>

namespace {

} // namespace

QString CommandRequest::problemText(ConfigChoices::Problem problem)
{
    switch (problem) {
    case ConfigChoices::Problem::NoNetworkName:
        return QStringLiteral("net-ssid must not be empty");
    case ConfigChoices::Problem::NetworkNameTooLong:
        return QStringLiteral("net-ssid takes at most 32 bytes");
    case ConfigChoices::Problem::PassphraseLength:
        return QStringLiteral("net-pwd must be 8 to 63 characters for WPA");
    case ConfigChoices::Problem::None:
        break;
    }
    return {};
}

namespace {

bool readKeys(const QStringList &paths, CommandRequest *request, QString *error)
{
    const QString names[] = { Protocol::MqttCertFile, Protocol::MqttKeyFile };
    QByteArray *targets[] = { &request->certificate, &request->key };
    for (int i = 0; i < 2; ++i) {
        OperatorFile::Failure failed;
        QString reason;
        const auto data
            = OperatorFile::read(paths.at(i), CommandRequest::MaxKeyFile, &failed, &reason);
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
            *error = QStringLiteral("cert upload: %1: %2").arg(paths.at(i), reason);
            return false;
        }
        *targets[i] = *sent;
    }
    return true;
}

} // namespace

QStringList CommandRequest::synopsis()
{
    return { QStringLiteral("info"), QStringLiteral("state"),
        QStringLiteral("config get [--force] [FILE|FOLDER]"),
        QStringLiteral("config put [--dry-run] [--force] FILE|FOLDER"),
        QStringLiteral("config set [--dry-run] KEY=VALUE..."),
        QStringLiteral("factory-reset --yes"), QStringLiteral("reboot --yes"),
        QStringLiteral("cloud register ID"),
        QStringLiteral("history [--force] [--csv FILE|FOLDER|-]"),
        QStringLiteral("cert upload CERT.pem KEY.pem") };
}

bool CommandRequest::writes() const
{
    if (is("config put") || is("config set"))
        return !dryRun;
    return is("factory-reset") || is("reboot") || is("cloud register") || is("cert upload");
}

std::optional<CommandRequest> CommandRequest::parse(const QStringList &words, QString *error)
{
    CommandRequest request;
    QStringList rest = words;
    if (rest.isEmpty()) {
        *error = QStringLiteral("No command given");
        return std::nullopt;
    }
    request.command = rest.takeFirst();
    if (request.is("config") || request.is("cloud") || request.is("cert"))
        request.command += ' ' + (rest.isEmpty() ? QString() : rest.takeFirst());
    // Flags go anywhere among the command's words.
    const auto flag = [&](const char *name, const QStringList &commands) {
        if (!commands.contains(request.command))
            return false;
        return rest.removeAll(QLatin1String(name)) > 0;
    };
    request.force = flag("--force", { "config get", "config put", "history" });
    request.dryRun = flag("--dry-run", { "config put", "config set" });

    int arguments = 0;
    if (request.is("config get")) {
        arguments = qMin(1, int(rest.size()));
        request.file = rest.value(0);
    } else if (request.is("config put")) {
        arguments = 1;
        request.file = rest.value(0);
    } else if (request.is("cloud register")) {
        arguments = 1;
        request.cloudId = rest.value(0);
    } else if (request.is("factory-reset") || request.is("reboot")) {
        // Nothing drastic happens by a slip of the keyboard.
        if (rest.value(0) != QLatin1String("--yes")) {
            *error = request.is("reboot")
                ? QStringLiteral("reboot takes the device off the network for a while: confirm "
                                 "it with --yes")
                : QStringLiteral("factory-reset cannot be undone: confirm it with --yes");
            return std::nullopt;
        }
        arguments = 1;
    } else if (request.is("history")) {
        if (!rest.isEmpty() && rest.first() != QLatin1String("--csv")) {
            *error = QStringLiteral("history: unexpected argument %1").arg(rest.first());
            return std::nullopt;
        }
        arguments = rest.isEmpty() ? 0 : 2;
        request.file = rest.value(1);
    } else if (request.is("config set")) {
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
        const QString problem = problemText(ConfigChoices::check(request.settings));
        if (!problem.isEmpty()) {
            *error = QStringLiteral("config set: ") + problem;
            return std::nullopt;
        }
        arguments = qMax(1, int(rest.size()));
    } else if (request.is("cert upload")) {
        arguments = 2;
        if (rest.size() == 2 && !readKeys(rest, &request, error))
            return std::nullopt;
    } else if (!request.is("info") && !request.is("state")) {
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

bool CommandRequest::prepare(int devices, QString *error)
{
    if (is("config put")) {
        const QFileInfo given(file);
        if (!given.isDir()) {
            ConfigBackup one;
            if (!one.read(file, error)) {
                *error = file + QStringLiteral(": ") + *error;
                return false;
            }
            backup = one;
            return true;
        }
        // The newest backup saved from each address.
        const QFileInfoList found
            = QDir(file).entryInfoList({ QStringLiteral("*.json") }, QDir::Files, QDir::Name);
        for (const QFileInfo &entry : found) {
            Saved candidate;
            // Files that are no backup pass; a backup that is wrong is kept,
            // so that its device is told why rather than given an older one.
            if (!candidate.backup.read(entry.filePath(), &candidate.error)
                && candidate.backup.address.isEmpty())
                continue;
            if (!candidate.error.isEmpty())
                candidate.error = entry.fileName() + QStringLiteral(": ") + candidate.error;
            const auto kept = backups.constFind(candidate.backup.address);
            if (kept == backups.constEnd() || kept->backup.saved < candidate.backup.saved)
                backups.insert(candidate.backup.address, candidate);
        }
        if (backups.isEmpty()) {
            *error = QStringLiteral("%1 holds no configuration backup").arg(file);
            return false;
        }
        return true;
    }
    if (file.isEmpty() || !(is("config get") || is("history")))
        return true;
    if (file == QLatin1String("-")) {
        toStandardOutput = is("history");
        if (!toStandardOutput || devices > 1) {
            *error = QStringLiteral("%1: - (standard output) takes the CSV of one device")
                         .arg(command);
            return false;
        }
        return true;
    }
    toFolder = devices > 1 || file.endsWith('/') || QFileInfo(file).isDir();
    if (toFolder) {
        if (!QDir().mkpath(file)) {
            *error = QStringLiteral("cannot make the folder %1").arg(file);
            return false;
        }
        return true;
    }
    const QFileInfo target(file);
    if (!target.absoluteDir().exists()) {
        *error = QStringLiteral("%1: no such folder").arg(target.absolutePath());
        return false;
    }
    if (target.exists() && target.isFile() && !force) {
        *error = QStringLiteral("%1 exists: --force replaces it").arg(file);
        return false;
    }
    return true;
}
