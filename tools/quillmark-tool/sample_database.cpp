#include "sample_database.h"

#include "core/category_tree.h"
#include "core/random_source.h"
#include "engine/salary_calculation.h"

#include <array>
#include <cstdio>
#include <string_view>

namespace quillmark {

namespace {

// Windows-1252 bytes are written as escapes so the source stays ASCII.
constexpr std::array<std::string_view, 48> FirstNames = {"James",
                                                         "Mary",
                                                         "Robert",
                                                         "Patricia",
                                                         "John",
                                                         "Jennifer",
                                                         "Michael",
                                                         "Linda",
                                                         "David",
                                                         "Barbara",
                                                         "Thomas",
                                                         "Susan",
                                                         "Daniel",
                                                         "Jessica",
                                                         "Paul",
                                                         "Sarah",
                                                         "Mark",
                                                         "Karen",
                                                         "Steven",
                                                         "Nancy",
                                                         "Andrew",
                                                         "Lisa",
                                                         "Joshua",
                                                         "Betty",
                                                         "Kevin",
                                                         "Sandra",
                                                         "Brian",
                                                         "Ashley",
                                                         "George",
                                                         "Dorothy",
                                                         "Edward",
                                                         "Emily",
                                                         "Ronald",
                                                         "Donna",
                                                         "Jos\xE9",
                                                         "Zo\xEB",
                                                         "Ren\xE9"
                                                         "e",
                                                         "Fran\xE7ois",
                                                         "Bj\xF6rn",
                                                         "Ana",
                                                         "Kwame",
                                                         "Mei",
                                                         "Priya",
                                                         "Omar",
                                                         "Ingrid",
                                                         "Luis",
                                                         "Hana",
                                                         "Tom\xE1s"};

constexpr std::array<std::string_view, 40> LastNames = {
    "Smith",        "Johnson",  "Williams",  "Brown",  "Jones",    "Garcia", "Miller",    "Davis",
    "Rodriguez",    "Martinez", "Hernandez", "Lopez",  "Gonzalez", "Wilson", "Anderson",  "Thomas",
    "Taylor",       "Moore",    "Jackson",   "Martin", "Lee",      "Perez",  "Thompson",  "White",
    "Harris",       "Clark",    "Lewis",     "Walker", "Young",    "Allen",  "M\xFCller", "O'Brien",
    "\xC5str\xF6m", "Nakamura", "Okafor",    "Dubois", "Kowalski", "Novak",  "Singh",     "Rossi"};

constexpr std::array<std::string_view, 16> StreetNames = {
    "Main", "Oak",  "Maple", "Cedar",  "Pine",     "Elm",    "Washington", "Lake",
    "Hill", "Park", "River", "Church", "Highland", "Sunset", "Mill",       "Spring"};
constexpr std::array<std::string_view, 5> StreetKinds = {"Street", "Avenue", "Road", "Lane",
                                                         "Drive"};

struct Place {
    std::string_view city;
    std::string_view state;
    std::string_view country;
    std::string_view area;  // telephone area code
};
constexpr std::array<Place, 12> Places = {{{"Springfield", "IL", "USA", "217"},
                                           {"Portland", "OR", "USA", "503"},
                                           {"Austin", "TX", "USA", "512"},
                                           {"Columbus", "OH", "USA", "614"},
                                           {"Madison", "WI", "USA", "608"},
                                           {"Albany", "NY", "USA", "518"},
                                           {"Boise", "ID", "USA", "208"},
                                           {"Raleigh", "NC", "USA", "919"},
                                           {"Denver", "CO", "USA", "303"},
                                           {"Toronto", "ON", "Canada", "416"},
                                           {"Qu\xE9"
                                            "bec",
                                            "QC", "Canada", "418"},
                                           {"Halifax", "NS", "Canada", "902"}}};

constexpr std::array<std::string_view, 4> Proficiencies = {"Beginner", "Intermediate", "Advanced",
                                                           "Expert"};
constexpr std::array<std::string_view, 6> SkillRemarks = {
    "Certified",   "Trains others",         "Needs refresher",
    "Self taught", "Course completed 2023", "Uses daily"};
constexpr std::array<std::string_view, 10> Employers = {
    "Acme Supply",      "Northwind Traders",   "Smith, Jones & Co", "Harbor Freight Lines",
    "Blue Ridge Foods", "City of Springfield", "Lakeside Clinic",   "Summit Printing",
    "Red Oak Builders", "Caf\xE9 Central"};
constexpr std::array<std::string_view, 8> Positions = {"Clerk",      "Assistant",  "Technician",
                                                       "Supervisor", "Driver",     "Analyst",
                                                       "Cashier",    "Coordinator"};
constexpr std::array<std::string_view, 12> KeywordWords = {
    "bilingual", "first aid",  "forklift", "night shift", "mentor", "union member",
    "remote",    "key holder", "CPR",      "overtime",    "travel", "driver's licence"};
constexpr std::array<std::string_view, 8> NoteLines = {
    "Prefers morning shifts.",     "Completed safety training.",   "Asked about tuition support.",
    "Reference checked by phone.", "Available for weekend cover.", "Moved from the branch office.",
    "Review due next quarter.",    "Speaks French and Spanish."};

class SampleMaker {
public:
    SampleMaker(std::uint64_t seed, const OneBasedArray<std::string, 10>& trees) : random_(seed)
    {
        for (int field = 1; field <= trees.Count; ++field) {
            const TreeTextResult tree = ReadTreeText(trees[field]);
            if (tree.Ok()) {
                CollectValues(tree.Tree, {}, values_[field]);
            }
        }
    }

