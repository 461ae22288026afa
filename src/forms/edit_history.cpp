#include "forms/edit_history.h"

#include <utility>

namespace quillmark {

namespace {

std::size_t TextBytes(const std::string& text)
{
    // Short texts live inside the string itself.
    return text.capacity() > 15 ? text.capacity() : 0;
}

std::size_t ListBytes(const StringList& lines)
{
    std::size_t bytes = 0;
    for (const std::string_view line : lines) {
        bytes += line.size() + 1;
    }
    return bytes;
}

std::size_t RecordBytes(const ItemRecord& record)
{
    std::size_t bytes = sizeof(ItemRecord) + TextBytes(record.RecordId) +
                        TextBytes(record.RecordName) + TextBytes(record.SpareText) +
                        TextBytes(record.HoursPerWeek) + TextBytes(record.SalaryAmount) +
                        TextBytes(record.ExperienceStream);
    for (const std::string& text : record.Detail) {
        bytes += TextBytes(text);
    }
    for (int field = 1; field <= 10; ++field) {
        bytes += TextBytes(record.Desc[field]) + TextBytes(record.SalaryFigures[field]);
    }
    for (int field = 1; field <= OtherFieldCount; ++field) {
        bytes += TextBytes(record.Other[field]);
    }
    for (int slot = 1; slot <= PictureCount; ++slot) {
        bytes +=
            TextBytes(record.Images[slot].ImageFile) + TextBytes(record.Images[slot].ImageTitle);
    }
    for (const StringList* list : {&record.Keywords, &record.ResumeFile, &record.Notes,
                                   &record.SpareList1, &record.SpareList2}) {
        bytes += ListBytes(*list);
    }
    for (int skill = 1; skill <= SkillSet::Count; ++skill) {
        bytes +=
            record.Skills.SkillProficiency(skill).size() + record.Skills.SkillNotes(skill).size();
    }
    return bytes;
}

std::size_t SettingsBytes(const Database& settings)
{
    std::size_t bytes = sizeof(Database);
    for (int field = 1; field <= 10; ++field) {
        bytes += TextBytes(settings.DescriptionTrees[field]);
    }
    for (int skill = 1; skill <= SkillSet::Count; ++skill) {
        bytes += TextBytes(settings.SkillNames[skill]);
    }
    return bytes + ListBytes(settings.DatabaseInfo.DatabaseNotes);
}

}  // namespace

std::size_t StepBytes(const HistoryStep& step)
{
    std::size_t bytes =
        sizeof(HistoryStep) + step.Name.capacity() + step.Changed.capacity() * sizeof(RecordChange);
    for (const RecordChange& change : step.Changed) {
        bytes += RecordBytes(change.Before) + RecordBytes(change.After) - 2 * sizeof(ItemRecord);
    }
    for (const auto* order : {&step.OrderBefore, &step.OrderAfter}) {
        if (*order) {
            bytes += (*order)->capacity() * sizeof(ItemRecordList::value_type);
        }
    }
    for (const auto* settings : {&step.SettingsBefore, &step.SettingsAfter}) {
        if (*settings) {
            bytes += SettingsBytes(**settings);
        }
    }
    return bytes;
}

void EditHistory::Add(HistoryStep step)
{
    while (steps_.size() > done_) {
        bytes_ -= stepBytes_.back();
        steps_.pop_back();
        stepBytes_.pop_back();
    }
    if (saved_ && *saved_ > done_) {
        saved_.reset();  // the saved state was among the steps just dropped
    }
    stepBytes_.push_back(StepBytes(step));
    bytes_ += stepBytes_.back();
    steps_.push_back(std::move(step));
    done_ = steps_.size();
    visitOpen_ = false;
    Trim();
}

void EditHistory::AddVisit(HistoryStep step)
{
    const bool extend = visitOpen_ && done_ == steps_.size() && done_ > 0 &&
                        (!saved_ || *saved_ != done_) && steps_.back().Changed.size() == 1 &&
                        steps_.back().Changed.front().Record == step.Changed.front().Record;
    if (!extend) {
        Add(std::move(step));
        visitOpen_ = true;
        return;
    }
    HistoryStep& open = steps_.back();
    open.Name = std::move(step.Name);
    open.Changed.front().After = std::move(step.Changed.front().After);
    open.ShownAfter = step.ShownAfter;
    open.IndexAfter = step.IndexAfter;
    bytes_ -= stepBytes_.back();
    stepBytes_.back() = StepBytes(open);
    bytes_ += stepBytes_.back();
    Trim();
}

void EditHistory::Trim()
{
    // The newest step stays even when it alone is over the limit: it is what the user just did.
    while (steps_.size() > 1 && (steps_.size() > MaxSteps || bytes_ > MaxBytes)) {
        bytes_ -= stepBytes_.front();
        steps_.pop_front();
        stepBytes_.pop_front();
        --done_;
        if (saved_) {
            saved_ = *saved_ == 0 ? std::nullopt : std::optional<std::size_t>(*saved_ - 1);
        }
    }
}

const HistoryStep* EditHistory::NextUndo() const
{
    return done_ > 0 ? &steps_[done_ - 1] : nullptr;
}

const HistoryStep* EditHistory::NextRedo() const
{
    return done_ < steps_.size() ? &steps_[done_] : nullptr;
}

const HistoryStep* EditHistory::Undo()
{
    visitOpen_ = false;
    if (done_ == 0) {
        return nullptr;
    }
    --done_;
    return &steps_[done_];
}

const HistoryStep* EditHistory::Redo()
{
    visitOpen_ = false;
    if (done_ == steps_.size()) {
        return nullptr;
    }
    return &steps_[done_++];
}

void EditHistory::Clear()
{
    steps_.clear();
    stepBytes_.clear();
    done_ = 0;
    saved_ = 0;
    changedOutside_ = false;
    visitOpen_ = false;
    bytes_ = 0;
}

void EditHistory::MarkSaved()
{
    saved_ = done_;
    changedOutside_ = false;
    visitOpen_ = false;
}

bool EditHistory::Changed() const
{
    return changedOutside_ || saved_ != done_;
}

std::string UndoCaption(const EditHistory& history)
{
    const HistoryStep* step = history.NextUndo();
    return step ? "Undo " + step->Name : "Undo";
}

std::string RedoCaption(const EditHistory& history)
{
    const HistoryStep* step = history.NextRedo();
    return step ? "Redo " + step->Name : "Redo";
}

}  // namespace quillmark
