#include "app/accessibilitybus.h"
#include "app/identity.h"
#include "app/qmlsetup.h"
#include "app/translationloader.h"
#include "app/windowplacement.h"
#include "runner/iotrunner.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QLocale>
#include <QLoggingCategory>
#include <QProcess>
#include <QQmlApplicationEngine>
#include <QSettings>
#include <QTranslator>
#include <QWindow>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

// Only the standard help and version options are ours. Single-dash words
// are read whole, so the toolkit's own options (-platform, -reverse, -style)
// are never taken for strings of letters such as -v.
struct StandardOptions {
    QCommandLineOption help;
    QCommandLineOption version;
};

StandardOptions addOptions(QCommandLineParser &parser)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help = parser.addHelpOption();
    return { help, parser.addVersionOption() };
}

// A program with a window has no console of its own on Windows, and the
// toolkit would answer in a message box: the answer goes to the console the
// program was started from, or wherever its output was sent.
void print(const QString &text, std::FILE *stream = stdout)
{
#ifdef Q_OS_WIN
    const HANDLE out = GetStdHandle(stream == stdout ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    if ((out == nullptr || out == INVALID_HANDLE_VALUE) && AttachConsole(ATTACH_PARENT_PROCESS))
        std::freopen("CONOUT$", "w", stream);
#endif
    std::fputs(qPrintable(text), stream);
    std::fflush(stream);
}

// --help and --version end the program before any window exists, so they must
// work where no display is available. The toolkit takes its own options
// (-platform, -reverse, -style) out of the arguments as it starts; started
// on a platform that needs no display, it does so here too, and whatever it
// leaves must be ours: an unknown option is refused whatever follows it.
void answerHelpAndVersionWithoutDisplay(int argc, char *argv[])
{
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser probe;
    const StandardOptions asked = addOptions(probe);
    probe.parse(args);
    if (!probe.isSet(asked.help) && !probe.isSet(asked.version)
        && !probe.optionNames().contains(QStringLiteral("help-all")))
        return;

    std::vector<char *> headless(argv, argv + argc);
    char platform[] = "-platform";
    char minimal[] = "minimal";
    headless.insert(headless.end(), { platform, minimal, nullptr });
    int headlessCount = argc + 2;
    // The answer is all that is printed, not the toolkit's remarks on
    // starting up where no desktop session runs.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    QApplication app(headlessCount, headless.data());
    Identity::apply();
    QCommandLineParser parser;
    const StandardOptions options = addOptions(parser);
    if (!parser.parse(QCoreApplication::arguments())) {
        print(
            QStringLiteral("%1: %2\n").arg(QCoreApplication::applicationName(), parser.errorText()),
            stderr);
        std::exit(1);
    }
    const bool help
        = parser.isSet(options.help) || parser.optionNames().contains(QStringLiteral("help-all"));
    print(help ? parser.helpText()
               : QStringLiteral("%1 %2\n").arg(
                   QCoreApplication::applicationName(), QCoreApplication::applicationVersion()));
    std::exit(0);
}

} // namespace

int main(int argc, char *argv[])
{
    QmlSetup::registerTypes();

    QApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
    // The file dialogs are the only widgets: drawn in software, they need
    // no OpenGL of their own (a software renderer maps 50 MB of LLVM for it).
    QApplication::setAttribute(Qt::AA_ForceRasterWidgets, true);
    answerHelpAndVersionWithoutDisplay(argc, argv);
    auto app = std::make_unique<QApplication>(argc, argv);
    AccessibilityBus::publishAddress();
    Identity::apply();
    QApplication::setWindowIcon(QIcon(QStringLiteral("://veltra2.ico")));
    QApplication::addLibraryPath(QApplication::applicationDirPath());

    auto parser = std::make_unique<QCommandLineParser>();
    addOptions(*parser);
    parser->process(*app);

    QList<QTranslator *> translators;
    {
        QSettings settings;
        QString language = settings.value(QStringLiteral("language")).toString();
        if (language.isEmpty())
            language = QStringLiteral("en");
        translators = TranslationLoader::loadWithToolkit(language);
        // Numbers and dates as the operator's system writes them when it is
        // in the window's language, else as that language does: a decimal
        // point in Russian words would read wrong.
        const QLocale system = QLocale::system();
        QLocale::setDefault(
            system.language() == QLocale(language).language() ? system : QLocale(language));
        for (QTranslator *translator : qAsConst(translators))
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
    if (auto *window = qobject_cast<QWindow *>(engine->rootObjects().value(0)))
        new WindowPlacement(window);

    const int code = QApplication::exec();

    // The windows go first: their bindings would otherwise be evaluated once
    // more against a runner that no longer exists. The runner then writes the
    // saved connections back while the engine still exists.
    qDeleteAll(engine->rootObjects());
    delete runner;
    for (QTranslator *translator : qAsConst(translators)) {
        QApplication::removeTranslator(translator);
        delete translator;
    }
    engine.reset();
    // Asked for by the window (a new language takes effect at start), once
    // everything it keeps has been written.
    if (code == QmlSetup::RestartCode) {
        QProcess::startDetached(
            QApplication::applicationFilePath(), QApplication::arguments().mid(1));
    }
    parser.reset();
    app.reset();
    return code == QmlSetup::RestartCode ? 0 : code;
}
