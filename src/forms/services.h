#pragma once

#include "core/progress.h"
#include "engine/reports/page_canvas.h"

#include <cstddef>
#include <optional>
#include <string>
#include <typeindex>
#include <typeinfo>
#include <vector>

namespace quillmark {

// What forms ask of the desktop. The windows implement these with real dialogs; tests answer
// from a script and keep every message shown.

enum class Answer { Yes, No, Cancel };

struct CalendarDate {
    int year = 0;
    int month = 0;
    int day = 0;
    bool operator==(const CalendarDate&) const = default;
};

// What a file dialog shows: "Quillmark File|*.dat" is a caption and a pattern.
struct FileDialogRequest {
    std::string title;
    std::string filter = "Quillmark File|*.dat";
    std::string defaultExtension = "dat";
    // The file the dialog starts at, its folder open and its name filled in; empty for none.
    // Like the chosen file, named as the system spells it.
    std::string initialFile = {};
    // Which filter the dialog starts with, 0 for the first.
    int filterIndex = 0;
};

// A file chosen in a save dialog and the filter the user left chosen, 0 for the first: which
// kind of file to write, where one name pattern has several.
struct SaveFileChoice {
    std::string path;
    int filterIndex = 0;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual void ShowInformation(const std::string& text) = 0;  // OK button
    virtual void ShowError(const std::string& text) = 0;        // OK button
    virtual bool AskYesNo(const std::string& text) = 0;
    // The same for a question whose Yes throws away someone's work: Enter answers No.
    virtual bool AskYesNoDefaultNo(const std::string& text) = 0;
    virtual Answer AskYesNoCancel(const std::string& text) = 0;
    // Nothing when the user cancels.
    virtual std::optional<std::string> InputBox(const std::string& caption,
                                                const std::string& prompt,
                                                const std::string& initial) = 0;
    // An input box that shows "*" for each typed character.
    virtual std::optional<std::string> PasswordBox(const std::string& caption,
                                                   const std::string& prompt) = 0;
    // The chosen file's full path; nothing when the dialog is cancelled. Opening requires an
    // existing file.
    virtual std::optional<std::string> OpenFileDialog(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> SaveFileDialog(const FileDialogRequest& request) = 0;
    virtual std::optional<SaveFileChoice> SaveFileDialogWithFilter(
        const FileDialogRequest& request) = 0;
    // The calendar, modal, its top-left corner at the screen position and showing the initial
    // day; the day picked, or nothing when it is closed without one.
    virtual std::optional<CalendarDate> PickDate(int x, int y, CalendarDate initial) = 0;
    // The font chooser, its colour included, offering sizes up to largestSize points (0 for
    // any size); nothing when cancelled.
    virtual std::optional<PageFont> ChooseFont(const PageFont& font, int largestSize) = 0;
    // The colour chooser, starting at the colour; nothing when cancelled.
    virtual std::optional<RgbColour> ChooseColour(RgbColour colour) = 0;
};

// The program's other windows, as the main window's commands open them.
enum class ProgramWindow {
    Main,
    Search,
    Spreadsheet,
    Album,
    Graph,
    CdPlayer,
    Calculator,
    About,
    HtmlReport,
    ColumnReport
};

// A grid's contents as they go to the printer: a title over the table, the header row and the
// rows below it.
struct PrintableTable {
    std::string title;
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
    bool operator==(const PrintableTable&) const = default;
};

// How a grid's pages start out, until the user changes them in its print settings.
struct GridPageSetup {
    bool landscape = false;
    bool operator==(const GridPageSetup&) const = default;
};

// A grid too large to copy for the printer: its cells are read as the pages are laid out.
class PrintableGrid {
public:
    virtual ~PrintableGrid() = default;
    virtual int ColumnCount() const = 0;
    virtual int RowCount() const = 0;  // below the header row
    virtual std::string HeaderText(int column) const = 0;
    virtual int ColumnWidth(int column) const = 0;  // in screen pixels
    virtual std::string CellText(int row, int column) const = 0;
    // Shown while a long printing goes on.
    virtual std::string BusyText() const = 0;
};

// A form that a modal dialog shows, with what every such form has: a caption, and whether it
// is closed. Its kind tells which dialog shows it.
class ModalForm {
public:
    template <typename Form>
    explicit ModalForm(Form& form)
        : kind_(typeid(Form)), form_(&form), caption_(form.Caption), closed_(form.Closed)
    {
    }

