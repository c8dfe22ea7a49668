#pragma once

// One team's side of the window: its penalty button, length and text box, and under a sport's
// rules its list of penalties, the boxes of the list and the player's number, its timeouts and
// its fouls. The side changes ends with the team; `left` is where it stands now.

#include "form/form.h"

namespace ml {

struct TeamSide {
    Button& button;
    TextBox& length;
    TextBox& text;
    Penalty& penalty;
    bool left;
    PenaltyList& list;
    TextBox& number;
    ListBox& box;
    TextBox& name;
    int& toMatch;
    int& toHalf;
    int& toLast;
    Button& timeout;
    Label& toShown;
    PlayerSheet& players;
    int& fouls;
    int& foulsMatch;
    Button& foul;
    Label& foulsShown;
    Button& warning;
    Button& redCard;
};

TeamSide teamSide(Form& form, bool left);

} // namespace ml
