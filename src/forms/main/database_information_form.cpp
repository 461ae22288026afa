#include "forms/main/database_information_form.h"

namespace quillmark {

namespace {

constexpr const char* FieldCaptions[10] = {
    "Database Name", "Database Owner", "Street",     "City",          "Country",
    "Zip Code",      "Home Phone",     "Work Phone", "Email Address", "Web Page"};

}  // namespace

TDatabaseInformationForm::TDatabaseInformationForm(const DatabaseRecord& information)
{
    const auto texts = InformationTexts(information);
    for (std::size_t i = 0; i < Fields.size(); ++i) {
        Fields[i].text = *texts[i];
        FieldLabels[i].caption = FieldCaptions[i];
    }
    DatabaseNotes.lines = information.DatabaseNotes;
}

const char* TDatabaseInformationForm::FieldName(std::size_t index)
{
    return InformationTextNames[index];
}

void TDatabaseInformationForm::OKBtnClick()
{
    Accepted = true;
    Closed = true;
}

DatabaseRecord TDatabaseInformationForm::Result() const
{
    DatabaseRecord information;
    const auto texts = InformationTexts(information);
    for (std::size_t i = 0; i < Fields.size(); ++i) {
        *texts[i] = Fields[i].text;
    }
    information.DatabaseNotes = DatabaseNotes.lines;
    return information;
}

}  // namespace quillmark
