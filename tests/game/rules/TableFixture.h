#pragma once
// Shared by the full table's tests: an evening of person seats whose deck is stacked, a
// store in memory, and a listener that keeps what it is told.
#include "Cards.h"
#include "ComputerPlayers.h"
#include "Evening.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace DoDadu {

class MapStore : public EveningStore {
public:
    std::map<std::string, std::string> values;
    std::vector<std::string> writes;    // names in the order written
    std::size_t writesLeft = SIZE_MAX;  // a kill: later writes are lost
    std::string Read(const std::string& name) override {
        auto found = values.find(name);
        return found == values.end() ? std::string() : found->second;
    }
    void Write(const std::string& name, const std::string& text) override {
        if (writesLeft == 0) return;
        --writesLeft;
        values[name] = text;
        writes.push_back(name);
    }
};

class EventLog : public TableListener {
public:
    std::vector<TableEvent> events;
    void OnTableEvent(const TableEvent& event) override { events.push_back(event); }
    const TableEvent* Find(TableMoment moment) const {
        for (const TableEvent& event : events)
            if (event.moment == moment) return &event;
        return nullptr;
    }
};

// Seats named after their place, all persons with these chips.
inline std::vector<TableSeat> PersonSeats(const std::vector<std::int64_t>& chips) {
    std::vector<TableSeat> seats;
    for (std::int64_t amount : chips) {
        TableSeat seat;
        seat.name = "seat " + std::to_string(seats.size() + 1);
        seat.kind = SeatKind::Person;
        seat.chips = amount;
        seats.push_back(seat);
    }
    return seats;
}

// The deck from `position` on deals `first`, then every other card in ascending order;
// the positions before it hold cards that are gone.
inline void StackTableDeck(TableDeck& deck, const std::vector<int>& first, int position = 0) {
    std::vector<int> rest;
    for (int id = 1; id <= kCardCount; ++id)
        if (std::find(first.begin(), first.end(), id) == first.end()) rest.push_back(id);
    ASSERT_LE(static_cast<std::size_t>(position) + first.size(), static_cast<std::size_t>(kCardCount));
    std::vector<int> order(rest.begin(), rest.begin() + position);
    order.insert(order.end(), first.begin(), first.end());
    order.insert(order.end(), rest.begin() + position, rest.end());
    deck.Restore(order, position);
}

// The careful and bold players, ready to sit.
struct Players {
    CarefulPlayer careful;
    BoldPlayer bold;
    PlayerTable table;
    Players() {
        table.Set(PlayStyle::Careful, &careful);
        table.Set(PlayStyle::Bold, &bold);
    }
};

}  // namespace DoDadu
