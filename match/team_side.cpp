#include "match/team_side.h"

namespace ml {

TeamSide teamSide(Form& f, bool left) {
    if (left)
        return {f.StrafeL,       f.ValStrafeL,    f.TxtStrL,      f.penaltyL,  true,
                f.penaltiesL,    f.playerL,       f.penaltyListL, f.Text_l,    f.TimeoutsMatchL,
                f.TimeoutsHalfL, f.TimeoutsLastL, f.teamTimeoutL, f.timeoutsL, f.playersL,
                f.FoulsL,        f.FoulsMatchL,   f.foulL,        f.foulsL,    f.warningL,
                f.redCardL};
    return {f.StrafeR,       f.ValStrafeR,    f.TxtStrR,      f.penaltyR,  false,
            f.penaltiesR,    f.playerR,       f.penaltyListR, f.Text_r,    f.TimeoutsMatchR,
            f.TimeoutsHalfR, f.TimeoutsLastR, f.teamTimeoutR, f.timeoutsR, f.playersR,
            f.FoulsR,        f.FoulsMatchR,   f.foulR,        f.foulsR,    f.warningR,
            f.redCardR};
}

} // namespace ml
