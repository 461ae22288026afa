#pragma once

#include "core/random_source.h"
#include "forms/services.h"
#include "forms/workspace.h"

#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <type_traits>
#include <typeindex>
#include <utility>
#include <vector>

namespace quillmark::test {

// Dialogs that answer from a script and keep every box shown, so that a test reads like the
// user's session: "answer Yes, pick x.dat, expect 'File Saved'". A question the script has no
// answer for is noted in Problems and answered No, Cancel or "cancelled"; tests check that
// Problems stays empty.
class ScriptedDialogs : public Dialogs {
public:
    enum class Kind {
        Information,
        Error,
        YesNo,
        YesNoDefaultNo,
        YesNoCancel,
        Input,
        Password,
        OpenFile,
        SaveFile
    };
    struct Shown {
        Kind kind;
        std::string text;  // the prompt of an input or password box, the title of a file dialog
        bool operator==(const Shown&) const = default;
    };

    // What the user will answer, in order.
    ScriptedDialogs& AnswerYes() { return Push({StepKind::Button, Answer::Yes, {}}); }
    ScriptedDialogs& AnswerNo() { return Push({StepKind::Button, Answer::No, {}}); }
    ScriptedDialogs& AnswerCancel() { return Push({StepKind::Button, Answer::Cancel, {}}); }
    // Into the next input or password box, then OK; or that box is cancelled.
    ScriptedDialogs& Type(std::string text) { return Push({StepKind::Typing, {}, text}); }
    ScriptedDialogs& CancelInput() { return Push({StepKind::Typing, {}, {}}); }
    // In the next file dialog.
    ScriptedDialogs& ChooseFile(std::string path) { return Push({StepKind::File, {}, path}); }
    // The same with another filter chosen than the dialog started with.
    ScriptedDialogs& ChooseFile(std::string path, int filterIndex)
    {
        return Push({StepKind::File, {}, path, filterIndex});
    }
    ScriptedDialogs& CancelFileDialog() { return Push({StepKind::File, {}, {}}); }
    // In the next calendar: the day picked, or nothing for closing it without a pick.
    ScriptedDialogs& PickDay(std::optional<CalendarDate> day)
    {
        dayPicks_.push_back(day);
        return *this;
    }

    struct CalendarShown {
        int x = 0;
        int y = 0;
        CalendarDate initial;
    };
    std::vector<CalendarShown> CalendarsShown;

    // In the next font or colour chooser: what is chosen, or nothing for cancelling it.
    ScriptedDialogs& ChooseFontAnswer(std::optional<PageFont> font)
    {
        fontChoices_.push_back(std::move(font));
        return *this;
    }
    ScriptedDialogs& ChooseColourAnswer(std::optional<RgbColour> colour)
    {
        colourChoices_.push_back(colour);
        return *this;
    }
    // The font each font chooser started with and the largest size it offered.
    std::vector<std::pair<PageFont, int>> FontChoosersShown;
    std::vector<RgbColour> ColourChoosersShown;

    // What each input box offered: its caption, prompt and the text it started with.
    struct InputShown {
        std::string caption;
        std::string prompt;
        std::string initial;
        bool operator==(const InputShown&) const = default;
    };
    std::vector<InputShown> InputsShown;

    std::vector<Shown> Messages;                      // every box, in the order shown
    std::vector<FileDialogRequest> FileDialogsShown;  // open and save dialogs, in order
    std::vector<std::string> Problems;  // questions nobody scripted, answers nobody asked for
    // The shell's count of long work begun and not ended: no box may come up in the middle.
    const int* LongWorkUnderWay = nullptr;

    // The texts of the boxes shown so far; Forget() starts a new stretch of the session.
    std::vector<std::string> Texts() const;
    // The same without the file dialogs: the message and question boxes alone.
    std::vector<std::string> BoxTexts() const;
    void Forget() { Messages.clear(); }
    bool ScriptUsedUp() const
    {
        return script_.empty() && dayPicks_.empty() && fontChoices_.empty() &&
               colourChoices_.empty();
    }

