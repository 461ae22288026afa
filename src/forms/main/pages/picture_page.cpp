#include "forms/main/pages/picture_page.h"

#include "core/case_folding.h"
#include "core/file_names.h"
#include "core/record_paths.h"
#include "engine/pictures/picture_library.h"
#include "forms/services.h"

#include <optional>

namespace quillmark {

void PicturePage::LoadDefaults()
{
    RecordImage.visible = false;
    PictureFileName.clear();
    PicStat.caption = "No Picture File Selected";
    PicStatVisible = true;
}

void PicturePage::Load(const ItemRecord& record)
{
    ImageTitle.text = record.Images[ImageBook].ImageTitle;
    PictureFileName = record.Images[ImageBook].ImageFile;
    DisplayPicture();
}

void PicturePage::SetReadOnly(bool readOnly)
{
    ImageTitle.readOnly = readOnly;
    SelectPictureBtn.enabled = !readOnly;
    ClearPictureBtn.enabled = !readOnly;
}

void PicturePage::DisplayPicture()
{
    const std::string& fileName = PictureFileName;
    if (fileName.empty()) {
        RecordImage.visible = false;
        PicStatVisible = true;
        PicStat.caption = "No Image File Selected";
        return;
    }
    if (!onShow_) {
        displayPending_ = true;
        return;
    }
    displayPending_ = false;
    const std::string extension = AsciiLowerCaseText(FileExtension(fileName));
    std::shared_ptr<const Bitmap> picture;
    if (extension == ".gif" || extension == ".pcx") {
        picture = NViewLibLoad(fileName, 0);
    } else {
        picture = LoadPictureFile(fileName).bitmap;
    }
    // Whatever keeps the file from being shown says so in this tab's own area: leaving the
    // last picture up would pass it off as this tab's.
    RecordImage.picture = std::move(picture);
    RecordImage.visible = RecordImage.picture != nullptr;
    PicStatVisible = !RecordImage.visible;
    if (PicStatVisible) {
        PicStat.caption = "Image File is Not Valid";
    }
}

void PicturePage::PageShown(bool shown)
{
    onShow_ = shown;
    if (onShow_ && displayPending_) {
        DisplayPicture();
    }
}

void PicturePage::ImageBookChange(int tab, const ItemRecord& record)
{
    ImageBook = tab;
    PictureFileName = record.Images[tab].ImageFile;
    DisplayPicture();
    ImageTitle.text = record.Images[tab].ImageTitle;
}

void PicturePage::ImageTitleChange(ItemRecord& record) const
{
    record.Images[ImageBook].ImageTitle = ImageTitle.text;
}

void PicturePage::SelectPictureClick(Dialogs& dialogs, ItemRecord* record)
{
    if (!SelectPictureBtn.enabled) {
        return;  // a read-only record keeps its pictures
    }
    FileDialogRequest request{"Open", PictureFilter, ""};
    request.initialFile = SystemPathOfRecordPath(PictureFileName);
    if (const std::optional<std::string> chosen = dialogs.OpenFileDialog(request)) {
        PictureFileName = RecordPathFromSystem(*chosen);
    }
    DisplayPicture();
    if (record != nullptr) {
        Store(*record);
    }
}

void PicturePage::ClearPictureClick(ItemRecord* record)
{
    if (!ClearPictureBtn.enabled) {
        return;
    }
    PictureFileName.clear();
    DisplayPicture();
    if (record != nullptr) {
        Store(*record);
    }
}

}  // namespace quillmark
