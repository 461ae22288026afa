#include "core/database.h"

namespace quillmark {

namespace {

template <typename Info, typename Text>
std::array<Text*, 10> TextsOf(Info& info)
{
    return {&info.DatabaseName,   &info.DatabaseOwner,  &info.OwnerStreet,
            &info.OwnerCity,      &info.OwnerCountry,   &info.OwnerZipCode,
            &info.OwnerHomePhone, &info.OwnerWorkPhone, &info.OwnerEmailAddress,
            &info.OwnerWebPage};
}

}  // namespace

std::array<std::string*, 10> InformationTexts(DatabaseRecord& info)
{
    return TextsOf<DatabaseRecord, std::string>(info);
}

std::array<const std::string*, 10> InformationTexts(const DatabaseRecord& info)
{
    return TextsOf<const DatabaseRecord, const std::string>(info);
}

Database::Database()
{
    SetDefaultCaptions(*this);
}

void SetDefaultCaptions(Database& database)
{
    database.DetailCaptions = {"Street",     "City",       "Birth Date", "Country", "Zip Code",
                               "Home Phone", "Work Phone", "Email",      "State",   "S.S.N."};
    // The unnamed description fields count from 0, so the seventh is "Description 6".
    database.DescriptionCaptions = {
        "Type",        "Category",      "Education",     "Work Location", "Sex",
        "Performance", "Description 6", "Description 7", "Description 8", "Description 9"};
    database.OtherCaptions = {"Employment Date", "Other 2", "Other 3",
                              "Other 4",         "Other 5", "Other 6"};
    for (int skill = 1; skill <= database.SkillNames.Count; ++skill) {
        database.SkillNames[skill] = "Skill " + std::to_string(skill);
    }
}

Database SettingsOf(const Database& database)
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

bool SameSettings(const Database& one, const Database& other)
{
    return one.DatabaseInfo == other.DatabaseInfo &&
           one.DescriptionCaptions == other.DescriptionCaptions &&
           one.DetailCaptions == other.DetailCaptions && one.OtherCaptions == other.OtherCaptions &&
           one.SkillNames == other.SkillNames && one.DescriptionTrees == other.DescriptionTrees &&
           one.ReadPassword == other.ReadPassword && one.SavePassword == other.SavePassword &&
           one.Encrypted == other.Encrypted;
}

}  // namespace quillmark
