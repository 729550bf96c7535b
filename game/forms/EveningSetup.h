// What a new evening at the full table is set up with: the seats, the rules and the bank
// that starts, the defaults of a language, and the checks the setup box makes before it
// accepts what was typed. Platform-free: the box reads its controls into these.
#pragma once

#include "GameTexts.h"
#include "HouseRules.h"
#include "NumberText.h"
#include "RandomSource.h"
#include "SeatName.h"
#include "TableSeat.h"

#include <string>
#include <vector>

namespace DoDadu {

struct EveningSetup {
    HouseRules rules;
    std::vector<TableSeat> seats;
    int firstBank = 0;
};

// The first seat's name, never a pronoun, so every sentence that names a seat reads right:
// the given name in the user's display name (the first word after the comma of "Rossi,
// Anna", else the first word of "Anna Rossi"), else the same of the sign-in name ("anna";
// a home computer's account is often "Anna Rossi"), cut to kLongestSeatName letters; the
// language's "Player 1" when Windows names no one.
std::string FirstSeatName(const std::string& displayName, const std::string& signInName,
                          const TextSource& texts);
// The same for the user signed in to Windows: the name a person plays under until they
// choose another.
std::string UsersFirstSeatName(const TextSource& texts);

// The person, named firstName, and three computer seats (careful, bold, expert) with names
// natural in the texts' language, none the person's own; the Italian rules for an Italian
// or English player, the Spanish for a Spanish one; the first bank drawn by lot from random
// (seeded from the clock if it is not yet).
EveningSetup DefaultEveningSetup(const TextSource& texts, RandomSource& random, const std::string& firstName);

// The rules a player picks by name; Custom is any other set of fields.
enum class RulesPreset { Italian, Spanish, Custom };
HouseRules PresetRules(RulesPreset preset);
// The preset whose every field (passEvery only where it is used) the rules have.
RulesPreset PresetOf(const HouseRules& rules);

// The name of a seat added to these: the first of the language's spare names that no
// seat has, else "Seat n" for its place.
std::string NameForNewSeat(const std::vector<TableSeat>& seats, const TextSource& texts);

// A caption without its access-key mark: "Ma&ximum stake" is "Maximum stake".
std::string WithoutAccessMark(const std::string& caption);

// The numbers of the box as typed.
struct SetupNumbers {
    std::string minStake, maxStake, stakeStep, passEvery, chips;
};

// Where the box points the player to when it cannot accept.
enum class SetupField { None, Name, MinStake, MaxStake, StakeStep, PassEvery, Chips };
struct SetupProblem {
    SetupField field = SetupField::None;
    int seat = -1;  // with Name
    std::string message;
};

// Puts the typed numbers into the setup (the stakes, passEvery where the bank passes after
// some rounds, every seat's starting chips) and trims the names, then checks it all in the
// order of the box; the first problem found, with its message in the texts' language. A
// field of None and an empty message: the evening can start.
SetupProblem CheckSetup(EveningSetup& setup, const SetupNumbers& numbers, const TextSource& texts,
                        GroupedNumberFormatter& grouped);

}  // namespace DoDadu
