// The resume file of the Notes page and the Utilities that move every picture or resume file
// of the database to another folder.

#include "forms/main/view_form.h"

#include "core/file_names.h"
#include "core/record_paths.h"
#include "forms/workspace.h"

#include <optional>

namespace quillmark {

namespace {

bool IsSeparator(char c)
{
    return c == '/' || c == '\\';
}

// The folder ready to have a file name put after it, using the separator it already uses.
std::string WithTrailingSeparator(std::string folder)
{
    if (!folder.empty() && !IsSeparator(folder.back())) {
        const bool windowsStyle =
            folder.find('\\') != std::string::npos && folder.find('/') == std::string::npos;
        folder += windowsStyle ? '\\' : '/';
    }
    return folder;
}

void MovePictures(ItemRecord& record, const std::string& folder)
{
    for (int picture = 1; picture <= PictureCount; ++picture) {
        std::string& file = record.Images[picture].ImageFile;
        if (!file.empty()) {
            file = folder + FileNamePart(file);
        }
    }
}

void MoveResume(ItemRecord& record, const std::string& folder)
{
    if (!record.ResumeFile.empty()) {
        std::vector<std::string> lines = record.ResumeFile;
        lines.front() = folder + FileNamePart(lines.front());
        record.ResumeFile = lines;
    }
}

}  // namespace

void TView::SelectResumeBtnClick()
{
    if (!Notes.SelectResumeBtn.enabled) {
        return;
    }
    FileDialogRequest request{"Open", "All Files|*.*|Word Files|*.doc", ""};
    if (const std::optional<std::string> chosen =
            workspace_.services.dialogs.OpenFileDialog(request)) {
        // The record takes it when the window is next stored.
        Notes.ResumeFile.lines = {RecordPathFromSystem(*chosen)};
    }
}

void TView::ViewResumeBtnClick()
{
    if (Notes.ResumeFile.lines.empty()) {
        workspace_.services.dialogs.ShowInformation("No resume file is selected.");
        return;
    }
    workspace_.services.shell.OpenDocument(SystemPathOfRecordPath(Notes.ResumeFile.lines.front()));
}

void TView::ChangePictureFilePath1Click()
{
    ChangeFilePaths("Picture", MovePictures);
}

void TView::ChangeResumeFilePath1Click()
{
    ChangeFilePaths("Resume", MoveResume);
}

void TView::ChangeFilePaths(const std::string& kind,
                            void (*moveFiles)(ItemRecord& record, const std::string& folder))
{
    Dialogs& dialogs = workspace_.services.dialogs;
    // Cancelling the input box answers its default, which is empty.
    const std::string folder =
        dialogs.InputBox("New Path", "Please enter new path:", "").value_or("");
    if (!dialogs.AskYesNo(kind + " file path will be changed to " + folder +
                          " for all records.  Are you sure you want to continue ?")) {
        return;
    }
    if (!folder.empty()) {
        SaveRecord(workspace_.CurrentIndex);
        CommandStep step(workspace_, 0);
        const std::string withSeparator = WithTrailingSeparator(folder);
        {
            BusyWork busy(workspace_.services.shell, "Changing " + kind + " file paths ...");
            const ItemRecordList& records = workspace_.RecordList();
            for (std::size_t done = 0; done < records.size(); ++done) {
                ItemRecord before = *records[done];
                moveFiles(*records[done], withSeparator);
                step.Changed(records[done], std::move(before));
                busy.Progress(done + 1, records.size());
            }
        }
        step.Done("Change of " + kind + " File Path");
        dialogs.ShowInformation(kind + " file path has been changed.");
    }
    GetRecord(workspace_.CurrentIndex);
}

}  // namespace quillmark
