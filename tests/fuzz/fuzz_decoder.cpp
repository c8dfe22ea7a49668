// libFuzzer target over the decoder of the display line: any bytes, in any pieces, give the same
// state as when fed whole, rows of 16 characters, and never more memory than one frame.

#include "display/line_decoder.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace ml;
    if (size < 1)
        return 0;
    // The first byte chooses the size of the pieces; the rest is the wire.
    const qsizetype piece = data[0] % 17 + 1;
    const QByteArrayView wire(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));

    LineDecoder whole, pieces;
    whole.feed(wire, 0);
    for (qsizetype i = 0; i < wire.size(); i += piece)
        pieces.feed(wire.sliced(i, std::min(piece, wire.size() - i)), 0);
    if (!(whole.state() == pieces.state()) || whole.skipped() != pieces.skipped())
        std::abort();

    whole.flush(0);
    for (const qint64 at : {qint64(0), qint64(777), qint64(123456789)}) {
        for (const QString& row : visibleRows(whole.state(), at, QStringLiteral("12:34:56")))
            if (row.size() != kRowChars)
                std::abort();
    }
    (void)whole.blinking(1000);
    return 0;
}
