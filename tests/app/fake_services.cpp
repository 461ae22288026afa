#include "app/fake_services.h"

#include "app/view_form.h"

namespace quillmark::test {

ScriptedDialogs& ScriptedDialogs::AnswerYes()
{
    script_.push_back({Answer::Yes, std::nullopt, false});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::AnswerNo()
{
    script_.push_back({Answer::No, std::nullopt, false});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::AnswerCancel()
{
    script_.push_back({Answer::Cancel, std::nullopt, false});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::Type(std::string text)
{
    script_.push_back({std::nullopt, std::move(text), true});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::CancelInput()
{
    script_.push_back({std::nullopt, std::nullopt, true});
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

std::optional<ScriptedDialogs::Step> ScriptedDialogs::Next(const std::string& text, bool forInput)
{
    if (script_.empty()) {
        Problems.push_back("no answer scripted for \"" + text + "\"");
        return std::nullopt;
    }
    Step step = script_.front();
    script_.pop_front();
    if (step.forInput != forInput) {
        Problems.push_back(std::string("scripted ") + (step.forInput ? "typing" : "a button") +
                           " but \"" + text + "\" asks for " + (forInput ? "typing" : "a button"));
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
    const std::optional<Step> step = Next(text, false);
    if (step && step->answer == Answer::Cancel) {
        Problems.push_back("\"" + text + "\" has no Cancel button");
        return false;
    }
    return step && step->answer == Answer::Yes;
}

Answer ScriptedDialogs::AskYesNoCancel(const std::string& text)
{
    Messages.push_back({Kind::YesNoCancel, text});
    const std::optional<Step> step = Next(text, false);
    return step ? *step->answer : Answer::Cancel;
}

std::optional<std::string> ScriptedDialogs::InputBox(const std::string& caption,
                                                     const std::string& prompt,
                                                     const std::string& initial)
{
    (void)caption;
    (void)initial;
    Messages.push_back({Kind::Input, prompt});
    const std::optional<Step> step = Next(prompt, true);
    return step ? step->typed : std::nullopt;
}

Session::Session(std::uint64_t seed)
    : random(seed),
      workspace(Services{dialogs, shell, clock, random}, {QUILLMARK_DATA_DIR}),
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