    void ShowInformation(const std::string& text) override { Show(Kind::Information, text); }
    void ShowError(const std::string& text) override { Show(Kind::Error, text); }
    bool AskYesNo(const std::string& text) override { return YesOrNo(Kind::YesNo, text); }
    bool AskYesNoDefaultNo(const std::string& text) override
    {
        return YesOrNo(Kind::YesNoDefaultNo, text);
    }
    Answer AskYesNoCancel(const std::string& text) override;
    std::optional<std::string> InputBox(const std::string& caption, const std::string& prompt,
                                        const std::string& initial) override;
    std::optional<std::string> PasswordBox(const std::string& caption,
                                           const std::string& prompt) override;
    std::optional<std::string> OpenFileDialog(const FileDialogRequest& request) override;
    std::optional<std::string> SaveFileDialog(const FileDialogRequest& request) override;
    std::optional<SaveFileChoice> SaveFileDialogWithFilter(
        const FileDialogRequest& request) override;
    std::optional<CalendarDate> PickDate(int x, int y, CalendarDate initial) override;
    std::optional<PageFont> ChooseFont(const PageFont& font, int largestSize) override;
    std::optional<RgbColour> ChooseColour(RgbColour colour) override;

private:
    bool YesOrNo(Kind kind, const std::string& text);
    enum class StepKind { Button, Typing, File };
    struct Step {
        StepKind kind = StepKind::Button;
        std::optional<Answer> answer;         // for a question box
        std::optional<std::string> text;      // typed, or the file chosen; nothing: cancelled
        std::optional<int> filterIndex = {};  // of a file dialog, when the user changed it
    };
    ScriptedDialogs& Push(Step step)
    {
        script_.push_back(std::move(step));
        return *this;
    }
    void Show(Kind kind, const std::string& text)
    {
        if (LongWorkUnderWay != nullptr && *LongWorkUnderWay > 0) {
            Problems.push_back("\"" + text + "\" shown during long work");
        }
        Messages.push_back({kind, text});
    }
    std::optional<Step> Next(const std::string& text, StepKind wanted);
    // Shows a box that is answered by typing or by choosing a file.
    std::optional<std::string> TextAnswer(Kind kind, const std::string& text, StepKind wanted);

    std::deque<Step> script_;
    std::deque<std::optional<CalendarDate>> dayPicks_;
    std::deque<std::optional<PageFont>> fontChoices_;
    std::deque<std::optional<RgbColour>> colourChoices_;
};

// So that a failed expectation shows the box: Information "File Saved".
inline void PrintTo(const ScriptedDialogs::Shown& shown, std::ostream* out)
{
    constexpr const char* kinds[] = {"Information",    "Error",       "YesNo",
                                     "YesNoDefaultNo", "YesNoCancel", "Input",
                                     "Password",       "OpenFile",    "SaveFile"};
    *out << kinds[static_cast<int>(shown.kind)] << " \"" << shown.text << '"';
}

// Notes the windows opened, the calendar's positions, help topics and requests to end. The
// database dialogs are played by scripted users who type into the form and click its buttons;
// a dialog nobody scripted, or one its user leaves open, is noted in Problems.
class RecordingShell : public Shell {
public:
    // What the user does in the next dialog of a kind, in order; the kind is the form the user
    // takes: OnDialog([](TSetPasswordForm& form) { ... }).
    template <typename User>
    RecordingShell& OnDialog(User user)
    {
        using Form = typename DialogUser<decltype(&User::operator())>::Form;
        users_[typeid(Form)].push_back(
            [user = std::move(user)](const ModalForm& form) mutable { user(*form.As<Form>()); });
        return *this;
    }

    ScreenSize ScreenSizeShown{1024, 768};
    std::vector<ProgramWindow> WindowsShown;
    std::vector<std::string> DialogsShown;  // captions of the dialogs, in order
    std::vector<std::string> Problems;
    std::vector<std::pair<int, int>> CalendarPositions;
    std::vector<std::string> HelpTopics;
    std::vector<std::string> DocumentsOpened;  // files handed to the desktop's "open"
    int ExitRequests = 0;

