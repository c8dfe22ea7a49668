#pragma once

// The language of the texts the operator sees: German, the texts in the code and the default, or
// English from a translation file (marklight_en.qm). Qt's own texts (the file dialog, the buttons
// of a message box) follow. What goes to the display line is never translated: team names,
// banners, free texts.

#include <QString>
#include <QVariantMap>

class QTranslator;

namespace ml {

struct Language {
    // "de" or "en": the language of the texts.
    QString code = QStringLiteral("de");
    // The translation file that was wanted and not found, so that the texts are German; empty
    // when none was missing.
    QString missing;
};

// The languages offered ("Ansicht → Sprache"), besides the system's.
inline constexpr const char* kLanguages[] = {"de", "en"};

// The choice kept with the settings under "language": "de", "en", or empty for the system's.
QString keptLanguage(const QVariantMap& settings);
// The language of `choice`; for the system's, the first of German and English among the
// languages the system's user prefers, else German.
QString languageFor(const QString& choice);
// The translations of `code` for this program and Qt's own, in place of any installed before.
// Needs a QCoreApplication; must come before the program's form is made, whose first texts it
// translates. marklight_<code>.qm is looked for in MARKLIGHT_TRANSLATIONS when set, else in
// share/marklight/translations beside the program and in the build tree's i18n folder.
Language installLanguage(const QString& code);
// Loads the program's own translations of `code` (marklight_<code>.qm, looked for as above) into
// `translator`; false when there is none (German has none: its texts are the source).
bool loadCatalog(QTranslator& translator, const QString& code);

} // namespace ml
