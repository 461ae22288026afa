#pragma once

#include "app/controls.h"
#include "core/item_record.h"

#include <string>

namespace quillmark {

// The "Picture" page: six picture tabs, each with a file and a title.
struct PicturePage {
    int ImageBook = 1;            // the picture tab on show, 1..6; kept from record to record
    std::string PictureFileName;  // the picture file chooser's current file name
    EditControl ImageTitle;
    LabelControl PicStat{"No Image FIle Selected"};
    bool PicStatVisible = true;
    ButtonControl SelectPictureBtn{"Select", "Select a Picture File", false};
    ButtonControl ClearPictureBtn{"Clear ", "Remove the Picture", false};
    CheckControl AutoSizeImage{"Auto Size Image"};

    static std::string TabCaption(int tab) { return "Picture " + std::to_string(tab); }

    void LoadDefaults()
    {
        PictureFileName.clear();
        PicStat.caption = "No Picture File Selected";
        PicStatVisible = true;
    }
    void Load(const ItemRecord& record)
    {
        ImageTitle.text = record.Images[ImageBook].ImageTitle;
        PictureFileName = record.Images[ImageBook].ImageFile;
        DisplayPicture();
    }
    void Store(ItemRecord& record) const { record.Images[ImageBook].ImageFile = PictureFileName; }

    // Another tab was chosen: show its picture and title.
    void ImageBookChange(int tab, const ItemRecord& record)
    {
        ImageBook = tab;
        PictureFileName = record.Images[tab].ImageFile;
        DisplayPicture();
        ImageTitle.text = record.Images[tab].ImageTitle;
    }
    // Titles reach the record at every keystroke.
    void ImageTitleChange(ItemRecord& record) const
    {
        record.Images[ImageBook].ImageTitle = ImageTitle.text;
    }
    void SetReadOnly(bool readOnly)
    {
        ImageTitle.readOnly = readOnly;
        SelectPictureBtn.enabled = !readOnly && selectionBuilt;
        ClearPictureBtn.enabled = !readOnly && selectionBuilt;
    }

private:
    // Choosing and clearing pictures, and drawing them, are not built yet.
    static constexpr bool selectionBuilt = false;

    void DisplayPicture()
    {
        PicStatVisible = PictureFileName.empty();
        if (PicStatVisible) {
            PicStat.caption = "No Image File Selected";
        }
    }
};

}  // namespace quillmark