    void ShowWindow(ProgramWindow window) override { WindowsShown.push_back(window); }
    // Windows made on first use are noted with the others; none can be made while this is set.
    bool WindowsCannotBeMade = false;
    bool OpenWindow(ProgramWindow window) override
    {
        if (WindowsCannotBeMade) {
            return false;
        }
        WindowsShown.push_back(window);
        return true;
    }
    void ShowCalendarAt(int x, int y) override { CalendarPositions.emplace_back(x, y); }
    ScreenSize Screen() override { return ScreenSizeShown; }
    void OpenHelp(const std::string& topic) override { HelpTopics.push_back(topic); }
    void OpenDocument(const std::string& path) override { DocumentsOpened.push_back(path); }
    void ExitProgram() override { ++ExitRequests; }
    // Plays the user scripted for the form's kind. The category editor is opened first and left
    // after, as closing its window does.
    void RunModal(const ModalForm& form) override;
    std::vector<ProgramWindow> WindowsRefreshed;
    void RefreshWindow(ProgramWindow window) override { WindowsRefreshed.push_back(window); }

    // Long work: the text of each stretch begun, the progress told, and the stretches not
    // ended yet.
    std::vector<std::string> BusyTexts;
    std::vector<std::pair<std::size_t, std::size_t>> ProgressShown;
    int Busy = 0;
    void BeginBusy(const std::string& text) override
    {
        BusyTexts.push_back(text);
        ++Busy;
    }
    void Progress(std::size_t done, std::size_t total) override
    {
        if (Busy == 0) {
            Problems.push_back("progress told outside long work");
        }
        ProgressShown.emplace_back(done, total);
    }
    void EndBusy() override
    {
        if (Busy-- == 0) {
            Problems.push_back("long work ended that never began");
        }
    }

    // Printing: what was printed, and whether the user cancels choosing a printer.
    bool PrintingCancelled = false;
    std::vector<ProgramWindow> FormsPrinted;
    std::vector<std::string> PrintSettingsShown;  // the grids' names
    std::vector<std::pair<std::string, PrintableTable>> TablesPrinted;
    bool FormPrint(ProgramWindow window) override
    {
        if (!PrintingCancelled) {
            FormsPrinted.push_back(window);
        }
        return !PrintingCancelled;
    }
    void ShowPrintSettings(const std::string& gridName) override
    {
        PrintSettingsShown.push_back(gridName);
    }
    bool PrintTable(const std::string& gridName, const PrintableTable& table) override
    {
        if (!PrintingCancelled) {
            TablesPrinted.emplace_back(gridName, table);
        }
        return !PrintingCancelled;
    }
    // Grids read as they print are noted with their page setup and copied into TablesPrinted.
    std::vector<std::pair<std::string, GridPageSetup>> GridSetups;
    void ShowGridPrintSettings(const std::string& gridName, GridPageSetup initial) override
    {
        PrintSettingsShown.push_back(gridName);
        GridSetups.emplace_back(gridName, initial);
    }
    bool PrintGrid(const std::string& gridName, GridPageSetup initial,
                   const PrintableGrid& grid) override;

    bool ScriptUsedUp() const
    {
        return std::all_of(users_.begin(), users_.end(),
                           [](const auto& kind) { return kind.second.empty(); });
    }

private:
    // The form a scripted user's call operator takes.
    template <typename Call>
    struct DialogUser;
    template <typename Lambda, typename FormRef>
    struct DialogUser<void (Lambda::*)(FormRef) const> {
        using Form = std::remove_reference_t<FormRef>;
    };
    template <typename Lambda, typename FormRef>
    struct DialogUser<void (Lambda::*)(FormRef)> {
        using Form = std::remove_reference_t<FormRef>;
    };

    std::map<std::type_index, std::deque<std::function<void(const ModalForm&)>>> users_;
};

class FixedClock : public Clock {
public:
    CalendarDate Date{2024, 3, 15};
    CalendarDate Today() override { return Date; }
};

// A program run with the fake services: the workspace with its main window's form, default
// category trees from the build's data folder. Start() activates the main window as the
// program does when it first shows it. Without a settings file every setting takes its
// default and closing cannot write them.
class Session {
public:
    explicit Session(std::uint64_t seed = 20240315, std::string settingsPath = {});
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    void Start();

    ScriptedDialogs dialogs;
    RecordingShell shell;
    FixedClock clock;
    SeededRandom random;
    Workspace workspace;
    TView& view;

    // The record at a 0-based position, and the names of all records in order.
    ItemRecord& Record(int position);
    std::vector<std::string> Names();
};

}  // namespace quillmark::test
