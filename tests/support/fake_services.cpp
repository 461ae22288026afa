#include "support/fake_services.h"
#include "support/test_helpers.h"

#include "forms/categories/add_description_form.h"
#include "forms/main/database_information_form.h"
#include "forms/main/edit_skill_form.h"
#include "forms/main/pick_list_form.h"
#include "forms/main/set_password_form.h"
#include "forms/main/view_form.h"
#include "forms/search/select_schedule_form.h"
#include "forms/search/select_skills_form.h"
#include "forms/spreadsheet/select_spreadsheet_form.h"

namespace quillmark::test {

std::vector<std::string> ScriptedDialogs::Texts() const
{
    std::vector<std::string> texts;
    for (const Shown& shown : Messages) {
        texts.push_back(shown.text);
    }
    return texts;
}

std::vector<std::string> ScriptedDialogs::BoxTexts() const
{
    std::vector<std::string> texts;
    for (const Shown& shown : Messages) {
        if (shown.kind != Kind::OpenFile && shown.kind != Kind::SaveFile) {
            texts.push_back(shown.text);
        }
    }
    return texts;
}

std::optional<ScriptedDialogs::Step> ScriptedDialogs::Next(const std::string& text, StepKind wanted)
{
    if (script_.empty()) {
        Problems.push_back("no answer scripted for \"" + text + "\"");
        return std::nullopt;
    }
    Step step = script_.front();
    script_.pop_front();
    if (step.kind != wanted) {
        constexpr const char* kinds[] = {"a button", "typing", "a file"};
        Problems.push_back(std::string("scripted ") + kinds[static_cast<int>(step.kind)] +
                           " but \"" + text + "\" asks for " + kinds[static_cast<int>(wanted)]);
        return std::nullopt;
    }
    return step;
}

bool ScriptedDialogs::YesOrNo(Kind kind, const std::string& text)
{
    Show(kind, text);
    const std::optional<Step> step = Next(text, StepKind::Button);
    if (step && step->answer == Answer::Cancel) {
        Problems.push_back("\"" + text + "\" has no Cancel button");
        return false;
    }
    return step && step->answer == Answer::Yes;
}

Answer ScriptedDialogs::AskYesNoCancel(const std::string& text)
{
    Show(Kind::YesNoCancel, text);
    const std::optional<Step> step = Next(text, StepKind::Button);
    return step ? *step->answer : Answer::Cancel;
}

std::optional<std::string> ScriptedDialogs::TextAnswer(Kind kind, const std::string& text,
                                                       StepKind wanted)
{
    Show(kind, text);
    const std::optional<Step> step = Next(text, wanted);
    return step ? step->text : std::nullopt;
}

std::optional<std::string> ScriptedDialogs::InputBox(const std::string& caption,
                                                     const std::string& prompt,
                                                     const std::string& initial)
{
    InputsShown.push_back({caption, prompt, initial});
    return TextAnswer(Kind::Input, prompt, StepKind::Typing);
}

std::optional<std::string> ScriptedDialogs::PasswordBox(const std::string&,
                                                        const std::string& prompt)
{
    return TextAnswer(Kind::Password, prompt, StepKind::Typing);
}

std::optional<PageFont> ScriptedDialogs::ChooseFont(const PageFont& font, int largestSize)
{
    FontChoosersShown.emplace_back(font, largestSize);
    return NextScripted(fontChoices_, Problems, "nobody scripted a font");
}

std::optional<RgbColour> ScriptedDialogs::ChooseColour(RgbColour colour)
{
    ColourChoosersShown.push_back(colour);
    return NextScripted(colourChoices_, Problems, "nobody scripted a colour");
}

std::optional<std::string> ScriptedDialogs::OpenFileDialog(const FileDialogRequest& request)
{
    FileDialogsShown.push_back(request);
    return TextAnswer(Kind::OpenFile, request.title, StepKind::File);
}

std::optional<std::string> ScriptedDialogs::SaveFileDialog(const FileDialogRequest& request)
{
    FileDialogsShown.push_back(request);
    return TextAnswer(Kind::SaveFile, request.title, StepKind::File);
}

std::optional<SaveFileChoice> ScriptedDialogs::SaveFileDialogWithFilter(
    const FileDialogRequest& request)
{
    FileDialogsShown.push_back(request);
    Show(Kind::SaveFile, request.title);
    const std::optional<Step> step = Next(request.title, StepKind::File);
    if (!step || !step->text) {
        return std::nullopt;
    }
    return SaveFileChoice{*step->text, step->filterIndex.value_or(request.filterIndex)};
}

std::optional<CalendarDate> ScriptedDialogs::PickDate(int x, int y, CalendarDate initial)
{
    CalendarsShown.push_back({x, y, initial});
    return NextScripted(dayPicks_, Problems, "nobody scripted a day for the calendar");
}

// The dialog is modal: it is up until its form says it is closed. A dialog nobody scripted is
// closed with its title bar's button, which changes nothing.
void RecordingShell::RunModal(const ModalForm& form)
{
    auto* editor = form.As<TAddDescription>();
    if (editor != nullptr) {
        editor->FormActivate();
    }
    DialogsShown.push_back(form.Caption());
    std::deque<std::function<void(const ModalForm&)>>& users = users_[form.Kind()];
    if (users.empty()) {
        Problems.push_back("nobody scripted what to do in \"" + form.Caption() + "\"");
    } else {
        const auto user = std::move(users.front());
        users.pop_front();
        user(form);
        if (!form.Closed()) {
            Problems.push_back("\"" + form.Caption() + "\" was left open");
        }
    }
    if (editor != nullptr) {
        editor->FormDeactivate();
    }
}

bool RecordingShell::PrintGrid(const std::string& gridName, GridPageSetup initial,
                               const PrintableGrid& grid)
{
    GridSetups.emplace_back(gridName, initial);
    if (PrintingCancelled) {
        return false;
    }
    PrintableTable table;
    for (int column = 0; column < grid.ColumnCount(); ++column) {
        table.header.push_back(grid.HeaderText(column));
    }
    for (int row = 0; row < grid.RowCount(); ++row) {
        std::vector<std::string>& cells = table.rows.emplace_back();
        for (int column = 0; column < grid.ColumnCount(); ++column) {
            cells.push_back(grid.CellText(row, column));
        }
    }
    TablesPrinted.emplace_back(gridName, table);
    return true;
}

Session::Session(std::uint64_t seed, std::string settingsPath)
    : random(seed),
      workspace(Services{dialogs, shell, clock, random}, {QUILLMARK_DATA_DIR},
                std::move(settingsPath)),
      view(workspace.View())
{
    dialogs.LongWorkUnderWay = &shell.Busy;
}

void Session::Start()
{
    view.FormActivate();
}

ItemRecord& Session::Record(int position)
{
    return *workspace.RecordList().at(static_cast<std::size_t>(position));
}

std::vector<std::string> Session::Names()
{
    std::vector<std::string> names;
    for (const auto& record : workspace.RecordList()) {
        names.push_back(record->RecordName);
    }
    return names;
}

}  // namespace quillmark::test
