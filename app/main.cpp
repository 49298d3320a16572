#include "app/qmlsetup.h"
#include "app/translationloader.h"
#include "runner/iotrunner.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QLoggingCategory>
#include <QQmlApplicationEngine>
#include <QSettings>
#include <QTranslator>

#include <memory>

namespace {

void setIdentity()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrel"));
    QCoreApplication::setApplicationName(QStringLiteral("VELTRA2"));
    QCoreApplication::setApplicationVersion(QStringLiteral("0.1.0"));
}

// --help, --version and a bad option end the program before any window exists,
// so they must work where no display is available: answer them from a
// non-graphical application object.
void answerCommandLineWithoutDisplay(int argc, char *argv[])
{
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser probe;
    const QCommandLineOption help = probe.addHelpOption();
    const QCommandLineOption version = probe.addVersionOption();
    if (probe.parse(args) && !probe.isSet(help) && !probe.isSet(version)
        && !probe.isSet(QStringLiteral("help-all")))
        return;
    QCoreApplication core(argc, argv);
    setIdentity();
    probe.process(core);
}

} // namespace

int main(int argc, char *argv[])
{
    QmlSetup::registerTypes();

    QApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
    answerCommandLineWithoutDisplay(argc, argv);
    auto app = std::make_unique<QApplication>(argc, argv);
    setIdentity();
    QApplication::setWindowIcon(QIcon(QStringLiteral("://veltra2.ico")));
    QApplication::addLibraryPath(QApplication::applicationDirPath());

    auto parser = std::make_unique<QCommandLineParser>();
    parser->addHelpOption();
    parser->addVersionOption();
    parser->process(*app);

    QTranslator *translator = nullptr;
    {
        QSettings settings;
        QString language = settings.value(QStringLiteral("language")).toString();
        if (language.isEmpty())
            language = QStringLiteral("en");
        translator = TranslationLoader::load(language);
        if (translator)
            QApplication::installTranslator(translator);
    }

    auto *runner = new IOTRunner;

    // The handler syntax that Qt 5.12 understands is reported as deprecated by
    // later versions; that notice is no use to the operator either.
    QLoggingCategory::setFilterRules(QStringLiteral("qml=false\nqt.qml.connections=false"));

    auto engine = std::make_unique<QQmlApplicationEngine>();
    engine->addImportPath(QApplication::applicationDirPath());
    QmlSetup::publish(engine.get(), runner);
    engine->load(QUrl(QStringLiteral("qrc:/main.qml")));

    const int code = QApplication::exec();

    // The windows go first: their bindings would otherwise be evaluated once
    // more against a runner that no longer exists. The runner then writes the
    // saved connections back while the engine still exists.
    qDeleteAll(engine->rootObjects());
    delete runner;
    if (translator) {
        QApplication::removeTranslator(translator);
        delete translator;
    }
    engine.reset();
    parser.reset();
    app.reset();
    return code;
}
