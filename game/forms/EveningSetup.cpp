#include "EveningSetup.h"

#include "Evening.h"
#include "WindowsUserNames.h"

#include <algorithm>
#include <cstdint>

namespace DoDadu {

namespace {

bool SameRules(const HouseRules& a, const HouseRules& b) {
    const bool roundsMatter = a.passing == BankPassing::EveryRounds;
    return a.wildCard == b.wildCard && a.doublePay == b.doublePay &&
           a.royalSevenAndHalf == b.royalSevenAndHalf && a.twoCardTakesBank == b.twoCardTakesBank &&
           a.passing == b.passing && (!roundsMatter || a.passEvery == b.passEvery) &&
           a.minStake == b.minStake && a.maxStake == b.maxStake && a.stakeStep == b.stakeStep &&
           a.cover == b.cover && a.classicTable == b.classicTable;
}

// The given name in a full name: the first word after the comma of "Rossi, Anna", else the
// first word of "Anna Rossi".
std::string GivenName(const std::string& fullName) {
    const std::size_t comma = fullName.find(',');
    const std::string trimmed =
        WithoutBlanksAround(comma == std::string::npos ? fullName : fullName.substr(comma + 1));
    return trimmed.substr(0, trimmed.find_first_of(" \t"));
}

// The first letters of a text, at most `most` of them.
std::string FirstLetters(const std::string& text, int most) {
    std::size_t end = 0;
    for (int letters = 0; end < text.size(); ++end) {
        const bool starts = (static_cast<unsigned char>(text[end]) & 0xC0) != 0x80;
        if (starts && ++letters > most) break;
    }
    return text.substr(0, end);
}

unsigned NameFaultText(NameFault fault) {
    switch (fault) {
        case NameFault::Empty: return TextIds::kSetupFaultNameEmpty;
        case NameFault::TooLong: return TextIds::kSetupFaultNameLong;
        default: return TextIds::kSetupFaultNameOdd;
    }
}

// A whole number of digits alone (blanks around allowed) within [least, most]; -1 otherwise.
std::int64_t NumberWithin(const std::string& typed, std::int64_t least, std::int64_t most) {
    return WholeNumber(WithoutBlanksAround(typed), least, most).value_or(-1);
}

struct NumberCheck {
    SetupField field;
    unsigned label;
    const std::string* typed;
    std::int64_t least, most;
    std::int64_t* value;
};

}  // namespace

HouseRules PresetRules(RulesPreset preset) {
    return preset == RulesPreset::Spanish ? HouseRules::Spanish() : HouseRules::Italian();
}

RulesPreset PresetOf(const HouseRules& rules) {
    for (RulesPreset preset : {RulesPreset::Italian, RulesPreset::Spanish})
        if (SameRules(rules, PresetRules(preset))) return preset;
    return RulesPreset::Custom;
}

std::string FirstSeatName(const std::string& displayName, const std::string& signInName,
                          const TextSource& texts) {
    std::string name = GivenName(displayName);
    if (name.empty()) name = GivenName(signInName);
    if (name.empty()) return texts.Text(TextIds::kSetupNameFirstSeat);
    return FirstLetters(name, kLongestSeatName);
}

std::string UsersFirstSeatName(const TextSource& texts) {
    const WindowsUserNames user = CurrentUserNames();
    return FirstSeatName(user.display, user.signIn, texts);
}

EveningSetup DefaultEveningSetup(const TextSource& texts, RandomSource& random,
                                 const std::string& firstName) {
    EveningSetup setup;
    const bool spanish = texts.Text(TextIds::kSetupHouseRules) == texts.Text(TextIds::kSetupRulesSpanish);
    setup.rules = PresetRules(spanish ? RulesPreset::Spanish : RulesPreset::Italian);
    const struct {
        unsigned name;
        PlayStyle style;
    } computers[] = {{TextIds::kSetupNameCareful, PlayStyle::Careful},
                     {TextIds::kSetupNameBold, PlayStyle::Bold},
                     {TextIds::kSetupNameExpert, PlayStyle::Expert}};
    TableSeat person;
    person.name = firstName;
    person.kind = SeatKind::Person;
    person.style = PlayStyle::Careful;
    setup.seats.push_back(person);
    for (const auto& computer : computers) {
        TableSeat made;
        made.name = texts.Text(computer.name);
        if (made.name == firstName) made.name = NameForNewSeat(setup.seats, texts);
        made.kind = SeatKind::Computer;
        made.style = computer.style;
        setup.seats.push_back(made);
    }
    random.SeedOnceFromClock();
    setup.firstBank = random.Draw() % static_cast<int>(setup.seats.size());
    return setup;
}

std::string NameForNewSeat(const std::vector<TableSeat>& seats, const TextSource& texts) {
    auto taken = [&seats](const std::string& name) {
        return std::any_of(seats.begin(), seats.end(),
                           [&name](const TableSeat& seat) { return seat.name == name; });
    };
    for (unsigned id : {TextIds::kSetupNameExtraOne, TextIds::kSetupNameExtraTwo})
        if (!taken(texts.Text(id))) return texts.Text(id);
    return FillPlaceholders(texts.Text(TextIds::kSetupNameSeat),
                            {{"number", std::to_string(seats.size() + 1)}});
}

std::string WithoutAccessMark(const std::string& caption) {
    std::string plain;
    for (std::size_t at = 0; at < caption.size(); ++at) {
        if (caption[at] == '&' && at + 1 < caption.size()) ++at;
        plain += caption[at];
    }
    return plain;
}

SetupProblem CheckSetup(EveningSetup& setup, const SetupNumbers& numbers, const TextSource& texts,
                        GroupedNumberFormatter& grouped) {
    const auto number = [](std::size_t seat) { return std::to_string(seat + 1); };
    for (std::size_t seat = 0; seat < setup.seats.size(); ++seat) {
        std::string& name = setup.seats[seat].name;
        name = WithoutBlanksAround(name);
        const NameFault fault = SeatNameFault(name);
        if (fault != NameFault::None)
            return {SetupField::Name, static_cast<int>(seat),
                    FillPlaceholders(texts.Text(NameFaultText(fault)),
                                     {{"number", number(seat)}, {"most", grouped.Format(kLongestSeatName)}})};
        for (std::size_t before = 0; before < seat; ++before)
            if (setup.seats[before].name == name)
                return {SetupField::Name, static_cast<int>(seat),
                        FillPlaceholders(texts.Text(TextIds::kSetupFaultNameTwice),
                                         {{"first", number(before)}, {"second", number(seat)}})};
    }

    HouseRules& rules = setup.rules;
    std::int64_t minStake = 0, maxStake = 0, step = 0, passEvery = 0, chips = 0;
    const bool everyRounds = rules.passing == BankPassing::EveryRounds;
    const NumberCheck checks[] = {
        {SetupField::PassEvery, TextIds::kSetupPassEvery, &numbers.passEvery, 1, kMostPassEvery, &passEvery},
        {SetupField::MinStake, TextIds::kSetupMinStake, &numbers.minStake, 1, kMostStake, &minStake},
        {SetupField::MaxStake, TextIds::kSetupMaxStake, &numbers.maxStake, 1, kMostStake, &maxStake},
        {SetupField::StakeStep, TextIds::kSetupStakeStep, &numbers.stakeStep, 1, kMostStake, &step},
        {SetupField::Chips, TextIds::kSetupChips, &numbers.chips, 1, kMostStartingChips, &chips},
    };
    for (const NumberCheck& check : checks) {
        if (check.field == SetupField::PassEvery && !everyRounds) continue;
        *check.value = NumberWithin(*check.typed, check.least, check.most);
        if (*check.value < 0)
            return {check.field, -1,
                    FillPlaceholders(texts.Text(TextIds::kSetupFaultNumber),
                                     {{"field", WithoutAccessMark(texts.Text(check.label))},
                                      {"least", grouped.Format(check.least)},
                                      {"most", grouped.Format(check.most)}})};
    }
    rules.passEvery = everyRounds ? static_cast<int>(passEvery) : 0;
    rules.minStake = static_cast<int>(minStake);
    rules.maxStake = static_cast<int>(maxStake);
    rules.stakeStep = static_cast<int>(step);
    for (TableSeat& seat : setup.seats) seat.chips = chips;

    if (minStake > maxStake) return {SetupField::MinStake, -1, texts.Text(TextIds::kSetupFaultMinAboveMax)};
    if ((maxStake - minStake) % step != 0)
        return {SetupField::StakeStep, -1,
                FillPlaceholders(texts.Text(TextIds::kSetupFaultStep), {{"step", grouped.Format(step)}})};
    if (chips < minStake) return {SetupField::Chips, -1, texts.Text(TextIds::kSetupFaultChips)};
    if (!Evening::SeatingFault(rules, setup.seats, setup.firstBank, nullptr).empty())
        return {SetupField::None, -1, texts.Text(TextIds::kSetupFaultTable)};
    return {};
}

}  // namespace DoDadu
