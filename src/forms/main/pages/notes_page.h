#pragma once

#include "core/item_record.h"
#include "forms/controls.h"

namespace quillmark {

// The "Notes" page: keywords, notes and the resume file reference.
struct NotesPage {
    LabelControl KeywordsLabel{"Keywords"};
    LabelControl NotesLabel{"Notes"};
    LabelControl ResumeFileLabel{"Resume File"};
    MemoControl Keywords;
    MemoControl ResumeFile{{}, true};  // shows the resume file's path; never typed into
    MemoControl Notes;
    ButtonControl ViewResumeBtn{"View", "View the Resume File"};
    ButtonControl SelectResumeBtn{"Select", "Select a Resume File"};

    void Load(const ItemRecord& record)
    {
        Keywords.lines = record.Keywords;
        ResumeFile.lines = record.ResumeFile;
        Notes.lines = record.Notes;
    }
    void Store(ItemRecord& record) const
    {
        record.Keywords = Keywords.lines;
        record.ResumeFile = ResumeFile.lines;
        record.Notes = Notes.lines;
    }
    void SetReadOnly(bool readOnly)
    {
        Keywords.readOnly = readOnly;
        Notes.readOnly = readOnly;
        // Choosing another resume file would edit the record; viewing it does not.
        SelectResumeBtn.enabled = !readOnly;
    }
};

}  // namespace quillmark
