#include "app/translationloader.h"

#include <QDir>
#include <QTranslator>

namespace {
constexpr char LangDir[] = "lang";
}

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
