#include "forms/search/select_range_form.h"

#include "forms/services.h"

namespace quillmark {

TSelectRangeForm::TSelectRangeForm(Dialogs& dialogs, const std::string& mask,
                                   const std::string& from, const std::string& to)
    : TSelectRangeForm(dialogs, "Select Range")
{
    for (EditControl* box : {&RecordValue, &LowValue, &HighValue}) {
        box->mask = mask;
    }
    RecordValue.text = from;
    LowValue.text = from;
    HighValue.text = to;
}

TSelectRangeForm::TSelectRangeForm(Dialogs& dialogs, std::string caption)
    : Caption(std::move(caption)), dialogs_(dialogs)
{
}

void TSelectRangeForm::SpecificOKBtnClick()
{
    if (RecordValue.text.empty()) {
        dialogs_.ShowInformation("Please enter a value in the search field.");
        FocusedControl = "RecordValue";
        return;
    }
    FromValue = ToValue = RecordValue.text;
    Accept(true);
}

void TSelectRangeForm::RangeOKBtnClick()
{
    if (LowValue.text.empty()) {
        dialogs_.ShowInformation("Please enter a value in the \"from\" search field.");
        FocusedControl = "LowValue";
        return;
    }
    if (HighValue.text.empty()) {
        dialogs_.ShowInformation("Please enter a value in the \"to\" search field.");
        FocusedControl = "HighValue";
        return;
    }
    FromValue = LowValue.text;
    ToValue = HighValue.text;
    Accept(false);
}

void TSelectRangeForm::Accept(bool specific)
{
    ValueText = specific ? FromValue : FromValue + " < " + ToValue;
    Accepted = true;
    Closed = true;
}

}  // namespace quillmark