    std::type_index Kind() const { return kind_; }
    // The form itself when it is of that kind, else null.
    template <typename Form>
    Form* As() const
    {
        return kind_ == std::type_index(typeid(Form)) ? static_cast<Form*>(form_) : nullptr;
    }
    const std::string& Caption() const { return caption_; }
    bool Closed() const { return closed_; }

private:
    std::type_index kind_;
    void* form_;
    const std::string& caption_;
    const bool& closed_;
};

struct ScreenSize {
    int width = 0;
    int height = 0;
};

class Shell {
public:
    virtual ~Shell() = default;
    virtual void ShowWindow(ProgramWindow window) = 0;
    // The windows made on first use and discarded when closed (album, graph, CD player, HTML
    // report): made if need be, then shown. False when the window could not be made.
    virtual bool OpenWindow(ProgramWindow window) = 0;
    // Opens the calendar modally with its top-left corner at the screen position.
    virtual void ShowCalendarAt(int x, int y) = 0;
    virtual ScreenSize Screen() = 0;
    // An empty topic opens the help's contents.
    virtual void OpenHelp(const std::string& topic) = 0;
    // The desktop's "open" for a file, named as the system spells it: shown with the program
    // the system associates with it. Failures are the desktop's to report, if at all.
    virtual void OpenDocument(const std::string& path) = 0;
    // Tells the desktop the database was opened or saved, for its list of recently used files.
    virtual void NoteRecentlyUsed(const std::string& /*path*/) {}
    // Ends the program once the current command is done.
    virtual void ExitProgram() = 0;
    // The dialog made for the form's kind (the database information, a search term's values,
    // the category editor, ...), shown modally until the form says it is closed.
    template <typename Form>
    void RunDialog(Form& form)
    {
        RunModal(ModalForm(form));
    }
    virtual void RunModal(const ModalForm& form) = 0;
    // Shows the window's state now, while a long command (a search) is still running.
    virtual void RefreshWindow(ProgramWindow window) = 0;

    // Long work (reading, writing, sorting, searching a big database): the busy cursor from
    // BeginBusy on, a progress indication with the text once it lasts, the windows repainted
    // meanwhile and no other command started until EndBusy. Nothing else is shown in between.
    virtual void BeginBusy(const std::string& text) = 0;
    virtual void Progress(std::size_t done, std::size_t total) = 0;  // total 0: not known
    virtual void EndBusy() = 0;

    // Prints the window's picture as it is on the screen, on one page of the default printer.
    // False when no print job was started (the user cancelled choosing a printer).
    virtual bool FormPrint(ProgramWindow window) = 0;
    // A grid's page setup, kept for the grid's next printing; grids are told apart by name.
    virtual void ShowPrintSettings(const std::string& gridName) = 0;
    // Prints a grid's table after the print dialog; false when the user cancelled it.
    virtual bool PrintTable(const std::string& gridName, const PrintableTable& table) = 0;
    // The same for a grid read as it prints; its pages start out as the setup says.
    virtual void ShowGridPrintSettings(const std::string& gridName, GridPageSetup initial) = 0;
    virtual bool PrintGrid(const std::string& gridName, GridPageSetup initial,
                           const PrintableGrid& grid) = 0;
};

// A stretch of long work, ended however the scope is left. Progress goes on to the shell only
// when it has moved by a whole percent.
class BusyWork {
public:
    BusyWork(Shell& shell, const std::string& text) : shell_(shell), text_(text)
    {
        shell_.BeginBusy(text_);
    }
    ~BusyWork() { shell_.EndBusy(); }
    BusyWork(const BusyWork&) = delete;
    BusyWork& operator=(const BusyWork&) = delete;

    // Asks the user something the work cannot go on without: the cursor is not busy while the
    // box is up, and is again once it is answered.
    template <typename Ask>
    auto Asking(Ask&& ask)
    {
        struct Resume {
            BusyWork& work;
            ~Resume() { work.shell_.BeginBusy(work.text_); }
        };
        shell_.EndBusy();
        const Resume resume{*this};
        return ask();
    }

    void Progress(std::size_t done, std::size_t total)
    {
        const std::size_t percent = total == 0 ? 0 : done * 100 / total;
        if (percent != percent_ || total != total_) {
            percent_ = percent;
            total_ = total;
            shell_.Progress(done, total);
        }
    }
    ProgressReport Reporter()
    {
        return [this](std::size_t done, std::size_t total) { Progress(done, total); };
    }

private:
    Shell& shell_;
    const std::string text_;
    std::size_t percent_ = static_cast<std::size_t>(-1);
    std::size_t total_ = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual CalendarDate Today() = 0;
};

}  // namespace quillmark
