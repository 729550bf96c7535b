#pragma once
// The names the wire gives the game's enumerations ("deck_used_up", "card_dealt", ...).
#include "HouseRules.h"
#include "RoundSight.h"
#include "ServerMessages.h"
#include "TableEvent.h"
#include "TableSeat.h"

#include <string>

namespace DoDadu {

template <typename Enum>
struct WireName {
    Enum value;
    const char* name;
};

template <typename Enum, std::size_t N>
const char* ToWire(Enum value, const WireName<Enum> (&names)[N]) {
    for (const auto& entry : names) {
        if (entry.value == value) return entry.name;
    }
    return "";
}

template <typename Enum, std::size_t N>
bool FromWire(const std::string& name, const WireName<Enum> (&names)[N], Enum& value) {
    for (const auto& entry : names) {
        if (name == entry.name) {
            value = entry.value;
            return true;
        }
    }
    return false;
}

inline constexpr WireName<SeatKind> kKindNames[] = {{SeatKind::Person, "person"},
                                                    {SeatKind::Computer, "computer"}};

inline constexpr WireName<PlayStyle> kStyleNames[] = {
    {PlayStyle::Careful, "careful"}, {PlayStyle::Bold, "bold"}, {PlayStyle::Expert, "expert"}};

inline constexpr WireName<DoublePay> kDoublePayNames[] = {
    {DoublePay::None, "none"}, {DoublePay::TwoCards, "two_cards"}, {DoublePay::Any, "any"}};

inline constexpr WireName<BankPassing> kPassingNames[] = {{BankPassing::Never, "never"},
                                                          {BankPassing::DeckUsedUp, "deck_used_up"},
                                                          {BankPassing::EveryRounds, "every_rounds"}};

inline constexpr WireName<SeatStatus> kStatusNames[] = {{SeatStatus::SitsOut, "sits_out"},
                                                        {SeatStatus::Waiting, "waiting"},
                                                        {SeatStatus::Playing, "playing"},
                                                        {SeatStatus::Standing, "standing"},
                                                        {SeatStatus::Bust, "bust"}};

inline constexpr WireName<TableMoment> kMomentNames[] = {
    {TableMoment::RoundStarts, "round_starts"},      {TableMoment::SitsOut, "sits_out"},
    {TableMoment::DeckShuffled, "deck_shuffled"},    {TableMoment::CardDealt, "card_dealt"},
    {TableMoment::TurnStarts, "turn_starts"},        {TableMoment::StakeSet, "stake_set"},
    {TableMoment::SeatShowsBest, "seat_shows_best"}, {TableMoment::BankCannotCover, "bank_cannot_cover"},
    {TableMoment::SeatStands, "seat_stands"},        {TableMoment::SeatBusts, "seat_busts"},
    {TableMoment::BankTurnsCard, "bank_turns_card"}, {TableMoment::BankStands, "bank_stands"},
    {TableMoment::BankBusts, "bank_busts"},          {TableMoment::SeatWins, "seat_wins"},
    {TableMoment::SeatLoses, "seat_loses"},          {TableMoment::BankRunsShort, "bank_runs_short"},
    {TableMoment::BankPasses, "bank_passes"},        {TableMoment::RoundEnds, "round_ends"},
    {TableMoment::EveningEnds, "evening_ends"}};

inline constexpr WireName<PresenceMoment> kPresenceNames[] = {{PresenceMoment::SeatJoins, "seat_joins"},
                                                              {PresenceMoment::SeatGiven, "seat_given"},
                                                              {PresenceMoment::LinkLost, "link_lost"},
                                                              {PresenceMoment::LinkBack, "link_back"},
                                                              {PresenceMoment::SeatAway, "seat_away"}};

inline constexpr WireName<PassReason> kReasonNames[] = {{PassReason::None, "none"},
                                                        {PassReason::TwoCardBest, "two_card_best"},
                                                        {PassReason::DeckUsedUp, "deck_used_up"},
                                                        {PassReason::EveryRounds, "every_rounds"},
                                                        {PassReason::BankShort, "bank_short"},
                                                        {PassReason::BankOut, "bank_out"}};

inline constexpr WireName<TablePhase> kPhaseNames[] = {
    {TablePhase::Lobby, "lobby"}, {TablePhase::Playing, "playing"}, {TablePhase::Over, "over"}};

inline constexpr WireName<EndReason> kEndReasonNames[] = {{EndReason::None, "none"},
                                                          {EndReason::Chips, "chips"},
                                                          {EndReason::Rounds, "rounds"},
                                                          {EndReason::Creator, "creator"}};

}  // namespace DoDadu
