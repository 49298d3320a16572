#include "app/translationloader.h"
#include "common/testmain.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QSettings>
#include <QTest>
#include <QTranslator>

#include <memory>

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("output");

        QTest::newRow("version") << QStringList { "--version" } << 0 << "VELTRA2 0.1.0\n";
        QTest::newRow("short version") << QStringList { "-v" } << 0 << "VELTRA2 0.1.0\n";
        QTest::newRow("help") << QStringList { "--help" } << 0 << "--version";
        QTest::newRow("unknown option")
            << QStringList { "--frobnicate" } << 1 << "Unknown option 'frobnicate'";
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
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), exitCode);
        const QString text = QString::fromLocal8Bit(
            program.readAllStandardOutput() + program.readAllStandardError());
        if (output.endsWith('\n'))
            QCOMPARE(text, output);
        else
            QVERIFY2(text.contains(output), qPrintable(text));
    }

    void languageChoosesCatalogue_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("closed");

        QTest::newRow("Russian") << "ru" << QStringLiteral("Соединение закрыто");
        QTest::newRow("English") << "en"
                                 << "Connection closed";
        QTest::newRow("no catalogue") << "de"
                                      << "Connection closed";
        QTest::newRow("not set") << ""
                                 << "Connection closed";
    }

    void languageChoosesCatalogue()
    {
        QFETCH(QString, language);
        QFETCH(QString, closed);
        std::unique_ptr<QTranslator> translator(TranslationLoader::load(language));
        QCOMPARE(bool(translator), language == "ru");
        if (translator)
            QCoreApplication::installTranslator(translator.get());
        QCOMPARE(QCoreApplication::translate("IOTRunner", "Connection closed"), closed);
    }

    void russianCatalogueIsComplete_data()
    {
        QTest::addColumn<QString>("context");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("russian");

        QTest::newRow("closed") << "IOTRunner"
                                << "Connection closed"
                                << "Соединение закрыто";
    }

    void russianCatalogueIsComplete()
    {
        QFETCH(QString, context);
        QFETCH(QString, source);
        QFETCH(QString, russian);
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral(":/lang/veltra2_ru.qm")));
        QCOMPARE(translator.translate(qPrintable(context), qPrintable(source)), russian);
    }

    void resourcesAreCarried()
    {
        QImage needle(QStringLiteral(":/needle.png"));
        QCOMPARE(needle.size(), QSize(17, 201));
        QVERIFY(needle.hasAlphaChannel());
        // Pointing up: the tip is narrow, the base broad, the corners clear.
        QCOMPARE(qAlpha(needle.pixel(0, 0)), 0);
        QVERIFY(qAlpha(needle.pixel(8, 5)) > 0);
        QVERIFY(qRed(needle.pixel(8, 150)) > 150 && qGreen(needle.pixel(8, 150)) < 100);

        QImageReader icon(QStringLiteral("://veltra2.ico"));
        QList<int> sizes;
        for (int i = 0; i < icon.imageCount(); ++i) {
            QVERIFY(icon.jumpToImage(i));
            const QImage image = icon.read();
            QCOMPARE(image.width(), image.height());
            QVERIFY(image.hasAlphaChannel());
            sizes << image.width();
        }
        QCOMPARE(sizes, (QList<int> { 128, 96, 48, 32, 24, 22, 16 }));

        QFile font(QStringLiteral(":/fonts/MaterialIcons-Regular.ttf"));
        QCOMPARE(font.size(), 128180);
        QFile qmldir(QStringLiteral(":/qmldir"));
        QVERIFY(qmldir.open(QIODevice::ReadOnly));
        QCOMPARE(
            qmldir.readAll().trimmed(), QByteArray("singleton MaterialFont 1.0 MaterialFont.qml"));

        QSettings style(QStringLiteral(":/qtquickcontrols2.conf"), QSettings::IniFormat);
        QCOMPARE(style.value("Controls/Style").toString(), QStringLiteral("Material"));
        QCOMPARE(style.value("Material/Theme").toString(), QStringLiteral("Light"));
        QCOMPARE(style.value("Material/Primary").toString(), QStringLiteral("Indigo"));
        QCOMPARE(style.value("Universal/Theme").toString(), QStringLiteral("Dark"));
        QVERIFY(!style.contains("Material/Accent"));
    }
};

VELTRA2_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
