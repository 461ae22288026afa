#include "engine/related_records.h"

#include "core/case_folding.h"
#include "core/record_fields.h"

namespace quillmark {

namespace {

// A description field's relation code and this make the code of its primary part.
constexpr int PrimaryPartOffset = 5;

}  // namespace

int PrimaryRelation(int descriptionField)
{
    return CompleteRelation(descriptionField) + PrimaryPartOffset;
}

int CompleteRelation(int descriptionField)
{
    return FieldByCaption(CaptionList::Description, descriptionField - 1).relation;
}

int DetailRelation(int detail)
{
    return FieldByCaption(CaptionList::Detail, detail).relation;
}

std::string_view PrimaryPart(std::string_view value)
{
    const std::size_t colon = value.rfind(':');
    return colon == std::string_view::npos ? value : value.substr(colon + 1);
}

bool IsRelated(const ItemRecord& record, const ItemRecord& onShow, int relation)
{
    if (relation % 10 == PrimaryPartOffset) {
        const RecordField* field = FieldByRelation(relation - PrimaryPartOffset);
        return field != nullptr && field->kind == FieldKind::Category &&
               SameTextIgnoringAsciiCase(PrimaryPart(FieldText(*field, record)),
                                         PrimaryPart(FieldText(*field, onShow)));
    }
    const RecordField* field = FieldByRelation(relation);
    if (field == nullptr) {
        return false;
    }
    if (field->kind == FieldKind::Status) {
        // One flag in common is enough.
        return record.Working == onShow.Working || record.Available == onShow.Available ||
               record.NotAvailable == onShow.NotAvailable;
    }
    return SameTextIgnoringAsciiCase(FieldText(*field, record), FieldText(*field, onShow));
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
