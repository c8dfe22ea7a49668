#include "match/player_number.h"

#include "match/failure_box.h"

#include <QRegularExpression>

namespace ml {

std::optional<int> playerNumber(const TeamSide& side, Dialogs& dialogs, const QString& title,
                                const QString& action) {
    static const QRegularExpression number(QStringLiteral("^\\s*([0-9]{1,2})\\s*$"));
    const QRegularExpressionMatch m = number.match(side.number.text);
    const int n = m.hasMatch() ? m.captured(1).toInt() : 0;
    if (side.number.text.trimmed().isEmpty() || n != 0)
        return n;
    showFailure(
        dialogs, title, kFaultInvalidArgument, action,
        QCoreApplication::translate("ml::player", "\"%1\" ist keine Spielernummer von 1 bis 99")
            .arg(side.number.text),
        QCoreApplication::translate("ml::player",
                                    "Nummer von 1 bis 99 eingeben oder das Feld leer lassen"));
    side.number.text.clear();
    return std::nullopt;
}

} // namespace ml
