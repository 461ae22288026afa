#pragma once

#include "core/item_record.h"
#include "core/one_based_array.h"
#include "core/secret_text.h"

#include <array>
#include <string>

namespace quillmark {

// The database information block, edited in the "Database Information" dialog.
struct DatabaseRecord {
    std::string DatabaseName;
    std::string DatabaseOwner;
    std::string OwnerStreet;
    std::string OwnerCity;
    std::string OwnerCountry;
    std::string OwnerZipCode;
    std::string OwnerHomePhone;
    std::string OwnerWorkPhone;
    std::string OwnerEmailAddress;
    std::string OwnerWebPage;
    StringList DatabaseNotes;

    bool operator==(const DatabaseRecord&) const = default;
};

// The names of the information block's ten texts, in file order.
inline constexpr std::array<const char*, 10> InformationTextNames = {
    "DatabaseName", "DatabaseOwner",  "OwnerStreet",    "OwnerCity",         "OwnerCountry",
    "OwnerZipCode", "OwnerHomePhone", "OwnerWorkPhone", "OwnerEmailAddress", "OwnerWebPage"};

// The ten texts of the information block in file order, for code that walks them all.
std::array<std::string*, 10> InformationTexts(DatabaseRecord& info);
std::array<const std::string*, 10> InformationTexts(const DatabaseRecord& info);

// Everything a database file holds: the records and the database's own customisation.
struct Database {
    ItemRecordList RecordList;
    DatabaseRecord DatabaseInfo;
    std::array<std::string, 10> DescriptionCaptions;
    std::array<std::string, 10> DetailCaptions;
    std::array<std::string, OtherFieldCount> OtherCaptions;
    OneBasedArray<std::string, SkillSet::Count> SkillNames;
    OneBasedArray<std::string, 10> DescriptionTrees;  // tree text of each description field
    // Enciphered, as the file holds them; empty means none. The read password is an encrypted
    // file's key, so both stay in locked memory while the database is open.
    SecretText ReadPassword;
    SecretText SavePassword;
    // Kept encrypted on disk with the read password. Not a value in the file: the file's
    // container says so.
    bool Encrypted = false;

    Database();
};

// The captions and skill names of a new database.
void SetDefaultCaptions(Database& database);

}  // namespace quillmark
