#pragma once

// The pages' own words (and the remote's buttons) in each language, as /texts.js hands them to
// the pages: they speak the desk's language unless the address asks for another (`?lang=en`).
// The pages are written in German; each German text is the key of its translation.

#include <QByteArray>
#include <QString>

namespace ml::web {

// The script: `MarklightTexts = {"desk": CODE, "en": {GERMAN: ENGLISH, …}}`, CODE the language
// the desk speaks ("de" or "en").
QByteArray textsScript(const QString& deskLanguage);

} // namespace ml::web
