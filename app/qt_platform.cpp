#include "app/qt_platform.h"

#include <QApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QMessageBox>
#include <QPushButton>
#include <QTime>
#include <QUrl>

namespace ml::app {

QString QtClock::timeOfDay() const {
    return QTime::currentTime().toString(QStringLiteral("HH:mm:ss"));
}

qint64 QtClock::wallMs() const {
    return QDateTime::currentMSecsSinceEpoch();
}

Answer QtDialogs::messageBox(const QString& text, const QString& title, Icon icon,
                             Buttons buttons) {
    QMessageBox box(icon == Icon::Critical ? QMessageBox::Critical : QMessageBox::NoIcon, title,
                    QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")),
                    buttons == Buttons::OkCancel ? QMessageBox::Ok | QMessageBox::Cancel
                                                 : QMessageBox::Ok,
                    QApplication::activeWindow() ? QApplication::activeWindow() : owner_.data());
    // Texts carry port names and operator input: never read them as markup.
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    if (QAbstractButton* cancel = box.button(QMessageBox::Cancel))
        cancel->setText(QStringLiteral("Abbrechen"));
    return box.exec() == QMessageBox::Cancel ? Answer::Cancel : Answer::Ok;
}

void QtShell::openUrl(const QString& url) {
    QDesktopServices::openUrl(QUrl(url));
}

} // namespace ml::app
