#pragma once

// The serial link: port listing, line speed, the open/close toggle, and writing
// transmissions to the open port. A second display line (a hall with one at each end) has a
// port of its own, opened and closed apart from the first, with its own line speed and its own
// failures: what befalls one line never stops the other.

#include "bookkeeping/event_log.h"
#include "form/form.h"
#include "platform/platform.h"
#include "serial/line_writer.h"

#include <optional>

namespace ml {

// The port number of an entry of the port list ("COM 3"); 0 for none.
int portNumberOf(const QString& entry);
// The device of the listed port `n`; empty when the list has no such port.
QString deviceOfPort(const ComboBox& list, int n);

class SerialLink {
    Q_DECLARE_TR_FUNCTIONS(SerialLink)

  public:
    // `second`: the device of the second line; without it there is none.
    SerialLink(Form& form, SerialDevice& device, Dialogs& dialogs, EventLog& log,
               SerialDevice* second = nullptr);
    ~SerialLink();
    SerialLink(const SerialLink&) = delete;
    SerialLink& operator=(const SerialLink&) = delete;
    void bindHandlers();
    // Start-up: 9600 baud, no port open, and the ports listed.
    void start();

    bool PortTest(int port);
    void check_comPorts_Click();
    void OpenOutput_Click();
    void Baud_1200_Click();
    void Baud_2400_Click();
    void Baud_4800_Click();
    void Baud_9600_Click();

    // Writes one transmission to the open port in one piece (Windows-1252). On a slow line a
    // newer transmission replaces one still waiting for the line.
    void output(const QString& transmission);
    // The same to the second line.
    void outputSecond(const QString& transmission);
    // A command that must reach the display (the mode switch), to both lines: it is never
    // replaced, and what follows waits behind it.
    void outputInOrder(const QString& transmission);

    bool hasSecondLine() const { return second_.has_value(); }
    // "Extras → Zweite Anzeigelinie…": the second line on port `n` (0: closed), its sides
    // mirrored or not, at `baud`. A new port or speed closes the line and opens it anew; a port
    // whose device is the first line's is refused, whatever path names it.
    void setSecondLine(int n, bool mirror, int baud);

  private:
    // One port and what waits for it.
    struct Line {
        explicit Line(SerialDevice& d) : device(d), writer(d) {}
        SerialDevice& device;
        LineWriter writer;
        // True from a successful open until the close or a failure of the device begins.
        bool up = false;
    };

    void openPort(int n);
    void closePort();
    void send(Line& line, const QString& transmission, LineWriter::Kind kind);
    void deviceFailed(const QString& reason);
    void openSecond(int n);
    void closeSecond();
    void secondFailed(const QString& reason);
    // The open line whose device is the one behind port `n` of `device`, if any.
    bool sameDevice(const Line& open, SerialDevice& device, int n) const;
    // Why an open of port `n` failed, after the first line's sentence.
    QString openFailure(SerialDevice& device, int n, const QString& first) const;
    QString busyText(int n) const;
    void message(const QString& text);
    void checkSpeed(MenuItem& item);

    Form& form_;
    SerialDevice& device_;
    Dialogs& dialogs_;
    EventLog& log_;
    Line first_;
    std::optional<Line> second_;
    // The devices the last listing found but may not open for lack of rights, and what it says
    // of the ports another program holds.
    QStringList denied_;
    QStringList busy_;
};

} // namespace ml
