#include "app/translationloader.h"

#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {
constexpr char LangDir[] = "lang";
// The toolkit modules whose texts the program shows: standard buttons (base),
// engine messages (declarative), the message and file dialogs (quickcontrols).
const char *const ToolkitCatalogues[] = { "qtbase", "qtdeclarative", "qtquickcontrols" };
} // namespace

QString TranslationLoader::cataloguePath(const QString &language)
{
    if (language.isEmpty())
        return {};
    const QDir dir(QStringLiteral(":/%1/").arg(LangDir));
    const QStringList found = dir.entryList({ QStringLiteral("*_%1.qm").arg(language) });
    if (found.isEmpty())
        return {};
    return QStringLiteral(":/%1/%2").arg(LangDir, found.first());
}

QTranslator *TranslationLoader::load(const QString &language)
{
    const QString path = cataloguePath(language);
    if (path.isEmpty())
        return nullptr;
    auto *translator = new QTranslator;
    if (!translator->load(path)) {
        delete translator;
        return nullptr;
    }
    return translator;
}

QList<QTranslator *> TranslationLoader::loadWithToolkit(const QString &language)
{
    QTranslator *own = load(language);
    if (!own)
        return {};
    QList<QTranslator *> translators { own };
    const QString toolkitDir = QLibraryInfo::location(QLibraryInfo::TranslationsPath);
    for (const char *catalogue : ToolkitCatalogues) {
        auto *translator = new QTranslator;
        if (translator->load(
                QLocale(language), QString::fromLatin1(catalogue), QStringLiteral("_"), toolkitDir))
            translators << translator;
        else
            delete translator;
    }
    return translators;
}
