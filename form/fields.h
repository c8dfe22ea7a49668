#pragma once

// The form-level fields in one table: the name each is shown by, where it lives in the form, and
// whether the state kept for a resume holds it (under which key, within which range). Adding a
// field to the form means adding its line here; the replay's `show`, the kept state and the
// change stream all read this table.

#include "form/listed_penalty.h"

#include <QString>

#include <cstdint>
#include <variant>
#include <vector>

namespace ml {

struct Form;

using FieldValue = std::variant<bool, int, qint64, double, QString, PenaltyList, PlayerSheet>;

struct Field {
    using At =
        std::variant<bool& (*)(Form&), int& (*)(Form&), qint64& (*)(Form&), double& (*)(Form&),
                     QString& (*)(Form&), PenaltyList& (*)(Form&), PlayerSheet& (*)(Form&)>;
    const char* name;
    At at;
    // The key in the kept match state; null for a field the state does not keep (the tick
    // derives it afresh, or it is a setting kept with the settings).
    const char* stored = nullptr;
    // The range a kept whole number may hold when read back.
    qint64 min = INT16_MIN;
    qint64 max = INT16_MAX;
};

const std::vector<Field>& formFields();
const Field* findField(const QString& name);

FieldValue valueOf(const Field& field, const Form& form);
// As replay prints it: flags -1 or 0, numbers in plain decimal, texts quoted, a penalty list as
// its entries ("#7 120s running end=1680000; #- 120s waiting", "none"), a side's players as
// theirs ("#5 fouls=4; #7 penalties=3 out", "none").
QString fieldText(const Field& field, const Form& form);

} // namespace ml
