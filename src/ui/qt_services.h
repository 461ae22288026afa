#pragma once

#include "forms/services.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QString>

#include <functional>
#include <map>
#include <memory>

class QFileDialog;
class QPrinter;
class QProgressDialog;
class QWidget;

namespace quillmark {

// True while a message or input box is up: such boxes do not count as the main window
// losing activation.
bool MessageBoxIsOpen();

// Counts a box or dialog of the running command as open for as long as it lives.
class BoxOpen {
public:
    BoxOpen();
    ~BoxOpen();
    BoxOpen(const BoxOpen&) = delete;
    BoxOpen& operator=(const BoxOpen&) = delete;
};

// The open dialog as QtDialogs sets it up for a request, before it is shown.
void SetUpOpenFileDialog(QFileDialog& dialog, const FileDialogRequest& request);

class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget*& owner) : owner_(owner) {}

    void ShowInformation(const std::string& text) override;
    void ShowError(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    bool AskYesNoDefaultNo(const std::string& text) override;
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
    QWidget*& owner_;  // the main window, once it exists
};

class QtShell : public Shell {
public:
    QtShell(QWidget*& owner, QString helpFolder);
    ~QtShell() override;

    // The program's long-lived windows other than the main one, shown and refreshed for their
    // forms; render puts the form's state on the window.
    void AddWindow(ProgramWindow window, QWidget* widget, std::function<void()> render);

    // A window made on first use and discarded when closed: how to make it, and how to put
    // its form's state on it. A maker may throw when the window cannot be made.
    struct MadeWindow {
        QWidget* widget = nullptr;
        std::function<void()> render;
    };
    void AddWindowMaker(ProgramWindow window, std::function<MadeWindow()> make);

    void ShowWindow(ProgramWindow window) override;
    bool OpenWindow(ProgramWindow window) override;
    void ShowCalendarAt(int x, int y) override;
    void NoteRecentlyUsed(const std::string& path) override;
    ScreenSize Screen() override;
    void OpenHelp(const std::string& topic) override;
    void OpenDocument(const std::string& path) override;
    void ExitProgram() override;
    // The dialog class made for the form's kind; a kind without one is a fault of the program.
    void RunModal(const ModalForm& form) override;
    void RefreshWindow(ProgramWindow window) override;
    void BeginBusy(const std::string& text) override;
    void Progress(std::size_t done, std::size_t total) override;
    void EndBusy() override;
    bool FormPrint(ProgramWindow window) override;
    void ShowPrintSettings(const std::string& gridName) override;
    bool PrintTable(const std::string& gridName, const PrintableTable& table) override;
    void ShowGridPrintSettings(const std::string& gridName, GridPageSetup initial) override;
    bool PrintGrid(const std::string& gridName, GridPageSetup initial,
                   const PrintableGrid& grid) override;

private:
    // A grid's printer, made with the page setup given the first time the grid asks for it.
    QPrinter& GridPrinter(const std::string& gridName, GridPageSetup initial = {});

    struct ShownWindow {
        QPointer<QWidget> widget;
        std::function<void()> render;
    };
    std::map<ProgramWindow, ShownWindow> windows_;
    std::map<ProgramWindow, std::function<MadeWindow()>> makers_;

    QWidget*& owner_;
    QString helpFolder_;
    // The long work under way: nested stretches count as one.
    int busyDepth_ = 0;
    QString busyText_;
    QElapsedTimer busyClock_;
    qint64 lastRepaint_ = 0;
    std::unique_ptr<BoxOpen> busyBox_;
    QPointer<QProgressDialog> progress_;
    // Each grid's printer keeps its page setup and the printer chosen from one printing to
    // the next.
    std::map<std::string, std::unique_ptr<QPrinter>> gridPrinters_;
};

class QtClock : public Clock {
public:
    CalendarDate Today() override;
};

}  // namespace quillmark
