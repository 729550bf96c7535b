#include "PresenceSentence.h"

#include "TextIds.h"

namespace DoDadu {

std::string PresenceSentence(const TextSource& texts, PresenceMoment moment, const std::string& name) {
    static const struct {
        PresenceMoment moment;
        unsigned text;
    } words[] = {
        {PresenceMoment::SeatJoins, TextIds::kOnlineSeatJoins},
        {PresenceMoment::SeatGiven, TextIds::kOnlineSeatGiven},
        {PresenceMoment::LinkLost, TextIds::kOnlineLinkLost},
        {PresenceMoment::LinkBack, TextIds::kOnlineLinkBack},
        {PresenceMoment::SeatAway, TextIds::kOnlineSeatAway},
    };
    for (const auto& w : words)
        if (w.moment == moment) return FillPlaceholders(texts.Text(w.text), {{"name", name}});
    return {};
}

}  // namespace DoDadu
