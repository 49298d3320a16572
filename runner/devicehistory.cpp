#include "runner/devicehistory.h"

#include "link/protocol.h"
#include "link/requests.h"
#include "runner/units.h"

#include <QDateTime>

DeviceHistory::DeviceHistory(DeviceSession *session, QObject *parent)
    : QObject(parent)
    , session(session)
    , clock(&QDateTime::currentMSecsSinceEpoch)
{
}

void DeviceHistory::setClock(Clock newClock)
{
    clock = std::move(newClock);
}

quint64 DeviceHistory::request(QObject *context, DeviceSession::Handler done)
{
    return session->send(Requests::history(), context,
        [this, done](const Outcome &outcome) { take(outcome, done); });
}

void DeviceHistory::take(Outcome outcome, const DeviceSession::Handler &done)
{
    const auto &identity = session->identity();
    if (outcome.ok() && identity) {
        const bool wired = identity->isWired();
        const QStringList fields = wired
            ? QStringList { Protocol::Temperature }
            : QStringList { Protocol::Temperature, Protocol::Humidity };
        HistorySamples::Problem problem;
        const auto samples = HistorySamples::read(outcome.reply, fields, clock(), &problem);
        if (samples) {
            last = *samples;
            titles = QStringList { QStringLiteral("temperature"), QStringLiteral("humidity") }.mid(
                0, fields.size());
            unitTexts = QStringList { Units::Celsius, Units::Percent }.mid(0, fields.size());
            emit downloaded();
        } else {
            outcome.result = Outcome::Unusable;
            outcome.problem = problem == HistorySamples::Problem::UnevenIntervals
                ? Outcome::UnevenIntervals
                : problem == HistorySamples::Problem::NoInterval ? Outcome::NoInterval
                                                                 : Outcome::SeriesMissing;
        }
    }
    if (done)
        done(outcome);
}
