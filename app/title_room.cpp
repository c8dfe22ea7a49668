#include "app/title_room.h"

#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>

namespace ml::app {

void fitTitle(QDialog& dialog) {
    QFont font = QApplication::font();
    font.setBold(true);
    const QFontMetrics fm(font);
    // The title bar's icon and its buttons (help, close; minimise and maximise where offered)
    // take about six times the line's height beside the text.
    const int width = fm.horizontalAdvance(dialog.windowTitle()) + 6 * fm.height();
    // A message box sizes itself from its contents and ignores a minimum width: a spacer in its
    // grid makes the room.
    if (auto* box = qobject_cast<QMessageBox*>(&dialog)) {
        if (box->property("marklightTitleRoom").toBool())
            return;
        box->setProperty("marklightTitleRoom", true);
        if (auto* grid = qobject_cast<QGridLayout*>(box->layout()))
            grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                          grid->rowCount(), 0, 1, grid->columnCount());
        return;
    }
    dialog.setMinimumWidth(std::max(dialog.minimumWidth(), width));
}

} // namespace ml::app
