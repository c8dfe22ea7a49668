#include "core/language.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace ml {

namespace {

const QString kKey = QStringLiteral("language");

// Where a translation file may be: the folder given, or beside the program as installed
// (bin/../share) and as built (app/../i18n, tests/core/../../i18n).
QStringList folders() {
    if (qEnvironmentVariableIsSet("MARKLIGHT_TRANSLATIONS"))
        return {qEnvironmentVariable("MARKLIGHT_TRANSLATIONS")};
    const QDir here(QCoreApplication::applicationDirPath());
    return {here.filePath(QStringLiteral("../share/marklight/translations")),
            here.filePath(QStringLiteral("../i18n")), here.filePath(QStringLiteral("../../i18n"))};
}

QTranslator& own() {
    static QTranslator translator;
    return translator;
}

QTranslator& qts() {
    static QTranslator translator;
    return translator;
}

} // namespace

QString keptLanguage(const QVariantMap& settings) {
    const QString choice = settings.value(kKey).toString();
    for (const char* code : kLanguages)
        if (choice == QLatin1String(code))
            return choice;
    return {};
}

QString languageFor(const QString& choice) {
    if (!choice.isEmpty())
        return choice;
    for (const QString& wanted : QLocale::system().uiLanguages())
        for (const char* code : kLanguages)
            if (wanted.section(QLatin1Char('-'), 0, 0) == QLatin1String(code))
                return QLatin1String(code);
    return QStringLiteral("de");
}

Language installLanguage(const QString& code) {
    QCoreApplication::removeTranslator(&own());
    QCoreApplication::removeTranslator(&qts());
    Language language;
    if (qts().load(QStringLiteral("qtbase_") + code,
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qts());
    if (code == QLatin1String("de"))
        return language;
    if (loadCatalog(own(), code)) {
        QCoreApplication::installTranslator(&own());
        language.code = code;
        return language;
    }
    // Without the file the texts stay German; Qt's own follow them.
    language.missing = QStringLiteral("marklight_%1.qm").arg(code);
    if (qts().load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qts());
    return language;
}

bool loadCatalog(QTranslator& translator, const QString& code) {
    if (code == QLatin1String("de"))
        return false;
    const QString file = QStringLiteral("marklight_%1.qm").arg(code);
    for (const QString& folder : folders())
        if (translator.load(file, folder))
            return true;
    return false;
}

} // namespace ml
