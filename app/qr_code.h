#pragma once

// QR codes drawn for the screen: the remote's address with its key, scanned by a phone.

#include <QImage>
#include <QString>

namespace ml::app {

// `text` as a QR code, black on white, `module` pixels a module, with the quiet zone of four
// modules around it that readers need. A null image when the text does not fit in one.
QImage qrCode(const QString& text, int module);

} // namespace ml::app
