#include "app/fake_services.h"

#include "app/add_description_form.h"
#include "app/database_information_form.h"
#include "app/pick_list_form.h"
#include "app/set_password_form.h"
#include "app/view_form.h"
#include "search/edit_skill_form.h"

namespace quillmark::test {

ScriptedDialogs& ScriptedDialogs::AnswerYes()
{
    script_.push_back({StepKind::Button, Answer::Yes, std::nullopt});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::AnswerNo()
{
    script_.push_back({StepKind::Button, Answer::No, std::nullopt});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::AnswerCancel()
{
    script_.push_back({StepKind::Button, Answer::Cancel, std::nullopt});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::Type(std::string text)
{
    script_.push_back({StepKind::Typing, std::nullopt, std::move(text)});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::CancelInput()
{
    script_.push_back({StepKind::Typing, std::nullopt, std::nullopt});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::ChooseFile(std::string path)
{
    script_.push_back({StepKind::File, std::nullopt, std::move(path)});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::CancelFileDialog()
{
    script_.push_back({StepKind::File, std::nullopt, std::nullopt});
    return *this;
}

std::vector<std::string> ScriptedDialogs::Texts() const
{
    std::vector<std::string> texts;
    for (const Shown& shown : Messages) {
        texts.push_back(shown.text);
    }
    return texts;
}

namespace {

const char* Describe(int stepKind)
{
    constexpr const char* names[] = {"a button", "typing", "a file"};
    return names[stepKind];
}

}  // namespace

std::optional<ScriptedDialogs::Step> ScriptedDialogs::Next(const std::string& text, StepKind wanted)
{
    if (script_.empty()) {
        Problems.push_back("no answer scripted for \"" + text + "\"");
        return std::nullopt;
    }
    Step step = script_.front();
    script_.pop_front();
    if (step.kind != wanted) {
        Problems.push_back(std::string("scripted ") + Describe(static_cast<int>(step.kind)) +
                           " but \"" + text + "\" asks for " + Describe(static_cast<int>(wanted)));
        return std::nullopt;
    }
    return step;
}

void ScriptedDialogs::ShowInformation(const std::string& text)
{
    Messages.push_back({Kind::Information, text});
}

void ScriptedDialogs::ShowError(const std::string& text)
{
    Messages.push_back({Kind::Error, text});
}

bool ScriptedDialogs::AskYesNo(const std::string& text)
{
    Messages.push_back({Kind::YesNo, text});
    const std::optional<Step> step = Next(text, StepKind::Button);
    if (step && step->answer == Answer::Cancel) {
        Problems.push_back("\"" + text + "\" has no Cancel button");
        return false;
    }
    return step && step->answer == Answer::Yes;
}

Answer ScriptedDialogs::AskYesNoCancel(const std::string& text)
{
    Messages.push_back({Kind::YesNoCancel, text});
    const std::optional<Step> step = Next(text, StepKind::Button);
    return step ? *step->answer : Answer::Cancel;
}

std::optional<std::string> ScriptedDialogs::InputBox(const std::string& caption,
                                                     const std::string& prompt,
                                                     const std::string& initial)
{
    InputsShown.push_back({caption, prompt, initial});
    Messages.push_back({Kind::Input, prompt});
    const std::optional<Step> step = Next(prompt, StepKind::Typing);
    return step ? step->text : std::nullopt;
}

std::optional<std::string> ScriptedDialogs::PasswordBox(const std::string& caption,
                                                        const std::string& prompt)
{
    (void)caption;
    Messages.push_back({Kind::Password, prompt});
    const std::optional<Step> step = Next(prompt, StepKind::Typing);
    return step ? step->text : std::nullopt;
}

std::optional<std::string> ScriptedDialogs::OpenFileDialog(const FileDialogRequest& request)
{
    Messages.push_back({Kind::OpenFile, request.title});
    FileDialogsShown.push_back(request);
    const std::optional<Step> step = Next(request.title, StepKind::File);
    return step ? step->text : std::nullopt;
}

std::optional<std::string> ScriptedDialogs::SaveFileDialog(const FileDialogRequest& request)
{
    Messages.push_back({Kind::SaveFile, request.title});
    FileDialogsShown.push_back(request);
    const std::optional<Step> step = Next(request.title, StepKind::File);
    return step ? step->text : std::nullopt;
}

ScriptedDialogs& ScriptedDialogs::PickDay(std::optional<CalendarDate> day)
{
    dayPicks_.push_back(day);
    return *this;
}

std::optional<CalendarDate> ScriptedDialogs::PickDate(int x, int y, CalendarDate initial)
{
    CalendarsShown.push_back({x, y, initial});
    if (dayPicks_.empty()) {
        Problems.push_back("nobody scripted a day for the calendar");
        return std::nullopt;
    }
    const std::optional<CalendarDate> day = dayPicks_.front();
    dayPicks_.pop_front();
    return day;
}

RecordingShell& RecordingShell::OnDatabaseInformation(DatabaseInformationUser user)
{
    informationUsers_.push_back(std::move(user));
    return *this;
}

RecordingShell& RecordingShell::OnAddDescription(AddDescriptionUser user)
{
    addDescriptionUsers_.push_back(std::move(user));
    return *this;
}

RecordingShell& RecordingShell::OnEditSkill(EditSkillUser user)
{
    editSkillUsers_.push_back(std::move(user));
    return *this;
}

RecordingShell& RecordingShell::OnSetPassword(SetPasswordUser user)
{
    passwordUsers_.push_back(std::move(user));
    return *this;
}

RecordingShell& RecordingShell::OnPickList(PickListUser user)
{
    pickListUsers_.push_back(std::move(user));
    return *this;
}

namespace {

// The dialog is modal: it is up until its form says it is closed. A dialog nobody scripted is
// closed with its title bar's button, which changes nothing.
template <typename Form, typename User>
void PlayDialog(Form& form, std::deque<User>& users, std::vector<std::string>& shown,
                std::vector<std::string>& problems)
{
    shown.push_back(form.Caption);
    if (users.empty()) {
        problems.push_back("nobody scripted what to do in \"" + form.Caption + "\"");
        return;
    }
    const User user = std::move(users.front());
    users.pop_front();
    user(form);
    if (!form.Closed) {
        problems.push_back("\"" + form.Caption + "\" was left open");
    }
}

}  // namespace

void RecordingShell::ShowDatabaseInformation(TDatabaseInformationForm& form)
{
    PlayDialog(form, informationUsers_, DialogsShown, Problems);
}

void RecordingShell::ShowSetPassword(TSetPasswordForm& form)
{
    PlayDialog(form, passwordUsers_, DialogsShown, Problems);
}

void RecordingShell::ShowPickList(TPickListForm& form)
{
    PlayDialog(form, pickListUsers_, DialogsShown, Problems);
}

void RecordingShell::ShowAddDescription(TAddDescription& form)
{
    form.FormActivate();
    PlayDialog(form, addDescriptionUsers_, DialogsShown, Problems);
    form.FormDeactivate();
}

void RecordingShell::ShowEditSkill(TEditSkillForm& form)
{
    PlayDialog(form, editSkillUsers_, DialogsShown, Problems);
}

Session::Session(std::uint64_t seed, std::string settingsPath)
    : random(seed),
      workspace(Services{dialogs, shell, clock, random}, {QUILLMARK_DATA_DIR},
                std::move(settingsPath)),
      view(workspace.View())
{
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
