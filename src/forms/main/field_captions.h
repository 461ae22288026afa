#pragma once

#include "forms/services.h"

#include <optional>
#include <string>
#include <string_view>

namespace quillmark {

struct DescriptionPage;
struct EditControl;
struct LabelControl;
struct Database;
struct RecordField;
struct RecordLabels;
class Workspace;

// A field's title in the menus, lists and columns of the program's windows: what the record
// window's label for it reads, where it has one that names the field, else the database's
// caption or the fixed title.
std::string WindowFieldTitle(const RecordField& field, const Workspace& workspace);
std::string WindowFieldTitle(const RecordField& field, const RecordLabels& labels,
                             const Database& database);

// The 26 caption labels of the "Description" page by their names: "sn0" .. "sn9",
// "Desc1" .. "Desc10", "OtherC1" .. "OtherC6". nullptr for any other name.
LabelControl* CaptionLabel(DescriptionPage& page, std::string_view name);

// A detail or other box by its name ("Detail0" .. "Detail9", "Other1" .. "Other6") and the
// label that names its field; nullptrs for any other name.
struct CaptionedBox {
    EditControl* box = nullptr;
    const LabelControl* caption = nullptr;
};
CaptionedBox DetailOrOtherBox(DescriptionPage& page, std::string_view name);

// A field whose caption holds the word "Date", in that letter case, is filled from the calendar.
bool IsDateCaption(std::string_view caption);

// "03/05/1999" for 5 March 1999.
std::string CalendarDateText(const CalendarDate& date);
// The day a date box holds in that form ("3/5/1999" too); nothing for an empty or partly typed
// box or a day that does not exist.
std::optional<CalendarDate> CalendarDateFromText(std::string_view text);

}  // namespace quillmark
