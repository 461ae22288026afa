#pragma once

#include "forms/main/view_form.h"
#include "forms/workspace.h"
#include "support/fake_services.h"

#include <gtest/gtest.h>

namespace quillmark::test {

// The program just started: the main window has been activated once and shows the new
// database's one record. Every box shown is kept in dialogs.Messages.
class ViewTest : public ::testing::Test {
protected:
    void SetUp() override { session.Start(); }
    void TearDown() override
    {
        EXPECT_TRUE(dialogs.Problems.empty()) << dialogs.Problems.front();
        EXPECT_TRUE(dialogs.ScriptUsedUp()) << "answers were scripted but never asked for";
        EXPECT_TRUE(session.shell.Problems.empty()) << session.shell.Problems.front();
        EXPECT_TRUE(session.shell.ScriptUsedUp()) << "a dialog was scripted but never shown";
    }

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
