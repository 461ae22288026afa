#pragma once

#include "core/one_based_array.h"
#include "core/pay_period.h"
#include "core/skill_set.h"
#include "core/string_list.h"
#include "core/weekly_schedule.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quillmark {

class RandomSource;

inline constexpr int OtherFieldCount = 6;  // Other1 .. Other6
inline constexpr int PictureCount = 6;     // picture slots 1 .. 6

// One picture slot of a record.
struct ImageRecord {
    std::string ImageFile;
    std::string ImageTitle;
    bool ImageFlag = false;  // filed with the slot; nothing shows it

    bool operator==(const ImageRecord&) const = default;
};

// One employee record. Text is Windows-1252 bytes, as in the file.
struct ItemRecord {
    std::string RecordId;
    std::string RecordName;
    std::array<std::string, 10> Detail;   // Detail0 .. Detail9
    OneBasedArray<std::string, 10> Desc;  // DescOne .. DescTen: leaf-first category paths
    OneBasedArray<std::string, OtherFieldCount> Other;
    OneBasedArray<ImageRecord, PictureCount> Images;
    std::string SpareText;  // carried through the file; nothing shows it
    StringList Keywords;
    StringList ResumeFile;  // first line: path of the resume file
    StringList Notes;
    StringList SpareList1;
    StringList SpareList2;
    WeeklySchedule Schedule;
    SkillSet Skills;
    std::string HoursPerWeek;
    std::string SalaryAmount;
    std::string WorkDaysPerWeek = "5";
    OneBasedArray<std::string, 10> SalaryFigures;  // 1 hourly .. 6 yearly; 7..10 never set
    std::string ExperienceStream;                  // the experience table's saved text
    std::int32_t SalaryType = 1;                   // a PayPeriod as stored; may be out of range
    std::int32_t SheetRow = -1;                    // spreadsheet row showing it; not filed
    bool ReadOnly = false;
    bool Working = false;
    bool Available = false;
    bool NotAvailable = false;
    bool InSearchList = false;  // not filed
    bool SearchHit = false;     // not filed
    bool Marked = false;        // not filed

    ItemRecord();
    // Equality of everything the file holds; the transient marks are ignored.
    bool SameFiledContent(const ItemRecord& other) const;
};

// Records are shared by reference between the list, the windows and the record clipboard;
// they are never copied behind the user's back.
using ItemRecordList = std::vector<std::shared_ptr<ItemRecord>>;

// Eight characters from A..Z and 0..8, each drawn independently.
std::string MakeRecordId(RandomSource& random);

// "Untitled " followed by the first number no record of the list is named with.
std::string NewRecordName(const ItemRecordList& records);

// A record with the values of a new record, named and identified for the given list.
std::shared_ptr<ItemRecord> CreateRecord(const ItemRecordList& records, RandomSource& random);

}  // namespace quillmark
