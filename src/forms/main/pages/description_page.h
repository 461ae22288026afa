#pragma once

#include "core/item_record.h"
#include "core/one_based_array.h"
#include "core/record_status.h"
#include "forms/controls.h"

#include <array>
#include <string>

namespace quillmark {

// The "Description" page: description values on the left, details, status and the other
// fields on the right.
struct DescriptionPage {
    DescriptionPage();

    OneBasedArray<LabelControl, 10> DescCaptions;  // Desc1 .. Desc10
    OneBasedArray<EditControl, 10> DescBoxes;      // DescOne .. DescTen; the hint holds the value
    std::array<LabelControl, 10> DetailCaptions;   // sn0 .. sn9
    std::array<EditControl, 10> Detail;            // Detail0 .. Detail9
    OneBasedArray<LabelControl, OtherFieldCount> OtherCaptions;  // OtherC1 .. OtherC6
    OneBasedArray<EditControl, OtherFieldCount> Other;           // Other1 .. Other6
    LabelControl boxname{"Status"};
    // The three status boxes under "Status", kept in the record's Working, Available and
    // NotAvailable.
    CheckControl CheckBox1{RecordStatusName(RecordStatus::Working)};
    CheckControl CheckBox2{RecordStatusName(RecordStatus::Available)};
    CheckControl CheckBox3{RecordStatusName(RecordStatus::NotAvailable)};

    static std::string DescCaptionName(int field);  // "Desc3"
    static std::string DescBoxName(int field);      // "DescThree"

    void Load(const ItemRecord& record, bool shortDescriptions);
    void Store(ItemRecord& record) const;
    void SetReadOnly(bool readOnly);
};

}  // namespace quillmark
