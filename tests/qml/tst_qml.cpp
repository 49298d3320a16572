// Runs the QML tests against the program's own compiled documents, the real
// runner object and a simulated device.

#include "app/qmlsetup.h"
#include "common/devsimprocess.h"
#include "common/processmemory.h"
#include "common/testmain.h"
#include "runner/iotrunner.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLoggingCategory>
#include <QProcess>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQmlError>
#include <QQuickWindow>
#include <QRegularExpression>
#include <QSettings>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <QtQuickTest>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

class Setup : public QObject {
    Q_OBJECT

public:
    Setup()
    {
        QmlSetup::registerTypes();
        QLoggingCategory::setFilterRules(QStringLiteral("qt.qml.connections=false"));
    }
    ~Setup() override
    {
        busMonitor.kill();
        busMonitor.waitForFinished(5000);
    }

    // Destroys a test's window, as QML's destroy() would.
    Q_INVOKABLE void discard(QObject *window)
    {
        ++discarding;
        // A window says it is destroyed before its items go, and they go
        // after the signal: it has gone only once that turn of the loop ends.
        connect(window, &QObject::destroyed, this,
            [this] { QTimer::singleShot(0, this, [this] { --discarding; }); });
        window->deleteLater();
    }

    Q_INVOKABLE void setSetting(const QString &key, const QString &value)
    {
        QSettings().setValue(key, value);
    }
    Q_INVOKABLE QString setting(const QString &key) const
    {
        return QSettings().value(key).toString();
    }

    // Another simulated device, misbehaving as `args` say; its port, or 0.
    Q_INVOKABLE int startSimulator(const QStringList &args)
    {
        simulators.emplace_back(std::make_unique<DevsimProcess>());
        return simulators.back()->start(args) ? simulators.back()->port() : 0;
    }

    // The site's poll period and reconnection tick, shortened.
    Q_INVOKABLE void setSitePollInterval(int msec)
    {
        runner->site()->monitor()->setPollInterval(msec);
        runner->site()->monitor()->setRetryInterval(10);
    }
    // Connections the simulator on `port` has taken (started with --verbose).
    Q_INVOKABLE int connectionsTo(int port)
    {
        for (auto &simulator : simulators)
            if (simulator->port() == port)
                return simulator->connections();
        return -1;
    }
    Q_INVOKABLE int openConnectionsTo(int port)
    {
        for (auto &simulator : simulators)
            if (simulator->port() == port)
                return simulator->openConnections();
        return -1;
    }
    // What reaches the desktop's notification service on the session bus,
    // as dbus-monitor sees it; false where there is no such bus (Windows).
    Q_INVOKABLE bool watchNotifications()
    {
        busMonitor.start(QStringLiteral("dbus-monitor"),
            { "--session", "interface='org.freedesktop.Notifications',member='Notify'" });
        return busMonitor.waitForStarted(5000)
            && QTest::qWaitFor(
                [this] {
                    busSeen += busMonitor.readAllStandardOutput();
                    return busSeen.contains("NameAcquired") || busSeen.contains("became a monitor");
                },
                3000);
    }
    Q_INVOKABLE int notificationsSeen()
    {
        busSeen += busMonitor.readAllStandardOutput();
        return busSeen.count("member=Notify");
    }

    Q_INVOKABLE int refusedPort() const
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        return probe.serverPort(); // closed when it goes
    }

    // The window as drawn, menus and dialogs included, saved as `path`.
    Q_INVOKABLE bool saveWindow(QObject *window, const QString &path)
    {
        auto *quick = qobject_cast<QQuickWindow *>(window);
        return quick && quick->grabWindow().save(path);
    }

    // A file of the test's own, for replies too long for a command line.
    Q_INVOKABLE QString writeFile(const QString &name, const QString &text)
    {
        QFile file(QDir(files.path()).filePath(name));
        QFileInfo(file).dir().mkpath(QStringLiteral("."));
        if (!file.open(QIODevice::WriteOnly))
            return {};
        file.write(text.toUtf8());
        return file.fileName();
    }

    Q_INVOKABLE qint64 fileSize(const QString &url) const
    {
        return QFileInfo(QUrl(url).toLocalFile()).size();
    }
    Q_INVOKABLE void setPollInterval(int msec) { runner->setPollInterval(msec); }

    // AddressSanitizer keeps freed memory back on purpose and makes parsing
    // ten times slower: under it, memory is not measured (-1), heavy tests
    // take a twentieth of their sizes (crossing the same paths: a history of
    // 100,000 rows is still read on the worker thread) and the window may
    // hold still for 5 s rather than 0.5 s; fifty devices take three times
    // as long to be heard from.
    Q_INVOKABLE QVariantMap limits() const
    {
#ifdef VELTRA2_UNDER_ASAN
        return { { "memoryMb", -1 }, { "sizeDivisor", 20 }, { "stallMs", 5000 },
            { "slowdown",
                3 } };
#else
        return { { "memoryMb", residentMb() }, { "sizeDivisor", 1 }, { "stallMs", 500 },
            { "slowdown", 1 } };
#endif
    }

    // A web server noting the path of every request: a device text shown as
    // markup would make the window fetch from it.
    Q_INVOKABLE int trapPort() const
    {
        return trap.serverPort();
    }
    Q_INVOKABLE QStringList trapRequests() const
    {
        return trapped;
    }

