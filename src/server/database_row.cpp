#include "server/database_row.h"

#include "server/postgres.h"

#include <array>

namespace quillmark {

namespace {

constexpr std::array<const char*, 10> InformationColumns = {
    "database_name",       "database_owner", "owner_street",     "owner_city",
    "owner_country",       "owner_zip_code", "owner_home_phone", "owner_work_phone",
    "owner_email_address", "owner_web_page"};

template <typename Texts>
std::string ArrayOf(const Texts& texts)
{
    std::vector<std::string_view> views;
    for (const auto& text : texts) {
        views.emplace_back(text);
    }
    return TextArrayLiteral(views);
}

// Fills a fixed row of texts from an array, as far as both go.
template <typename Texts>
void FillFrom(std::string_view literal, Texts& texts)
{
    const std::vector<std::string> read = ReadTextArray(literal);
    std::size_t at = 0;
    for (std::string& text : texts) {
        text = at < read.size() ? read[at] : std::string();
        ++at;
    }
}

}  // namespace

const std::string& SettingsColumns()
{
    static const std::string columns = [] {
        std::string listed = "encrypted, read_password, save_password";
        for (const char* column : InformationColumns) {
            listed += std::string(", ") + column;
        }
        return listed +
               ", database_notes, description_captions, detail_captions, other_captions, "
               "skill_names, description_trees";
    }();
    return columns;
}

std::string SettingsPlaceholders(int first)
{
    std::string placeholders;
    for (int i = 0; i < 19; ++i) {
        placeholders += (i == 0 ? "$" : ", $") + std::to_string(first + i);
    }
    return placeholders;
}

std::vector<std::optional<std::string>> SettingsValues(const Database& database)
{
    std::vector<std::optional<std::string>> values = {database.Encrypted ? "t" : "f",
                                                      ByteaLiteral(database.ReadPassword),
                                                      ByteaLiteral(database.SavePassword)};
    for (const std::string* text : InformationTexts(database.DatabaseInfo)) {
        values.emplace_back(ToServerText(*text));
    }
    std::vector<std::string_view> notes(database.DatabaseInfo.DatabaseNotes.begin(),
                                        database.DatabaseInfo.DatabaseNotes.end());
    values.emplace_back(TextArrayLiteral(notes));
    values.emplace_back(ArrayOf(database.DescriptionCaptions));
    values.emplace_back(ArrayOf(database.DetailCaptions));
    values.emplace_back(ArrayOf(database.OtherCaptions));
    values.emplace_back(ArrayOf(database.SkillNames));
    values.emplace_back(ArrayOf(database.DescriptionTrees));
    return values;
}

void ReadSettings(const QueryResult& result, int row, int first, Database& database)
{
    int column = first;
    database.Encrypted = result.Boolean(row, column++);
    database.ReadPassword = ReadBytea(result.Text(row, column++));
    database.SavePassword = ReadBytea(result.Text(row, column++));
    for (std::string* text : InformationTexts(database.DatabaseInfo)) {
        *text = FromServerText(result.Text(row, column++));
    }
    database.DatabaseInfo.DatabaseNotes = ReadTextArray(result.Text(row, column++));
    FillFrom(result.Text(row, column++), database.DescriptionCaptions);
    FillFrom(result.Text(row, column++), database.DetailCaptions);
    FillFrom(result.Text(row, column++), database.OtherCaptions);
    FillFrom(result.Text(row, column++), database.SkillNames);
    FillFrom(result.Text(row, column++), database.DescriptionTrees);
}

Database SettingsOnly(const Database& database)
{
    Database settings;
    settings.DatabaseInfo = database.DatabaseInfo;
    settings.DescriptionCaptions = database.DescriptionCaptions;
    settings.DetailCaptions = database.DetailCaptions;
    settings.OtherCaptions = database.OtherCaptions;
    settings.SkillNames = database.SkillNames;
    settings.DescriptionTrees = database.DescriptionTrees;
    settings.ReadPassword = database.ReadPassword;
    settings.SavePassword = database.SavePassword;
    settings.Encrypted = database.Encrypted;
    return settings;
}

bool SettingsEqual(const Database& one, const Database& other)
{
    return one.DatabaseInfo == other.DatabaseInfo &&
           one.DescriptionCaptions == other.DescriptionCaptions &&
           one.DetailCaptions == other.DetailCaptions && one.OtherCaptions == other.OtherCaptions &&
           one.SkillNames == other.SkillNames && one.DescriptionTrees == other.DescriptionTrees &&
           one.ReadPassword == other.ReadPassword && one.SavePassword == other.SavePassword &&
           one.Encrypted == other.Encrypted;
}

}  // namespace quillmark
