#ifndef OUTCOME_H
#define OUTCOME_H

#include "link/protocol.h"

#include <QJsonObject>
#include <QMetaType>
#include <QString>

// How one request to a device ended, told as a value: what was asked, the
// way it ended and the device's own words. Only the edges (the window's
// notifications, veltra2ctl's lines) put it into words of their own.
struct Outcome {
    enum Result {
        // The device did what was asked.
        Done,
        // The device refused; `deviceText` is its own reason.
        DeviceError,
        // The device answered, but not in a form that can be used: `problem`
        // says how.
        Unusable,
        // The device stopped answering.
        NoAnswer,
        // The link closed before the answer came.
        Closed,
        // What answered is no device of this kind (a web server, say);
        // `deviceText` is the start of what it sent.
        NotADevice,
        // A device of a model this program does not know; `deviceText` is
        // the model it named.
        UnknownModel,
        // The device sent a line longer than the link takes.
        TooLong,
        // The link was ended here, on purpose.
        Stopped,
    };
    enum Problem {
        NoProblem,
        // A reply that is not a JSON object: the pairing of the replies
        // after it is lost too.
        NotJson,
        // The configuration file is not a JSON object, or another file came.
        ConfigNotJson,
        OtherFile,
        // The file's content is not Base64.
        NotBase64,
        // A history without one of its series, with series at different
        // rates, or without its sampling interval.
        SeriesMissing,
        UnevenIntervals,
        NoInterval,
    };

    // The number the session gave the request when it was sent.
    quint64 ticket = 0;
    QJsonObject request;
    Result result = Done;
    Problem problem = NoProblem;
    // As the device sent it: not yet safe to show.
    QString deviceText;
    QJsonObject reply;

    QString query() const { return request.value(QLatin1String(Protocol::Query)).toString(); }
    bool ok() const { return result == Done; }
};

Q_DECLARE_METATYPE(Outcome)

#endif // OUTCOME_H
