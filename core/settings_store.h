#pragma once

// The operator's settings kept between runs: line speed, brightness, mirror, clock direction,
// start value, timeout, break and penalty lengths, team names, the port (found again by its
// device), and the numbers and flags of `settingTable` (the horn, the web face, the window's
// size, the second display line). Read at start-up, written whenever the
// operator has changed one of them.

#include "bookkeeping/event_log.h"
#include "core/keys.h"
#include "form/form.h"
#include "match/sport_rules.h"
#include "platform/platform.h"
#include "platform/storage.h"

namespace ml {

// A start value or length in minutes as it may be kept: a number ("20.0") from 0 whose count the
// clock can hold.
bool lengthText(const QString& text);

struct Settings {
    int baud = 9600;
    int brightness = 1;
    bool mirror = false;
    bool countDown = true;
    QString startValue = QStringLiteral("20.0");
    QString timeoutLength = QStringLiteral("1.0");
    QString breakLength = QStringLiteral("5.0");
    QString penaltyLeft = QStringLiteral("2.0");
    QString penaltyRight = QStringLiteral("2.0");
    QString home = QStringLiteral("Heim");
    QString guest = QStringLiteral("Gegner");
    // Remote control allowed ("Extras → Fernbedienung erlauben").
    bool remoteOn = true;
    // The sport whose rules the match follows ("Extras → Sportart…").
    QString sport = QStringLiteral("frei");
    // The device of the port last chosen (a path such as /dev/ttyUSB0, or COM3); empty for none.
    QString port;
    // "Ansicht → Sprache": "de", "en", or empty for the system's.
    QString language;
    // The team names typed last, newest first.
    QStringList teamNames;
    // The hall the matches are played in, for the head of the printed report.
    QString hall;
    // The sides' colours as six hex digits, or none: the standard red and blue.
    QString homeColour;
    QString guestColour;
    // The keys of the commands ("Extras → Tasten…").
    KeyTable keys;
    // The second display line's port ("Extras → Zweite Anzeigelinie…").
    QString line2Port;
    // The MQTT broker's texts ("Extras → Netzwerk…"); its numbers and flags are in `numbers`.
    QString mqttHost;
    QString mqttCaFile;
    QString mqttUser;
    QString mqttHall;
    QString mqttCourt;
    // The numbers and flags of `settingTable`.
    SettingValues numbers;

    bool operator==(const Settings&) const = default;

    // From stored values: each value that is missing or impossible keeps its default; a key
    // table that is no table gives the standard keys and clears `keysRead`.
    static Settings fromValues(const QVariantMap& values, bool* keysRead = nullptr);
    QVariantMap toValues() const;
};

// Keeps the settings and the club's own sports on disk.
class SettingsStore {
    Q_DECLARE_TR_FUNCTIONS(SettingsStore)

  public:
    SettingsStore(Form& form, const Clock& clock, Storage& storage, EventLog& log, KeyTable& keys,
                  SportCatalog& sports)
        : form_(form), clock_(clock), storage_(storage), log_(log), keys_(keys), sports_(sports) {}
    void bindHandlers();

    // Start-up: the club's own sports (the settings may choose one of them), then the stored
    // settings into the form (the port only selected in the list) and the key table. Stored
    // sports or keys that do not read leave the built-in ones, and the log says so once.
    void start();
    // After an operator action: stores the settings when the operator has changed one (or,
    // with `again`, also when not: the last write failed).
    void keep(bool again = false);
    // After each step: while the disk refuses the settings, they are tried again once a second.
    void afterStep();
    // Keeps the club's own sports, as the dialog has left them.
    void keepSports();
    // "Einstellungen zurücksetzen": forgets the stored settings and shows the defaults.
    void ResetSettings_Click();

  private:
    // The settings as the form shows them; a value the operator has left impossible keeps the
    // one stored last.
    Settings fromForm() const;
    void apply(const Settings& s);
    // Runs the menu item's own handler, as the operator's choice would.
    void click(MenuItem& item);
    // The stored settings into the form. False when the stored key table was no table: the
    // standard keys apply, and are stored at once, so that it is said once.
    bool restore();

    Form& form_;
    const Clock& clock_;
    Storage& storage_;
    EventLog& log_;
    KeyTable& keys_;
    SportCatalog& sports_;
    Settings kept_;
    qint64 lastTryMs_ = 0;
};

} // namespace ml