public slots:
    void applicationAvailable()
    {
        // The window's update check must never leave this machine.
        QSettings().setValue(
            QStringLiteral("Update/URL"), QStringLiteral("http://127.0.0.1:9/a.xml"));
        QImage dot(1, 1, QImage::Format_ARGB32);
        dot.fill(Qt::transparent);
        QBuffer png(&picture);
        png.open(QIODevice::WriteOnly);
        dot.save(&png, "PNG");
        trap.listen(QHostAddress::LocalHost, 0);
        connect(&trap, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = trap.nextPendingConnection()) {
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    if (!socket->canReadLine())
                        return;
                    trapped << QString::fromLatin1(socket->readLine().split(' ').value(1));
                    // A picture: an error would be a warning.
                    socket->write("HTTP/1.0 200 OK\r\nContent-Type: image/png\r\nContent-Length: "
                        + QByteArray::number(picture.size()) + "\r\n\r\n" + picture);
                    socket->disconnectFromHost();
                });
            }
        });
    }

    void qmlEngineAvailable(QQmlEngine *engine)
    {
        // A warning from a document (a binding loop, a failed load) is a fault
        // in it: end the run there.
        connect(engine, &QQmlEngine::warnings, this, [this](const QList<QQmlError> &warnings) {
            // A test throws its window away mid-run, which the program never
            // does: while it goes, a binding may still read through an item
            // already gone. Only that is let pass, and only then.
            static const QRegularExpression vanished(
                QStringLiteral("TypeError: Cannot read property '\\w+' of (null|undefined)$"));
            if (discarding > 0
                && std::all_of(warnings.begin(), warnings.end(), [](const QQmlError &warning) {
                       return vanished.match(warning.toString()).hasMatch();
                   })) {
                for (const QQmlError &warning : warnings)
                    std::fprintf(stderr, "(window torn down) %s\n", qPrintable(warning.toString()));
                return;
            }
            for (const QQmlError &warning : warnings)
                std::fprintf(stderr, "FAIL: QML warning: %s\n", qPrintable(warning.toString()));
            simulator.stop();
            for (auto &other : simulators)
                other->stop();
            busMonitor.kill();
            // Not abort(): the test library's handler for it can hang under
            // the sanitizers.
            std::fflush(stderr);
            std::_Exit(EXIT_FAILURE);
        });
        runner = new IOTRunner(engine);
        runner->setRetryInterval(10);
        QmlSetup::publish(engine, runner);
        // A device keeping its files where the tests can read them.
        const QDir dir(files.path());
        dir.mkdir(QStringLiteral("device"));
        writeFile(QStringLiteral("notes.txt"), QStringLiteral("these are not keys\n"));
        const bool ready = QFile::exists(QStringLiteral(TEST_KEYS_DIR "/cert.der"))
            && simulator.start({ "--model", "2w", "--data-dir", dir.filePath("device"),
                "--history-samples", "100", "--history-interval", "60000" });
        engine->rootContext()->setContextProperty(QStringLiteral("testData"),
            QVariantMap { { "ready", ready }, { "port", simulator.port() },
                { "folder", QUrl::fromLocalFile(files.path()).toString() },
                { "keys", QUrl::fromLocalFile(QStringLiteral(TEST_KEYS_DIR)).toString() } });
        engine->rootContext()->setContextProperty(QStringLiteral("testHelper"), this);
    }

private:
    PrivateSettings settings;
    IOTRunner *runner = nullptr;
    QTemporaryDir files;
    DevsimProcess simulator;
    std::vector<std::unique_ptr<DevsimProcess>> simulators;
    QTcpServer trap;
    QStringList trapped;
    QProcess busMonitor;
    QByteArray busSeen;
    QByteArray picture;
    // Windows thrown away and not yet gone.
    int discarding = 0;
};

// A widgets application, as the program's own: the platform dialogs (the
// history's save dialog) fall back to widgets where the desktop has none.
int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTEST_SET_MAIN_SOURCE_PATH
    Setup setup;
    return quick_test_main_with_setup(argc, argv, "veltra2", nullptr, &setup);
}

#include "tst_qml.moc"
