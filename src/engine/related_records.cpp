#include "engine/related_records.h"

#include "core/case_folding.h"

namespace quillmark {

int PrimaryRelation(int descriptionField)
{
    return 10 * (descriptionField - 1) + 5;
}

int CompleteRelation(int descriptionField)
{
    return 10 * (descriptionField - 1);
}

int DetailRelation(int detail)
{
    return 100 + 10 * detail;
}

std::string_view PrimaryPart(std::string_view value)
{
    const std::size_t colon = value.rfind(':');
    return colon == std::string_view::npos ? value : value.substr(colon + 1);
}

bool IsRelated(const ItemRecord& record, const ItemRecord& onShow, int relation)
{
    if (relation >= 0 && relation < 100) {
        const int field = relation / 10 + 1;
        if (relation % 10 == 5) {
            return SameTextIgnoringAsciiCase(PrimaryPart(record.Desc[field]),
                                             PrimaryPart(onShow.Desc[field]));
        }
        if (relation % 10 == 0) {
            return SameTextIgnoringAsciiCase(record.Desc[field], onShow.Desc[field]);
        }
        return false;
    }
    if (relation >= 100 && relation < StatusRelation && relation % 10 == 0) {
        const auto detail = static_cast<std::size_t>((relation - 100) / 10);
        return SameTextIgnoringAsciiCase(record.Detail[detail], onShow.Detail[detail]);
    }
    if (relation == StatusRelation) {
        // One flag in common is enough.
        return record.Working == onShow.Working || record.Available == onShow.Available ||
               record.NotAvailable == onShow.NotAvailable;
    }
    return false;
}

std::vector<int> RelatedPositions(const ItemRecordList& records, int onShow, int relation)
{
    std::vector<int> positions;
    if (onShow < 0 || onShow >= static_cast<int>(records.size())) {
        return positions;
    }
    const ItemRecord& shown = *records[static_cast<std::size_t>(onShow)];
    for (int position = 0; position < static_cast<int>(records.size()); ++position) {
        if (position != onShow &&
            IsRelated(*records[static_cast<std::size_t>(position)], shown, relation)) {
            positions.push_back(position);
        }
    }
    return positions;
}

}  // namespace quillmark
