#include "app/qt_platform.h"

#include <QApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTime>
#include <QUrl>

namespace ml::app {

QString QtClock::timeOfDay() const {
    return timeText(QTime::currentTime().msecsSinceStartOfDay());
}

qint64 QtClock::wallMs() const {
    return QDateTime::currentMSecsSinceEpoch();
}

QWidget* QtDialogs::parent() const {
    return QApplication::activeWindow() ? QApplication::activeWindow() : owner_.data();
}

Answer QtDialogs::messageBox(const QString& text, const QString& title, Icon icon, Buttons buttons,
                             Answer defaultAnswer) {
    QMessageBox::StandardButtons shown = QMessageBox::Ok;
    if (buttons == Buttons::OkCancel)
        shown = QMessageBox::Ok | QMessageBox::Cancel;
    if (buttons == Buttons::YesNo)
        shown = QMessageBox::Yes | QMessageBox::No;
    QMessageBox box(icon == Icon::Critical ? QMessageBox::Critical : QMessageBox::NoIcon, title,
                    QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")), shown,
                    parent());
    // Texts carry port names and operator input: never read them as markup.
    box.setTextFormat(Qt::PlainText);
    if (buttons == Buttons::YesNo) {
        box.button(QMessageBox::Yes)
            ->setText(QCoreApplication::translate("ml::app::QtDialogs", "Ja"));
        box.button(QMessageBox::No)
            ->setText(QCoreApplication::translate("ml::app::QtDialogs", "Nein"));
        box.setDefaultButton(defaultAnswer == Answer::No ? QMessageBox::No : QMessageBox::Yes);
        // Closing the box (Escape, its close button) answers with the default, not with "No".
        box.setEscapeButton(box.defaultButton());
    } else {
        box.setDefaultButton(buttons == Buttons::OkCancel && defaultAnswer == Answer::Cancel
                                 ? QMessageBox::Cancel
                                 : QMessageBox::Ok);
    }
    if (QAbstractButton* cancel = box.button(QMessageBox::Cancel))
        cancel->setText(QCoreApplication::translate("ml::app::QtDialogs", "Abbrechen"));
    switch (box.exec()) {
    case QMessageBox::Cancel:
        return Answer::Cancel;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Ok;
    }
}

QString QtDialogs::saveFileName(const QString& title, const QString& suggested,
                                const QString& filters, QString& filter) {
    const QString start =
        QDir::isRelativePath(suggested)
            ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) +
                  QLatin1Char('/') + suggested
            : suggested;
    return QFileDialog::getSaveFileName(parent(), title, start, filters, &filter);
}

void QtShell::openUrl(const QString& url) {
    QDesktopServices::openUrl(QUrl(url));
}

} // namespace ml::app
