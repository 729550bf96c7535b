// The full table in words: what each seat's place shows (its chips, its state line), what
// a screen reader reads for it (names of seats, hands and cards), one sentence for every
// moment of the evening, and the hint. Numbers are written as the
// texts' language writes them.
#pragma once

#include "ExpertPlayer.h"
#include "GameTexts.h"
#include "NumberText.h"
#include "RoundSight.h"
#include "TableEvent.h"
#include "TableSeat.h"

#include <cstdint>
#include <string>
#include <vector>

namespace DoDadu {

// One seat as the people at the screen see it now.
struct SeatShown {
    std::string name;
    std::int64_t chips = 0;
    bool bank = false;
    bool inTurn = false;
    std::vector<int> cards;  // in dealing order; 0 where the card lies face down
    SeatStatus status = SeatStatus::SitsOut;
    int stake = 0;
    bool wildCard = true;  // the rules' wild card, for the points
    // Before an evening held elsewhere starts: who sits there, or that the seat is free.
    bool gathering = false;
    bool free = false;
    SeatKind kind = SeatKind::Person;
    PlayStyle style = PlayStyle::Careful;
};

// The points of the cards face up.
double ShownPoints(const SeatShown& seat);

// A number of chips in words, grouped as the texts' language groups: "1 chip", "52,000 chips".
std::string ChipsInWords(std::int64_t chips, const TextSource& texts);

class FullTableNarrator {
public:
    explicit FullTableNarrator(const TextSource& texts);

    std::string Grouped(std::int64_t value);
    // "52,000 chips"; the bank's "Bank · 52,000 chips".
    std::string ChipsLine(const SeatShown& seat);
    // "6.5 · standing · stake 1,000": nothing before the seat's first card. Before an
    // evening held elsewhere starts: "At the table", "Waiting for a player", "Computer · Bold".
    std::string StateLine(const SeatShown& seat);
    // A person seat nobody has taken yet: "Seat 2" (numbered from 1 in turn order).
    std::string FreeSeatName(int seat) const;
    std::string StyleName(PlayStyle style) const;
    // The name's text on the table: the seat in turn is marked.
    std::string NameLine(const SeatShown& seat) const;

    // For a screen reader: "Marco, bank: 52,000 chips"; "Anna: 3 cards, 6.5 points,
    // standing, stake 1,000"; "Anna, card 1: covered card".
    std::string SeatName(const SeatShown& seat);
    std::string HandName(const SeatShown& seat);
    std::string CardPlaceName(const SeatShown& seat, int index) const;

    // What a moment is spoken as, beyond the event itself: the bank, the points the
    // seat of the moment shows now (its face-up cards; the covered one too where shown),
    // and whether the seat whose turn starts is a person sharing the computer with
    // another, who looks away for it.
    struct Context {
        int bank = 0;
        double shownPoints = 0.0;
        bool privateTurn = false;
    };
    // The moment as one sentence.
    std::string Sentence(const TableEvent& event, const std::vector<TableSeat>& seats,
                         const Context& context);
    // "Hint: STOP.\nExpected: STOP +120, GET CARD −45." at the seat's stake.
    std::string HintText(const SeatHint& hint);
    // Why the stake stops at most, below the rules' maximum and the seat's chips: all
    // the bank can still cover.
    std::string CoverText(std::int64_t most);

private:
    std::string StateWord(SeatStatus status) const;
    std::string GatheringLine(const SeatShown& seat) const;
    std::string Fill(unsigned id, const std::string& name, const TableEvent& event, double points);

    const TextSource& texts;
    GroupedNumberFormatter grouped;
};

}  // namespace DoDadu
