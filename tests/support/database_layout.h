#pragma once

#include "support/test_helpers.h"

#include "core/item_record.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace quillmark::test {

// Database files put together value by value from the file layout, by hand, so that the
// reader and the writer are held to the layout rather than to each other.

template <typename Texts>
inline std::string Strings(const Texts& texts)
{
    std::string bytes;
    for (const std::string& text : texts) {
        bytes += S(text);
    }
    return bytes;
}

inline std::string List(const std::vector<std::string>& lines)
{
    return "\x01" + Strings(lines) + std::string(1, '\0');
}

inline std::string TreeComponent(const std::string& properties = {})
{
    return Hex("54 50 46 30") + Name("TTreeView") + Name("DescriptionTree") + properties +
           Hex("00 00");
}

// The program keeps a whole tree in one tree text property; files it wrote must stay readable.
inline std::string TreeTextComponent(const std::string& treeText)
{
    return TreeComponent(Name("TreeText") + S(treeText));
}

struct HeaderLayout {
    std::string Version = "1.12";
    std::string Identification = "Quillmark";
    std::string ReadPassword;
    std::string SavePassword;
    std::array<std::string, 10> Information{};
    std::vector<std::string> Notes;
    std::array<std::string, 26> Captions = {"Type",          "Category",      "Education",
                                            "Work Location", "Sex",           "Performance",
                                            "Description 6", "Description 7", "Description 8",
                                            "Description 9", "Street",        "City",
                                            "Birth Date",    "Country",       "Zip Code",
                                            "Home Phone",    "Work Phone",    "Email",
                                            "State",         "S.S.N.",        "Employment Date",
                                            "Other 2",       "Other 3",       "Other 4",
                                            "Other 5",       "Other 6"};
    std::vector<std::string> SkillNames = [] {
        std::vector<std::string> names;
        for (int i = 1; i <= 100; ++i) {
            names.push_back("Skill " + std::to_string(i));
        }
        return names;
    }();
    std::vector<std::string> Trees = std::vector<std::string>(10, TreeComponent());

    std::string BeforeTrees() const
    {
        return S(Version) + S(Identification) + S(ReadPassword) + S(SavePassword) +
               Strings(Information) + List(Notes) + Strings(Captions) + Strings(SkillNames);
    }
    std::string Bytes(std::int32_t recordCount) const
    {
        std::string bytes = BeforeTrees();
        for (const std::string& tree : Trees) {
            bytes += tree;
        }
        return bytes + I(recordCount);
    }
};

struct RecordLayout {
    bool ReadOnly = false;
    std::string RecordName = "Untitled 1";
    std::string RecordId = "ABCDEFGH";
    std::array<std::string, 26> Texts{};  // Detail0..9, DescOne..Ten, Other1..6
    std::string HoursPerWeek, SalaryAmount;
    std::int32_t SalaryType = 1;
    std::string WorkDaysPerWeek = "5";
    std::array<std::string, 10> SalaryFigures{};
    std::string Experience;
    std::array<std::vector<std::string>, 5> Lists{};  // Keywords, ResumeFile, Notes, spares
    std::array<ImageRecord, 6> Images = {{{"", "Untitled 1", false},
                                          {"", "Untitled 2", false},
                                          {"", "Untitled 3", false},
                                          {"", "Untitled 4", false},
                                          {"", "Untitled 5", false},
                                          {"", "Untitled 6", false}}};
    std::string SpareText;
    std::array<bool, 3> Status{};  // Working, Available, NotAvailable
    std::map<std::pair<int, int>, std::pair<std::uint64_t, std::uint64_t>> Schedule;
    struct Skill {
        bool Has = false;
        std::string Proficiency, Notes;
    };
    std::map<int, Skill> Skills;

    std::string Bytes() const
    {
        std::string bytes = B(ReadOnly) + S(RecordName) + S(RecordId) + Strings(Texts) +
                            S(HoursPerWeek) + S(SalaryAmount) + I(SalaryType) + S(WorkDaysPerWeek) +
                            Strings(SalaryFigures) +
                            I(static_cast<std::int32_t>(Experience.size()));
        for (char c : Experience) {
            bytes += Hex("06 01") + c;
        }
        for (const auto& list : Lists) {
            bytes += List(list);
        }
        for (const ImageRecord& image : Images) {
            bytes += S(image.ImageFile) + S(image.ImageTitle) + B(image.ImageFlag);
        }
        bytes += S(SpareText) + B(Status[0]) + B(Status[1]) + B(Status[2]);
        for (int day = 1; day <= 7; ++day) {
            for (int slot = 1; slot <= 10; ++slot) {
                const auto times = Schedule.contains({day, slot})
                                       ? Schedule.at({day, slot})
                                       : std::pair<std::uint64_t, std::uint64_t>{};
                bytes += test::R8(times.first) + test::R8(times.second);
            }
        }
        for (int skill = 1; skill <= 100; ++skill) {
            const Skill values = Skills.contains(skill) ? Skills.at(skill) : Skill{};
            bytes += B(values.Has) + S(values.Proficiency) + S(values.Notes);
        }
        return bytes;
    }

    // The same values as a record in memory.
    ItemRecord Record() const
    {
        ItemRecord record;
        record.ReadOnly = ReadOnly;
        record.RecordName = RecordName;
        record.RecordId = RecordId;
        std::copy_n(Texts.begin(), 10, record.Detail.begin());
        std::copy_n(Texts.begin() + 10, 10, record.Desc.begin());
        std::copy_n(Texts.begin() + 20, 6, record.Other.begin());
        record.HoursPerWeek = HoursPerWeek;
        record.SalaryAmount = SalaryAmount;
        record.SalaryType = SalaryType;
        record.WorkDaysPerWeek = WorkDaysPerWeek;
        std::copy(SalaryFigures.begin(), SalaryFigures.end(), record.SalaryFigures.begin());
        record.ExperienceStream = Experience;
        record.Keywords = Lists[0];
        record.ResumeFile = Lists[1];
        record.Notes = Lists[2];
        record.SpareList1 = Lists[3];
        record.SpareList2 = Lists[4];
        std::copy(Images.begin(), Images.end(), record.Images.begin());
        record.SpareText = SpareText;
        record.Working = Status[0];
        record.Available = Status[1];
        record.NotAvailable = Status[2];
        for (const auto& [place, times] : Schedule) {
            record.Schedule.SetBits(place.first, place.second, times.first, times.second);
        }
        for (const auto& [skill, values] : Skills) {
            record.Skills.SetHasSkill(skill, values.Has);
            record.Skills.SetSkillProficiency(skill, values.Proficiency);
            record.Skills.SetSkillNotes(skill, values.Notes);
        }
        return record;
    }
};

// A whole database file: the header, then a record holding nothing but its name for each name.
inline std::string DatabaseBytes(const std::vector<std::string>& names,
                                 const HeaderLayout& header = {})
{
    std::string bytes = header.Bytes(static_cast<std::int32_t>(names.size()));
    for (const std::string& name : names) {
        RecordLayout record;
        record.RecordName = name;
        bytes += record.Bytes();
    }
    return bytes;
}

// "secret" enciphered with the start key 5281, worked out by hand.
inline const std::string SecretEnciphered = Hex("67 34 BA C2 0E 61");

}  // namespace quillmark::test
