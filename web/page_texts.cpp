#include "web/page_texts.h"

#include "core/commands.h"
#include "core/language.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTranslator>

namespace ml::web {

namespace {

// Every text the pages write themselves, as they write it (`data-t` in the page, `Marklight.t`
// in its script).
const char* const kPageTexts[] = {
    QT_TRANSLATE_NOOP("Pages", "Keine Verbindung – verbinde neu …"),
    QT_TRANSLATE_NOOP("Pages", "Timeout"),
    QT_TRANSLATE_NOOP("Pages", "Pause"),
    QT_TRANSLATE_NOOP("Pages", "Strafe"),
    QT_TRANSLATE_NOOP("Pages", "wartet"),
    QT_TRANSLATE_NOOP("Pages", "Fouls"),
    QT_TRANSLATE_NOOP("Pages", "Unterbrechung"),
    QT_TRANSLATE_NOOP("Pages", "Spielende"),
    QT_TRANSLATE_NOOP("Pages", "Ende"),
    QT_TRANSLATE_NOOP("Pages", "Hallenuhr"),
    QT_TRANSLATE_NOOP("Pages", "Anzeige"),
    QT_TRANSLATE_NOOP("Pages", "Fernbedienung"),
    QT_TRANSLATE_NOOP("Pages", "Namen, Spielstand, Spielzeit, Strafen, Timeout und Pause für "
                               "Fernseher und Beamer"),
    QT_TRANSLATE_NOOP("Pages", "die LED-Anzeigelinie, wie sie gerade leuchtet"),
    QT_TRANSLATE_NOOP("Pages", "Spielstand für Streaming-Programme (OBS, vMix), durchsichtiger "
                               "Hintergrund"),
    QT_TRANSLATE_NOOP("Pages", "Spielstand als JSON"),
    QT_TRANSLATE_NOOP("Pages", "Name dieses Geräts ändern"),
    QT_TRANSLATE_NOOP("Pages", "Name dieses Geräts (am Pult zu sehen):"),
    QT_TRANSLATE_NOOP("Pages", "Nur Anzeige"),
    QT_TRANSLATE_NOOP("Pages", "Nur Anzeige – QR-Code am Pult scannen"),
    QT_TRANSLATE_NOOP("Pages", "Nicht verbunden"),
    QT_TRANSLATE_NOOP("Pages", "Am Pult gesperrt"),
    QT_TRANSLATE_NOOP("Pages", "Verbunden"),
    QT_TRANSLATE_NOOP("Pages", "Keine Verbindung: nicht ausgeführt"),
    QT_TRANSLATE_NOOP("Pages", "Nur Anzeige: zum Steuern den QR-Code am Pult scannen"),
    QT_TRANSLATE_NOOP("Pages", "Nicht ausgeführt:"),
    QT_TRANSLATE_NOOP("Pages", "ohne Nr."),
    QT_TRANSLATE_NOOP("Pages", "Abbrechen"),
    QT_TRANSLATE_NOOP("Pages", "Geben"),
    QT_TRANSLATE_NOOP("Pages", "Spielbericht"),
    QT_TRANSLATE_NOOP("Pages", "Tore, Strafen und der Spielstand als Kurve, auch als PDF und CSV"),
    QT_TRANSLATE_NOOP("Pages", "Tore"),
    QT_TRANSLATE_NOOP("Pages", "Strafen"),
    QT_TRANSLATE_NOOP("Pages", "Zeit"),
    QT_TRANSLATE_NOOP("Pages", "Abschnitt"),
    QT_TRANSLATE_NOOP("Pages", "Mannschaft"),
    QT_TRANSLATE_NOOP("Pages", "Torschütze"),
    QT_TRANSLATE_NOOP("Pages", "Vorlagen"),
    QT_TRANSLATE_NOOP("Pages", "Stand"),
    QT_TRANSLATE_NOOP("Pages", "Spieler"),
    QT_TRANSLATE_NOOP("Pages", "Dauer"),
    QT_TRANSLATE_NOOP("Pages", "Verwarnung"),
    QT_TRANSLATE_NOOP("Pages", "Disqualifikation"),
    QT_TRANSLATE_NOOP("Pages", "Blaue Karte"),
};

} // namespace

QByteArray textsScript(const QString& deskLanguage) {
    QTranslator english;
    const bool found = loadCatalog(english, QStringLiteral("en"));
    QJsonObject en;
    const auto add = [&](const char* context, const char* text) {
        const QString translated = found ? english.translate(context, text) : QString();
        if (!translated.isEmpty())
            en.insert(QString::fromUtf8(text), translated);
    };
    for (const char* text : kPageTexts)
        add("Pages", text);
    for (const Command& c : commands())
        for (const char* text : {c.remote.what, c.remote.button, c.remote.running})
            if (text != nullptr)
                add("Command", text);
    const QJsonObject texts{{QStringLiteral("desk"), deskLanguage}, {QStringLiteral("en"), en}};
    return "\"use strict\";\n// The pages' words in each language (web/page_texts.cpp).\n"
           "const MarklightTexts = " +
           QJsonDocument(texts).toJson(QJsonDocument::Compact) + ";\n";
}

} // namespace ml::web
