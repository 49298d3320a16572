#ifndef TRANSLATIONLOADER_H
#define TRANSLATIONLOADER_H

#include <QList>
#include <QString>

class QTranslator;

// Finds and loads the user-interface catalogue for a language code among the
// catalogues the program carries under :/lang/.
class TranslationLoader {
public:
    // The catalogue file for `language` (for "ru": :/lang/veltra2_ru.qm), or an
    // empty text when the program carries none for it.
    static QString cataloguePath(const QString &language);
    // A loaded translator for `language`, or null when there is none to load.
    // The caller owns the result.
    static QTranslator *load(const QString &language);
    // Our catalogue followed by the toolkit's own ones for the same language
    // (standard buttons, file dialogs), as far as they are installed; empty
    // when we carry no catalogue for `language`. The caller owns the results.
    static QList<QTranslator *> loadWithToolkit(const QString &language);
};

#endif // TRANSLATIONLOADER_H
