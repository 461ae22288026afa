// "Quick Export" of the File menu: every record to a comma-delimited text file.

#include "core/byte_stream.h"
#include "core/file_messages.h"
#include "core/file_names.h"
#include "engine/quick_export.h"
#include "forms/export_encoding.h"
#include "forms/main/view_form.h"
#include "forms/workspace.h"

#include <filesystem>

namespace quillmark {

void TView::QuickExport1Click()
{
    Dialogs& dialogs = workspace_.services.dialogs;
    const std::optional<SaveFileChoice> choice =
        dialogs.SaveFileDialogWithFilter(EncodingFileRequest(
            workspace_.settings, "Quick Export", "Comma Delimited Text File", "*.txt", "txt"));
    if (!choice || choice->path.empty()) {
        return;
    }
    const TextFileEncoding encoding = ChosenEncoding(workspace_.settings, choice->filterIndex);
    const std::string path = WithDefaultExtension(choice->path, ".txt");
    // What is typed into the record on show is part of the database being exported.
    SaveRecord(workspace_.CurrentIndex);
    std::error_code error;
    if (std::filesystem::exists(path, error) &&
        !dialogs.AskYesNo(FileNameInMessage(path) +
                          " already exists.  Would you like to replace it ?")) {
        dialogs.ShowInformation("Export Aborted.");
        return;
    }
    const StatusCaptions captions = {Description.CheckBox1.caption, Description.CheckBox2.caption,
                                     Description.CheckBox3.caption};
    std::string failure;
    {
        const BusyWork busy(workspace_.services.shell,
                            "Exporting to " + FileNameInMessage(path) + " ...");
        try {
            SaveQuickExport(path, workspace_.RecordList(), captions, encoding);
        } catch (const WriteError& writeError) {
            failure = "Cannot create file " + FileNameInMessage(path) + ": " + writeError.what();
        }
    }
    if (!failure.empty()) {
        dialogs.ShowError(failure);
        return;
    }
    dialogs.ShowInformation("Export Successful.");
}

}  // namespace quillmark
