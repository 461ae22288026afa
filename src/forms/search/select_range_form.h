#pragma once

#include "forms/controls.h"

#include <string>

namespace quillmark {

class Dialogs;

// The "Select Range" dialog of a search term: one value ("Include Specific Record:") or a
// range ("Include Record Range:"). The boxes take the edit mask of the field being searched.
class TSelectRangeForm {
public:
    TSelectRangeForm(Dialogs& dialogs, const std::string& mask, const std::string& from,
                     const std::string& to);
    virtual ~TSelectRangeForm() = default;

    std::string Caption = "Select Range";
    LabelControl SpecificGroup{"Include Specific Record:"};
    EditControl RecordValue;
    ButtonControl SpecificOKBtn{"OK", ""};
    LabelControl RangeGroup{"Include Record Range:"};
    LabelControl FromLabel{"From:"};
    EditControl LowValue;
    LabelControl ToLabel{"To:"};
    EditControl HighValue;
    ButtonControl RangeOKBtn{"OK", ""};
    ButtonControl CancelBtn{"Cancel", ""};

    void SpecificOKBtnClick();
    void RangeOKBtnClick();
    void CancelBtnClick() { Closed = true; }

    bool Closed = false;
    // The box that takes the focus after a refusal; empty when none.
    std::string FocusedControl;

    // What "OK" hands back to the term: its bounds and the text its value cell shows.
    bool Accepted = false;
    std::string FromValue;
    std::string ToValue;
    std::string ValueText;

protected:
    TSelectRangeForm(Dialogs& dialogs, std::string caption);
    // The value cell's text, and whatever else the dialog keeps, once the bounds are taken.
    virtual void Accept(bool specific);

    Dialogs& dialogs_;
};

}  // namespace quillmark
