#pragma once

#include "core/database.h"
#include "core/database_file.h"

#include <nlohmann/json.hpp>

#include <ostream>
#include <stdexcept>
#include <string>

namespace quillmark {

// Input JSON that does not describe a database; the text names the offending field.
class JsonInputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Writes the whole database as JSON, record by record: texts as UTF-8, passwords as lower-case
// hex of their enciphered bytes, schedule times as numbers (or, for times that are not finite,
// the 16 hex digits of their bits, so that every byte survives).
void WriteDatabaseJson(std::ostream& out, const Database& database, const std::string& version);

struct DatabaseFromJsonResult {
    Database database;
    DatabaseWriteOptions options;  // the file's version and identification
};

// The reverse of WriteDatabaseJson. Missing keys take the values of a new database and a new
// record; defaultTrees are the category trees a new database starts with.
DatabaseFromJsonResult DatabaseFromJson(const nlohmann::json& json,
                                        const OneBasedArray<std::string, 10>& defaultTrees);

std::string ToHex(std::string_view bytes);
// Nothing when the text is not an even number of hex digits.
std::optional<std::string> FromHex(std::string_view hex);

}  // namespace quillmark
