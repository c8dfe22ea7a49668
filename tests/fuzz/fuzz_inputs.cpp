// libFuzzer target over the procedures that read untrusted text: the number reader, text
// fitting, the time-of-day reader and the event log's pieces of a transmission.

#include "bookkeeping/event_log.h"
#include "display/text_fitting.h"
#include "form/number_text.h"
#include "match/time_values.h"
#include "platform/fakes/fakes.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace ml;
    if (size < 2)
        return 0;
    // The first two bytes choose a width and an alignment; the rest is the text.
    const int width = static_cast<int8_t>(data[0]);
    const QString align = (data[1] & 1) ? QStringLiteral("R") : QStringLiteral("L");
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + 2),
                                           static_cast<qsizetype>(size - 2));

    FakeDialogs dialogs;
    (void)readNumber(text);
    (void)TrimText(text, align, width, dialogs);
    (void)Get_Sec(text, dialogs);

    Form form;
    FakeClock clock;
    EventLog log(form, clock);
    form.ClockRunning = (data[1] & 2) != 0;
    form.LogPending = (data[1] & 4) != 0;
    Transmission out;
    out.text = text;
    out.fields = {text, text.mid(8), text.mid(16), text.mid(24)};
    log.LogEvent(out);
    return 0;
}