    std::shared_ptr<ItemRecord> MakeRecord()
    {
        auto record = std::make_shared<ItemRecord>();
        ItemRecord& r = *record;
        r.RecordId = MakeRecordId(random_);
        const std::string_view first = Pick(FirstNames);
        const std::string_view last = Pick(LastNames);
        r.RecordName = std::string(first) + " " + std::string(last);

        const Place& place = Pick(Places);
        r.Detail[0] = std::to_string(Between(1, 9999)) + " " + std::string(Pick(StreetNames)) +
                      " " + std::string(Pick(StreetKinds));
        r.Detail[1] = place.city;
        r.Detail[2] = Date(Between(1950, 2004));
        r.Detail[3] = place.country;
        r.Detail[4] = place.country == "USA" ? Digits(5) : PostalCode();
        r.Detail[5] = Phone(place.area);
        if (Chance(70)) {
            r.Detail[6] = Phone(place.area);
        }
        r.Detail[7] = Lower(first) + "." + Lower(last) + "@example.com";
        r.Detail[8] = place.state;
        r.Detail[9] = Digits(3) + "-" + Digits(2) + "-" + Digits(4);

        for (int field = 1; field <= 10; ++field) {
            if (!values_[field].empty() && Chance(90)) {
                r.Desc[field] = values_[field][static_cast<std::size_t>(
                    random_.Below(static_cast<int>(values_[field].size())))];
            }
        }
        r.Other[1] = Date(Between(1990, 2026));

        const int status = random_.Below(10);
        r.Working = status < 7;
        r.Available = status == 7 || status == 8;
        r.NotAvailable = status == 9;

        MakeSalary(r);
        MakeSchedule(r);
        MakeSkills(r);
        MakeExperience(r);
        for (int i = Between(0, 3); i > 0; --i) {
            r.Keywords.emplace_back(Pick(KeywordWords));
        }
        for (int i = Between(0, 2); i > 0; --i) {
            r.Notes.emplace_back(Pick(NoteLines));
        }
        if (Chance(20)) {
            r.ResumeFile.push_back("/home/staff/resumes/" + Lower(last) + "-" + r.RecordId +
                                   ".pdf");
        }
        return record;
    }

private:
    static void CollectValues(const CategoryTree& nodes, std::vector<std::string_view> path,
                              std::vector<std::string>& values)
    {
        for (const CategoryNode& node : nodes) {
            path.push_back(node.Text);
            values.push_back(CategoryFullName(path));
            CollectValues(node.Children, path, values);
            path.pop_back();
        }
    }

    template <typename Items>
    const typename Items::value_type& Pick(const Items& items)
    {
        return items[static_cast<std::size_t>(random_.Below(static_cast<int>(items.size())))];
    }

    int Between(int low, int high) { return low + random_.Below(high - low + 1); }
    bool Chance(int percent) { return random_.Below(100) < percent; }

    std::string Digits(int count)
    {
        std::string digits;
        for (int i = 0; i < count; ++i) {
            digits.push_back(static_cast<char>('0' + random_.Below(10)));
        }
        return digits;
    }

    std::string PostalCode()
    {
        auto letter = [this] { return std::string(1, static_cast<char>('A' + random_.Below(26))); };
        return letter() + Digits(1) + letter() + " " + Digits(1) + letter() + Digits(1);
    }

    std::string Phone(std::string_view area)
    {
        return "(" + std::string(area) + ") 555-" + Digits(4);
    }

    std::string Date(int year)
    {
        char text[40];
        std::snprintf(text, sizeof text, "%02d/%02d/%04d", Between(1, 12), Between(1, 28), year);
        return text;
    }

    static std::string Lower(std::string_view text)
    {
        std::string lower;
        for (char c : text) {
            if (c >= 'A' && c <= 'Z') {
                lower.push_back(static_cast<char>(c - 'A' + 'a'));
            } else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
                lower.push_back(c);
            }
        }
        return lower;
    }

