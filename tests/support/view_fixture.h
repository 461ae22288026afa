#pragma once

#include "forms/main/view_form.h"
#include "forms/workspace.h"
#include "support/fake_services.h"

#include <gtest/gtest.h>

namespace quillmark::test {

// Every scripted answer and dialog of a run was asked for, and nothing unscripted was shown.
inline void ExpectScriptPlayedOut(const Session& run)
{
    EXPECT_TRUE(run.dialogs.Problems.empty()) << run.dialogs.Problems.front();
    EXPECT_TRUE(run.dialogs.ScriptUsedUp()) << "answers were scripted but never asked for";
    EXPECT_TRUE(run.shell.Problems.empty()) << run.shell.Problems.front();
    EXPECT_TRUE(run.shell.ScriptUsedUp()) << "a dialog was scripted but never shown";
}

// "Open" answered yes to losing the changes when there are any, the file chosen, then each
// password typed; the boxes it showed are forgotten.
inline void OpenDatabase(Session& run, const std::string& path,
                         const std::vector<std::string>& typed = {})
{
    if (run.workspace.History.Changed()) {
        run.dialogs.AnswerYes();
    }
    run.dialogs.ChooseFile(path);
    for (const std::string& password : typed) {
        run.dialogs.Type(password);
    }
    run.view.Open1Click();
    run.dialogs.Forget();
}

// The program just started: the main window has been activated once and shows the new
// database's one record. Every box shown is kept in dialogs.Messages.
class ViewTest : public ::testing::Test {
protected:
    void SetUp() override { session.Start(); }
    void TearDown() override { ExpectScriptPlayedOut(session); }

    // Stores the window into the record on show, as leaving the window does.
    void Leave() { view.FormDeactivate(); }
    // Goes to a record by typing its number, as the user does in the record number box.
    void GoTo(const std::string& number)
    {
        view.number.text = number;
        view.numberEnter();
    }

    Session session;
    TView& view = session.view;
    Workspace& workspace = session.workspace;
    ScriptedDialogs& dialogs = session.dialogs;
};

}  // namespace quillmark::test
