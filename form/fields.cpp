#include "form/fields.h"

#include "form/form.h"
#include "form/quote.h"

#include <QStringList>

#include <utility>

namespace ml {

namespace {

// A count's exact value in milliseconds stays within the seconds a clock may hold.
constexpr qint64 kMaxCountMs = INT16_MAX * 1000LL;

#define ML_AT(expr)                                                                                \
    [](Form & f) -> auto& {                                                                        \
        return f.expr;                                                                             \
    }

// The settings' values, one field each, under the setting's name.
template <std::size_t I> int& settingAt(Form& f) {
    return f.settings[SettingId(I)];
}

template <std::size_t... I>
void addSettings(std::vector<Field>& fields, std::index_sequence<I...>) {
    (fields.push_back({settingTable()[I].name, &settingAt<I>}), ...);
}

} // namespace

const std::vector<Field>& formFields() {
    static const std::vector<Field> fields = [] {
        std::vector<Field> all = {
            {"ClockRunning", ML_AT(ClockRunning), "ClockRunning"},
            {"TimeoutActive", ML_AT(TimeoutActive), "TimeoutActive"},
            {"BreakActive", ML_AT(BreakActive), "BreakActive"},
            {"LastMinute", ML_AT(LastMinute), "LastMinute"},
            {"TenthCount", ML_AT(TenthCount)},
            {"StepMs", ML_AT(StepMs)},
            {"ClockMs", ML_AT(ClockMs), "ClockMs", -kMaxCountMs, kMaxCountMs},
            {"anchor.monoMs", ML_AT(anchor.monoMs)},
            {"anchor.valueMs", ML_AT(anchor.valueMs)},
            {"StrafeLActive", ML_AT(penaltyL.running), "penaltyL.running"},
            {"StrafeLEndMin", ML_AT(penaltyL.endMin), "penaltyL.endMin"},
            {"StrafeLEndSec", ML_AT(penaltyL.endSec), "penaltyL.endSec"},
            {"StrafeRActive", ML_AT(penaltyR.running), "penaltyR.running"},
            {"StrafeREndMin", ML_AT(penaltyR.endMin), "penaltyR.endMin"},
            {"StrafeREndSec", ML_AT(penaltyR.endSec), "penaltyR.endSec"},
            {"LogPending", ML_AT(LogPending), "LogPending"},
            {"EndsChanged", ML_AT(EndsChanged), "EndsChanged"},
            {"Sport", ML_AT(Sport), "Sport"},
            {"PeriodNumber", ML_AT(PeriodNumber), "PeriodNumber", 0, 99},
            {"PeriodPhase", ML_AT(PeriodPhase), "PeriodPhase", phase::kReady, phase::kOver},
            {"PeriodSeconds", ML_AT(PeriodSeconds), "PeriodSeconds", 0, 99 * 60},
            {"penaltiesL", ML_AT(penaltiesL), "penaltiesL"},
            {"penaltiesR", ML_AT(penaltiesR), "penaltiesR"},
            {"PenaltyCount", ML_AT(PenaltyCount), "PenaltyCount", 0, INT32_MAX},
            {"TimeoutsMatchL", ML_AT(TimeoutsMatchL), "TimeoutsMatchL", 0, 99},
            {"TimeoutsHalfL", ML_AT(TimeoutsHalfL), "TimeoutsHalfL", 0, 99},
            {"TimeoutsLastL", ML_AT(TimeoutsLastL), "TimeoutsLastL", 0, 99},
            {"TimeoutsMatchR", ML_AT(TimeoutsMatchR), "TimeoutsMatchR", 0, 99},
            {"TimeoutsHalfR", ML_AT(TimeoutsHalfR), "TimeoutsHalfR", 0, 99},
            {"TimeoutsLastR", ML_AT(TimeoutsLastR), "TimeoutsLastR", 0, 99},
            {"FoulsL", ML_AT(FoulsL), "FoulsL", 0, 999},
            {"FoulsMatchL", ML_AT(FoulsMatchL), "FoulsMatchL", 0, 999},
            {"FoulsR", ML_AT(FoulsR), "FoulsR", 0, 999},
            {"FoulsMatchR", ML_AT(FoulsMatchR), "FoulsMatchR", 0, 999},
            {"playersL", ML_AT(playersL), "playersL"},
            {"playersR", ML_AT(playersR), "playersR"},
            {"BannerPhase", ML_AT(BannerPhase)},
            {"ClockEnded", ML_AT(ClockEnded), "ClockEnded"},
            {"HornFailed", ML_AT(HornFailed)},
            {"MqttHost", ML_AT(MqttHost)},
            {"MqttCaFile", ML_AT(MqttCaFile)},
            {"MqttUser", ML_AT(MqttUser)},
            {"MqttHall", ML_AT(MqttHall)},
            {"MqttCourt", ML_AT(MqttCourt)},
            {"OutLine(0)", ML_AT(OutLine[0])},
            {"OutLine(1)", ML_AT(OutLine[1])},
            {"OutLine(2)", ML_AT(OutLine[2])},
            {"OutLine(3)", ML_AT(OutLine[3])},
            {"OutLine(4)", ML_AT(OutLine[4])},
            {"LastSent", ML_AT(LastSent)},
            {"BlinkPhase", ML_AT(BlinkPhase)},
            {"SpecialOutput", ML_AT(SpecialOutput), "SpecialOutput"},
            {"TextTop", ML_AT(TextTop), "TextTop"},
            {"TextBottom", ML_AT(TextBottom), "TextBottom"},
            {"TextBig", ML_AT(TextBig), "TextBig"},
            {"PreviewTop", ML_AT(PreviewTop)},
            {"PreviewBottom", ML_AT(PreviewBottom)},
            {"PreviewBig", ML_AT(PreviewBig)},
            {"ScrollTop", ML_AT(ScrollTop), "ScrollTop"},
            {"ScrollBottom", ML_AT(ScrollBottom), "ScrollBottom"},
            {"ScrollBig", ML_AT(ScrollBig), "ScrollBig"},
            {"ScrollPosTop", ML_AT(ScrollPosTop)},
            {"ScrollPosBottom", ML_AT(ScrollPosBottom)},
            {"ScrollPosBig", ML_AT(ScrollPosBig)},
            {"TwoLines", ML_AT(TwoLines), "TwoLines"},
            {"Language", ML_AT(Language)},
            {"PortOpen", ML_AT(PortOpen)},
            {"PortClosedWarn", ML_AT(PortClosedWarn)},
            {"Line2Port", ML_AT(Line2Port)},
            {"Line2Open", ML_AT(Line2Open)},
            {"Line2LastSent", ML_AT(Line2LastSent)},
            {"LoggedScoreL", ML_AT(LoggedScoreL), "LoggedScoreL"},
            {"LoggedScoreR", ML_AT(LoggedScoreR), "LoggedScoreR"},
            {"frmMessage.exists", ML_AT(frmMessage.exists)},
            {"NoteCount", ML_AT(NoteCount)},
        };
        addSettings(all, std::make_index_sequence<kSettingCount>());
        return all;
    }();
    return fields;
}

const Field* findField(const QString& name) {
    for (const Field& field : formFields())
        if (name == QLatin1String(field.name))
            return &field;
    return nullptr;
}

FieldValue valueOf(const Field& field, const Form& form) {
    // The accessors give writable references; reading through them changes nothing.
    Form& f = const_cast<Form&>(form);
    return std::visit([&f](auto at) { return FieldValue(at(f)); }, field.at);
}

QString fieldText(const Field& field, const Form& form) {
    struct Text {
        QString operator()(bool b) const { return b ? QStringLiteral("-1") : QStringLiteral("0"); }
        QString operator()(int v) const { return QString::number(v); }
        QString operator()(qint64 v) const { return QString::number(v); }
        QString operator()(double v) const { return QString::number(v, 'g', 17); }
        QString operator()(const QString& t) const { return quoted(t); }
        QString operator()(const PenaltyList& list) const {
            QStringList entries;
            for (const ListedPenalty& p : list)
                entries << QStringLiteral("#%1 %2s %3 given=%4%5%6%7%8")
                               .arg(p.number ? QString::number(p.number) : QStringLiteral("-"))
                               .arg(p.lengthSec)
                               .arg(p.running
                                        ? QStringLiteral("running end=") + QString::number(p.endMs)
                                        : QStringLiteral("waiting"))
                               .arg(p.givenMs)
                               .arg(p.reducesTeam ? QString() : QStringLiteral(" personal"))
                               .arg(p.endsOnGoal ? QStringLiteral(" goal") : QString())
                               .arg(p.coincidentWith
                                        ? QStringLiteral(" coincident=%1").arg(p.coincidentWith)
                                        : QString())
                               .arg(p.after ? QStringLiteral(" after=%1").arg(p.after) : QString());
            return entries.isEmpty() ? QStringLiteral("none") : entries.join(QStringLiteral("; "));
        }
        QString operator()(const PlayerSheet& players) const {
            QStringList entries;
            for (const auto& [number, m] : players) {
                QString entry = QStringLiteral("#%1").arg(number);
                if (m.fouls)
                    entry += QStringLiteral(" fouls=%1").arg(m.fouls);
                if (m.penalties)
                    entry += QStringLiteral(" penalties=%1").arg(m.penalties);
                if (m.warnings)
                    entry += QStringLiteral(" warnings=%1").arg(m.warnings);
                if (m.sentOff)
                    entry += QStringLiteral(" out");
                if (m.reported)
                    entry += QStringLiteral(" reported");
                entries << entry;
            }
            return entries.isEmpty() ? QStringLiteral("none") : entries.join(QStringLiteral("; "));
        }
    };
    return std::visit(Text{}, valueOf(field, form));
}

} // namespace ml
