#include "forms/main/pick_list_form.h"

namespace quillmark {

void TPickListForm::Clear()
{
    Items.clear();
    ItemIndex = -1;
    Closed = false;
    Picked.reset();
}

void TPickListForm::Add(std::string name, int position)
{
    Items.push_back({std::move(name), position});
}

void TPickListForm::DisplayBtnClick()
{
    if (ItemIndex >= 0 && ItemIndex < static_cast<int>(Items.size())) {
        Picked = Items[static_cast<std::size_t>(ItemIndex)].position;
    }
    Closed = true;
}

}  // namespace quillmark
