#pragma once

#include "core/item_record.h"
#include "forms/controls.h"

#include <string>

namespace quillmark {

class Dialogs;

// The "Picture" page: six picture tabs, each with a file and a title.
struct PicturePage {
    // Opens on every kind the page can show, so no picture is hidden at first.
    static constexpr const char* PictureFilter =
        "All pictures|*.bmp;*.dib;*.jpg;*.jpeg;*.pcx;*.gif;*.ico|"
        "Windows Bitmap|*.bmp|JPEG Bitmat|*.jpg|PCX Bitmap|*.pcx|GIF Bitmap|*.gif";

    int ImageBook = 1;            // the picture tab on show, 1..6; kept from record to record
    std::string PictureFileName;  // the picture file chooser's current file name
    ImageControl RecordImage;
    LabelControl ImageTitleLabel{"Title"};
    EditControl ImageTitle;
    LabelControl PicStat{"No Image FIle Selected"};
    bool PicStatVisible = true;
    ButtonControl SelectPictureBtn{"Select", "Select a Picture File"};
    ButtonControl ClearPictureBtn{"Clear ", "Remove the Picture"};
    CheckControl AutoSizeImage{"Auto Size Image"};

    static std::string TabCaption(int tab) { return "Picture " + std::to_string(tab); }

    void LoadDefaults();
    void Load(const ItemRecord& record);
    void Store(ItemRecord& record) const { record.Images[ImageBook].ImageFile = PictureFileName; }
    void SetReadOnly(bool readOnly);

    // Shows the chooser's current file in the picture area. Pictures are decoded only while
    // the page is on show: a large photo takes a good part of a second, and moving through
    // the records on another page must not wait for pictures nobody sees.
    void DisplayPicture();
    // The notebook brought this page to the front, or another one.
    void PageShown(bool shown);
    // Another tab was chosen: show its picture and title.
    void ImageBookChange(int tab, const ItemRecord& record);
    // Titles reach the record at every keystroke.
    void ImageTitleChange(ItemRecord& record) const;
    // "Select": the chooser opens at the current file; cancelling it keeps that file, which is
    // shown and stored all the same. record is the one on show, if any.
    void SelectPictureClick(Dialogs& dialogs, ItemRecord* record);
    // "Clear ": the picture on show loses its file but keeps its title.
    void ClearPictureClick(ItemRecord* record);
    void AutosizeClick() { RecordImage.stretch = AutoSizeImage.checked; }

private:
    bool onShow_ = false;
    bool displayPending_ = false;  // the file changed while the page was not on show
};

}  // namespace quillmark
