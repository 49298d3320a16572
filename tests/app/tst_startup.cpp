#include "app/identity.h"
#include "app/translationloader.h"
#include "app/windowplacement.h"
#include "common/testmain.h"

#include <QFile>
#include <QProcess>
#include <QTest>
#include <QTranslator>
#include <QXmlStreamReader>

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("output");

        QTest::newRow("version") << QStringList { "--version" } << 0
                                 << QString(VELTRA2_APPLICATION " " VELTRA2_VERSION "\n");
        QTest::newRow("help") << QStringList { "--help" } << 0 << "--version";
        QTest::newRow("toolkit options before the version")
            << QStringList { "-platform", "offscreen", "-reverse", "--version" } << 0
            << QString(VELTRA2_APPLICATION " " VELTRA2_VERSION "\n");
        QTest::newRow("unknown option before the version") << QStringList { "--bogus", "-style",
            "Fusion", "--version" } << 1 << "Unknown option 'bogus'";
        QTest::newRow("unknown option beside the toolkit's")
            << QStringList { "-platform", "offscreen", "-style", "Fusion", "--frobnicate" } << 1
            << "Unknown option 'frobnicate'";
        // Accepted, they reach the toolkit and the window keeps running.
        QTest::newRow("toolkit options alone")
            << QStringList { "-platform", "offscreen", "-reverse", "-style", "Fusion" } << -1 << "";
    }

    void commandLine()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        QProcess program;
        // No display at all: these answers must not need one.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY");
        env.remove("QT_QPA_PLATFORM");
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(VELTRA2_BINARY), args);
        const bool finished = program.waitForFinished(exitCode < 0 ? 3000 : 10000);
        const QString text = QString::fromLocal8Bit(
            program.readAllStandardOutput() + program.readAllStandardError());
        if (exitCode < 0) {
            program.kill();
            program.waitForFinished(5000);
            QVERIFY2(!finished, qPrintable(text));
            return;
        }
        QVERIFY(finished);
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), exitCode);
        if (output.endsWith('\n')) // the line end is the platform's
            QCOMPARE(text.trimmed(), output.trimmed());
        else
            QVERIFY2(text.contains(output), qPrintable(text));
    }

    void windowFitsTheScreen_data()
    {
        QTest::addColumn<QRect>("wanted");
        QTest::addColumn<bool>("placed");
        QTest::addColumn<QRect>("fitted");

        // A screen of 1280 x 900 pixels at scale factor 2, less a panel.
        QTest::newRow("first start: centred, no larger than the screen")
            << QRect(0, 0, 800, 600) << false << QRect(0, 24, 640, 426);
        QTest::newRow("where it was left")
            << QRect(10, 40, 500, 400) << true << QRect(10, 40, 500, 400);
        QTest::newRow("left on a screen that has gone")
            << QRect(1500, -300, 700, 400) << true << QRect(0, 24, 640, 400);
        QTest::newRow("the screen is smaller than the smallest window")
            << QRect(0, 0, 300, 200) << true << QRect(0, 24, 480, 400);
    }

    void windowFitsTheScreen()
    {
        QFETCH(QRect, wanted);
        QFETCH(bool, placed);
        QFETCH(QRect, fitted);
        QCOMPARE(WindowPlacement::fitted(wanted, placed, QRect(0, 24, 640, 426), QSize(480, 400)),
            fitted);
    }

    void languageChoosesCatalogue_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("closed");
        QTest::addColumn<QString>("yes");

        QTest::newRow("Russian") << "ru" << QStringLiteral("Соединение закрыто")
                                 << QStringLiteral("&Да");
        QTest::newRow("no catalogue") << "de"
                                      << "Connection closed"
                                      << "&Yes";
    }

    void languageChoosesCatalogue()
    {
        QFETCH(QString, language);
        QFETCH(QString, closed);
        QFETCH(QString, yes);
        const QList<QTranslator *> translators = TranslationLoader::loadWithToolkit(language);
        for (QTranslator *translator : translators)
            QCoreApplication::installTranslator(translator);
        // Ours, and the toolkit's own standard buttons in the same language.
        const QString closedSeen = QCoreApplication::translate("IOTRunner", "Connection closed");
        const QString yesSeen = QCoreApplication::translate("QPlatformTheme", "&Yes");
        qDeleteAll(translators);
        QCOMPARE(closedSeen, closed);
        QCOMPARE(yesSeen, yes);
    }

    void everyShownTextIsInRussian()
    {
        // The texts the code marks for translation, under their contexts, as
        // Qt's own tool found them when the tests were built.
        QFile found(QStringLiteral(FOUND_TS));
        QVERIFY(found.open(QIODevice::ReadOnly));
        QTranslator russian;
        QVERIFY(russian.load(QStringLiteral(":/lang/veltra2_ru.qm")));
        QXmlStreamReader ts(&found);
        QString context;
        QStringList missing;
        int texts = 0;
        while (!ts.atEnd()) {
            if (ts.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (ts.name() == QLatin1String("name"))
                context = ts.readElementText();
            if (ts.name() != QLatin1String("source"))
                continue;
            const QString source = ts.readElementText();
            ++texts;
            // Shown in English in both languages, as the device's makers wrote it.
            if (source != QLatin1String("Cloud settings applied")
                && russian.translate(context.toUtf8(), source.toUtf8()).isEmpty())
                missing << context + ": " + source;
        }
        QVERIFY(texts > 100);
        QCOMPARE(missing, QStringList());
    }
};

VELTRA2_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
