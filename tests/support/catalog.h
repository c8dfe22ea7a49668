#pragma once

// The English catalog (i18n/marklight_en.ts) as the tests read it: how many texts it has, how
// many lack their English, and the words of the German texts that no English text has, the marks
// of a German text that reached an English window.

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QString>

namespace ml::test {

struct Catalog {
    int messages = 0;
    int unfinished = 0;
    // Lower case.
    QSet<QString> germanWords;
};

inline QRegularExpression wordPattern() {
    return QRegularExpression(QStringLiteral("[A-Za-zÄÖÜäöüß]{4,}"));
}

inline Catalog readCatalog() {
    QFile file(QStringLiteral(MARKLIGHT_TS_FILE));
    Catalog c;
    if (!file.open(QIODevice::ReadOnly))
        return c;
    const QString ts = QString::fromUtf8(file.readAll());
    static const QRegularExpression message(
        QStringLiteral("<source>(.*?)</source>.*?<translation([^>]*)>(.*?)</translation>"),
        QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpression word = wordPattern();
    QSet<QString> english;
    for (auto m = message.globalMatch(ts); m.hasNext();) {
        const QRegularExpressionMatch one = m.next();
        ++c.messages;
        c.unfinished +=
            one.captured(2).contains(QLatin1String("unfinished")) || one.captured(3).isEmpty();
        for (auto w = word.globalMatch(one.captured(1)); w.hasNext();)
            c.germanWords << w.next().captured().toLower();
        for (auto w = word.globalMatch(one.captured(3)); w.hasNext();)
            english << w.next().captured().toLower();
    }
    c.germanWords -= english;
    return c;
}

// The German words of `text` that `allowed` does not hold.
inline QStringList germanIn(const QString& text, const Catalog& c, const QSet<QString>& allowed) {
    QStringList found;
    const QRegularExpression word = wordPattern();
    for (auto w = word.globalMatch(text); w.hasNext();) {
        const QString one = w.next().captured().toLower();
        if (c.germanWords.contains(one) && !allowed.contains(one))
            found << one;
    }
    return found;
}

} // namespace ml::test
