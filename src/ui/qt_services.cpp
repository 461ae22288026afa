#include "ui/qt_services.h"

#include "ui/categories/add_description_dialog.h"
#include "ui/main/database_dialogs.h"
#include "ui/main/edit_skill_dialog.h"
#include "ui/main/pick_list_dialog.h"
#include "ui/printing.h"
#include "ui/search/select_range_dialog.h"
#include "ui/search/select_skills_dialog.h"
#include "ui/spreadsheet/select_spreadsheet_dialog.h"
#include "ui/text.h"
#include "ui/utilities/about_window.h"
#include "ui/utilities/calculator_window.h"
#include "ui/utilities/calendar_window.h"
#include "ui/utilities/help_window.h"

#include <QApplication>
#include <QDate>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <QTimer>
#include <QUrl>

#include <algorithm>

namespace quillmark {

namespace {

int openBoxes = 0;

// Counts the boxes that are up for as long as one is shown.
class BoxOpen {
public:
    BoxOpen() { ++openBoxes; }
    ~BoxOpen() { --openBoxes; }
    BoxOpen(const BoxOpen&) = delete;
    BoxOpen& operator=(const BoxOpen&) = delete;
};

QString Title()
{
    return QApplication::applicationName();
}

}  // namespace

bool MessageBoxIsOpen()
{
    return openBoxes > 0;
}

// Over the window the user works in, so that answering a box leaves that window in front; the
// main window while none of the program's windows is active.
QWidget* QtDialogs::Parent() const
{
    QWidget* active = QApplication::activeWindow();
    return active != nullptr ? active : owner_;
}

void QtDialogs::ShowInformation(const std::string& text)
{
    const BoxOpen open;
    QMessageBox::information(Parent(), Title(), ToQt(text));
}

void QtDialogs::ShowError(const std::string& text)
{
    const BoxOpen open;
    QMessageBox::critical(Parent(), Title(), ToQt(text));
}

bool QtDialogs::AskYesNo(const std::string& text)
{
    const BoxOpen open;
    return QMessageBox::question(Parent(), Title(), ToQt(text),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

Answer QtDialogs::AskYesNoCancel(const std::string& text)
{
    const BoxOpen open;
    switch (QMessageBox::question(Parent(), Title(), ToQt(text),
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

std::optional<std::string> QtDialogs::InputBox(const std::string& caption,
                                               const std::string& prompt,
                                               const std::string& initial)
{
    const BoxOpen open;
    bool accepted = false;
    const QString answer = QInputDialog::getText(Parent(), ToQt(caption), ToQt(prompt),
                                                 QLineEdit::Normal, ToQt(initial), &accepted);
    if (!accepted) {
        return std::nullopt;
    }
    return FromQt(answer);
}

std::optional<std::string> QtDialogs::PasswordBox(const std::string& caption,
                                                  const std::string& prompt)
{
    const BoxOpen open;
    bool accepted = false;
    const QString answer = QInputDialog::getText(Parent(), ToQt(caption), ToQt(prompt),
                                                 QLineEdit::Password, QString(), &accepted);
    if (!accepted) {
        return std::nullopt;
    }
    return FromQt(answer);
}

namespace {

// "Quillmark File|*.dat" as Qt writes it: "Quillmark File (*.dat)". "*.*" means every file,
// as it does on Windows, not only names with a dot.
QStringList QtFilters(const std::string& filter)
{
    const QStringList parts = ToQt(filter).split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            if (pattern.trimmed() == "*.*") {
                pattern = "*";
            }
        }
        filters.append(parts[i] + " (" + patterns.join(' ') + ")");
    }
    return filters;
}

QString QtFilter(const std::string& filter)
{
    return QtFilters(filter).join(";;");
}

std::optional<std::string> ChosenFile(const QString& path)
{
    if (path.isEmpty()) {
        return std::nullopt;
    }
    // File names are handed on as the system spells them.
    return path.toStdString();
}

}  // namespace

void SetUpOpenFileDialog(QFileDialog& dialog, const FileDialogRequest& request)
{
    dialog.setWindowTitle(ToQt(request.title));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    // Files copied from Windows often have their extensions in capitals: "*.gif" lists
    // "photo.GIF" too. The desktop's own dialogs would match by case, so Qt's is used.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
    dialog.setNameFilters(QtFilters(request.filter));
    if (!request.initialFile.empty()) {
        // Stored as the system spells file names (see ChosenFile).
        dialog.selectFile(QString::fromStdString(request.initialFile));
    }
}

// File dialogs belong to the command that asks, like message boxes.
std::optional<std::string> QtDialogs::OpenFileDialog(const FileDialogRequest& request)
{
    const BoxOpen open;
    QFileDialog dialog(Parent());
    SetUpOpenFileDialog(dialog, request);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return ChosenFile(dialog.selectedFiles().constFirst());
}

std::optional<std::string> QtDialogs::SaveFileDialog(const FileDialogRequest& request)
{
    const BoxOpen open;
    // The form adds the extension and asks about overwriting itself.
    return ChosenFile(QFileDialog::getSaveFileName(Parent(), ToQt(request.title), QString(),
                                                   QtFilter(request.filter), nullptr,
                                                   QFileDialog::DontConfirmOverwrite));
}

void QtShell::ShowWindow(ProgramWindow window)
{
    switch (window) {
    case ProgramWindow::Calculator:
        ShowCalculator(owner_);
        break;
    case ProgramWindow::About:
        ShowAboutBox(owner_);
        break;
    default: {
        // Windows still to be built have no widget yet, and nothing to show.
        QWidget* shown = window == ProgramWindow::Main ? owner_ : nullptr;
        if (const auto added = windows_.find(window); added != windows_.end()) {
            shown = added->second.widget;
        }
        if (shown != nullptr) {
            if (!shown->isVisible() && shown != owner_ && owner_ != nullptr) {
                // Over the main window rather than wherever the desktop puts a new window.
                QRect frame = shown->frameGeometry();
                frame.moveCenter(owner_->frameGeometry().center());
                const QRect screen = owner_->screen()->availableGeometry();
                frame.moveLeft(std::clamp(frame.left(), screen.left(),
                                          std::max(screen.left(), screen.right() - frame.width())));
                frame.moveTop(std::clamp(frame.top(), screen.top(),
                                         std::max(screen.top(), screen.bottom() - frame.height())));
                shown->move(frame.topLeft());
            }
            shown->show();
            shown->raise();
            shown->activateWindow();
        }
        break;
    }
    }
}

void QtShell::AddWindow(ProgramWindow window, QWidget* widget, std::function<void()> render)
{
    windows_[window] = {widget, std::move(render)};
}

QWidget* QtShell::ActiveWindow() const
{
    QWidget* active = QApplication::activeWindow();
    return active != nullptr ? active : owner_;
}

QWidget* QtShell::WindowOf(ProgramWindow window) const
{
    const auto shown = windows_.find(window);
    return shown != windows_.end() ? shown->second.widget : owner_;
}

void QtShell::RefreshWindow(ProgramWindow window)
{
    const auto shown = windows_.find(window);
    if (shown != windows_.end() && shown->second.render) {
        shown->second.render();
    }
}

std::optional<CalendarDate> QtDialogs::PickDate(int x, int y, CalendarDate initial)
{
    // Part of the click that opened it, like a message box: the record on show stays as it is.
    const BoxOpen open;
    const std::optional<CalendarPick> pick = quillmark::ShowCalendarAt(
        owner_, QPoint(x, y), QDate(initial.year, initial.month, initial.day));
    if (!pick) {
        return std::nullopt;
    }
    return CalendarDate{pick->year, pick->month, pick->day};
}

void QtShell::ShowCalendarAt(int x, int y)
{
    quillmark::ShowCalendarAt(owner_, QPoint(x, y));
}

ScreenSize QtShell::Screen()
{
    const QScreen* screen = owner_ != nullptr ? owner_->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return {};
    }
    return {screen->geometry().width(), screen->geometry().height()};
}

void QtShell::OpenHelp(const std::string& topic)
{
    quillmark::OpenHelp(owner_, helpFolder_, ToQt(topic));
}

void QtShell::OpenDocument(const std::string& path)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

void QtShell::ExitProgram()
{
    // Closing the main window ends the program once the current command has returned.
    // exit, not quit: quit would ask every window to close again, and with it the save question.
    QTimer::singleShot(0, qApp, [] { QApplication::exit(0); });
}

void QtShell::ShowDatabaseInformation(TDatabaseInformationForm& form)
{
    DatabaseInformationDialog(form, owner_).exec();
}

void QtShell::ShowSetPassword(TSetPasswordForm& form)
{
    SetPasswordDialog(form, owner_).exec();
}

void QtShell::ShowPickList(TPickListForm& form)
{
    PickListDialog(form, owner_).exec();
}

void QtShell::ShowAddDescription(TAddDescription& form)
{
    AddDescriptionDialog(form, owner_).exec();
}

void QtShell::ShowEditSkill(TEditSkillForm& form)
{
    EditSkillDialog(form, owner_).exec();
}

void QtShell::ShowSelectRange(TSelectRangeForm& form)
{
    SelectRangeDialog(form, WindowOf(ProgramWindow::Search)).exec();
}

void QtShell::ShowSelectSchedule(TSelectScheduleForm& form)
{
    SelectRangeDialog(form, WindowOf(ProgramWindow::Search)).exec();
}

void QtShell::ShowSelectSkills(TSelectSkillsForm& form)
{
    SelectSkillsDialog(form, WindowOf(ProgramWindow::Search)).exec();
}

void QtShell::ShowSelectSpreadsheet(TSelectSpreadsheetForm& form)
{
    SelectSpreadsheetDialog(form, WindowOf(ProgramWindow::Spreadsheet)).exec();
}

QtShell::QtShell(QWidget*& owner, QString helpFolder)
    : owner_(owner), helpFolder_(std::move(helpFolder))
{
}

QtShell::~QtShell() = default;

bool QtShell::FormPrint(ProgramWindow window)
{
    QWidget* shown = window == ProgramWindow::Main ? owner_ : nullptr;
    if (shown == nullptr) {
        return false;
    }
    // The window as it is now, before a print dialog can cover it.
    const QPixmap picture = shown->grab();
    QPrinter printer(QPrinter::HighResolution);
    // Straight to the default printer; without one, the user chooses where it goes (a PDF
    // file, say) rather than printing into nothing.
    if (QPrinterInfo::defaultPrinter().isNull()) {
        const BoxOpen open;
        QPrintDialog dialog(&printer, owner_);
        if (dialog.exec() != QDialog::Accepted) {
            return false;
        }
    }
    PrintWindowPicture(picture, printer);
    return true;
}

QPrinter& QtShell::GridPrinter(const std::string& gridName, GridPageSetup initial)
{
    std::unique_ptr<QPrinter>& printer = gridPrinters_[gridName];
    if (!printer) {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        if (initial.landscape) {
            printer->setPageOrientation(QPageLayout::Landscape);
        }
    }
    return *printer;
}

void QtShell::ShowPrintSettings(const std::string& gridName)
{
    const BoxOpen open;
    QPageSetupDialog(&GridPrinter(gridName), owner_).exec();
}

bool QtShell::PrintTable(const std::string& gridName, const PrintableTable& table)
{
    QPrinter& printer = GridPrinter(gridName);
    {
        const BoxOpen open;
        QPrintDialog dialog(&printer, owner_);
        if (dialog.exec() != QDialog::Accepted) {
            return false;
        }
    }
    quillmark::PrintTable(table, printer);
    return true;
}

void QtShell::ShowGridPrintSettings(const std::string& gridName, GridPageSetup initial)
{
    const BoxOpen open;
    QPageSetupDialog(&GridPrinter(gridName, initial), ActiveWindow()).exec();
}

bool QtShell::PrintGrid(const std::string& gridName, GridPageSetup initial,
                        const PrintableGrid& grid)
{
    QPrinter& printer = GridPrinter(gridName, initial);
    {
        const BoxOpen open;
        QPrintDialog dialog(&printer, ActiveWindow());
        if (dialog.exec() != QDialog::Accepted) {
            return false;
        }
    }
    quillmark::PrintGrid(grid, initial.shrinkToFit, printer);
    return true;
}

CalendarDate QtClock::Today()
{
    const QDate today = QDate::currentDate();
    return {today.year(), today.month(), today.day()};
}

}  // namespace quillmark
