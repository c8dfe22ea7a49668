#pragma once

// The operator's settings that are numbers or flags, one row each: its id, its name (the
// replay's `setting NAME N`, the dialogs' and the change stream's name), its key in the settings
// file, its default, the values it takes and, for those the dialogs change ("Extras → Hupe…",
// "Extras → Netzwerk…"), the words the log and the undo menu give a change of it ("Hupe: Länge
// 3,0 s"). The form holds the values (`Form::settings`); the kept settings, the dialogs, the
// replay and undo read this table. A new setting is its id here, its row in setting_table.cpp
// (with a label and a dialog, the dialog shows it), and the code that reads it.

#include <QString>

#include <array>
#include <cstddef>
#include <span>

namespace ml {

enum class SettingId {
    HornOn,
    HornLength,
    HornVolume,
    StopAtZero,
    WebOn,
    WebPort,
    WebNetwork,
    MqttOn,
    MqttPort,
    MqttTls,
    WindowScale,
    Line2Mirror,
    Line2Baud,
};
inline constexpr std::size_t kSettingCount = std::size_t(SettingId::Line2Baud) + 1;

// The sizes the window can take ("Ansicht → Größe"), in per cent of its design size.
inline constexpr int kWindowScales[] = {100, 125, 150, 200};

// The dialog that shows a setting with a label of the table's own ("Extras → Hupe…", "Extras →
// Netzwerk…"); the dialogs lay out the others their own way.
enum class ShownIn { Own, Horn, Network };

struct Setting {
    SettingId id;
    const char* name;
    // Its key in the settings file (kept as it is, so that settings files load unchanged).
    const char* key;
    int standard = 0;
    int min = 0;
    int max = 1;
    // "true"/"false" in the settings file, 0 or 1 elsewhere.
    bool flag = false;
    // The only values it takes within min and max; empty for any.
    std::span<const int> only = {};
    // A change to `value`, in words; null for a setting that no dialog changes by a command
    // (it is then neither undone nor set by the replay).
    QString (*said)(int value) = nullptr;
    // Where it stands in the window without a place of its own: a check box for a flag, a
    // number box otherwise, with this label (translated in "ml::DialogSetting").
    ShownIn shownIn = ShownIn::Own;
    const char* label = nullptr;
    const char* tip = nullptr;
};

std::span<const Setting> settingTable();
const Setting& settingRow(SettingId id);
// The row of the setting `name`; null for none.
const Setting* findSetting(const QString& name);
// A setting that the dialogs change by a command (with its words), by its name.
const Setting* findDialogSetting(const QString& name);

bool takes(const Setting& setting, int value);

// The form's values of the settings, each its default until set.
class SettingValues {
  public:
    SettingValues();
    int& operator[](SettingId id) { return values_[std::size_t(id)]; }
    int operator[](SettingId id) const { return values_[std::size_t(id)]; }
    bool on(SettingId id) const { return values_[std::size_t(id)] != 0; }
    bool operator==(const SettingValues&) const = default;

  private:
    std::array<int, kSettingCount> values_;
};

} // namespace ml