    void MakeSalary(ItemRecord& r)
    {
        const int hours = Chance(75) ? 40 : Between(15, 45);
        const double hourly = Between(1500, 6500) / 100.0;
        r.SalaryType = Between(1, 6);
        r.HoursPerWeek = std::to_string(hours);
        r.WorkDaysPerWeek = hours >= 35 ? "5" : std::to_string(Between(2, 4));
        const double weekly = hourly * hours;
        const double amounts[7] = {
            0, hourly, weekly / 5, weekly, weekly * 52 / 24, weekly * 52 / 12, weekly * 52};
        r.SalaryAmount = TwoDecimals(amounts[r.SalaryType]);
        if (r.SalaryType == 6 && Chance(50)) {
            r.SalaryAmount = "$" + std::to_string(static_cast<long>(amounts[6] / 1000)) + ",000";
        }
        const SalaryCalculation salary =
            CalculateSalaryFigures(r.HoursPerWeek, r.SalaryAmount, r.WorkDaysPerWeek, r.SalaryType);
        for (int period = 1; period <= PayPeriodCount; ++period) {
            r.SalaryFigures[period] = salary.Figures[period];
        }
    }

    void MakeSchedule(ItemRecord& r)
    {
        const int startHour = Between(6, 10);
        const int length = Between(4, 9);
        const int days = Between(2, 5);
        for (int day = 2; day < 2 + days; ++day) {  // from Monday
            r.Schedule.SetScheduleStart(day, 1, startHour / 24.0);
            r.Schedule.SetScheduleEnd(day, 1, (startHour + length) / 24.0);
        }
        if (Chance(15)) {
            r.Schedule.SetScheduleStart(7, 1, 9 / 24.0);
            r.Schedule.SetScheduleEnd(7, 1, 13.5 / 24.0);
        }
    }

    void MakeSkills(ItemRecord& r)
    {
        for (int i = Between(0, 8); i > 0; --i) {
            const int skill = Between(1, 30);
            r.Skills.SetHasSkill(skill, true);
            r.Skills.SetSkillProficiency(skill, std::string(Pick(Proficiencies)));
            if (Chance(30)) {
                r.Skills.SetSkillNotes(skill, std::string(Pick(SkillRemarks)));
            }
        }
    }

    // The experience table's saved text: its size, then one line per filled cell.
    void MakeExperience(ItemRecord& r)
    {
        const int rows = Between(0, 3);
        if (rows == 0) {
            return;
        }
        std::string text = "4,100\r\n0,0,Employer\r\n1,0,Position\r\n2,0,Dates\r\n3,0,Notes\r\n";
        int year = Between(1995, 2015);
        for (int row = 1; row <= rows; ++row) {
            const int until = year + Between(1, 6);
            const std::string cells[3] = {std::string(Pick(Employers)),
                                          std::string(Pick(Positions)),
                                          std::to_string(year) + " - " + std::to_string(until)};
            for (int column = 0; column < 3; ++column) {
                text += std::to_string(column) + "," + std::to_string(row) + "," + cells[column] +
                        "\r\n";
            }
            year = until;
        }
        r.ExperienceStream = std::move(text);
    }

    SeededRandom random_;
    OneBasedArray<std::vector<std::string>, 10> values_;
};

}  // namespace

Database MakeSampleDatabase(int count, std::uint64_t seed,
                            const OneBasedArray<std::string, 10>& descriptionTrees)
{
    Database database;
    database.DescriptionTrees = descriptionTrees;
    database.DatabaseInfo.DatabaseName = "Sample Staff";
    database.DatabaseInfo.DatabaseOwner = "Personnel Office";
    database.DatabaseInfo.OwnerStreet = "100 Main Street";
    database.DatabaseInfo.OwnerCity = "Springfield";
    database.DatabaseInfo.OwnerCountry = "USA";
    database.DatabaseInfo.OwnerZipCode = "62701";
    database.DatabaseInfo.OwnerWorkPhone = "(217) 555-0100";
    database.DatabaseInfo.OwnerEmailAddress = "personnel@example.com";
    database.DatabaseInfo.DatabaseNotes = {"Sample records for trying Quillmark out.",
                                           "Names and numbers are made up."};
    static constexpr std::array<std::string_view, 30> Skills = {
        "Typing",      "Bookkeeping",     "Spreadsheets", "Word Processing", "Customer Service",
        "Forklift",    "First Aid",       "Welding",      "Carpentry",       "Electrical",
        "Plumbing",    "Driving",         "Cooking",      "Cleaning",        "Sales",
        "Negotiation", "Public Speaking", "Spanish",      "French",          "German",
        "Programming", "Networking",      "Design",       "Photography",     "Writing",
        "Accounting",  "Payroll",         "Scheduling",   "Inventory",       "Supervision"};
    for (int skill = 1; skill <= static_cast<int>(Skills.size()); ++skill) {
        database.SkillNames[skill] = Skills[static_cast<std::size_t>(skill - 1)];
    }

    SampleMaker maker(seed, descriptionTrees);
    database.RecordList.reserve(static_cast<std::size_t>(count > 0 ? count : 0));
    for (int i = 0; i < count; ++i) {
        database.RecordList.push_back(maker.MakeRecord());
    }
    return database;
}

}  // namespace quillmark
