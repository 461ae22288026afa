#include "ui/qt_services.h"

#include "forms/categories/add_description_form.h"
#include "forms/main/database_information_form.h"
#include "forms/main/edit_skill_form.h"
#include "forms/main/pick_list_form.h"
#include "forms/main/server_conflict_form.h"
#include "forms/main/server_database_form.h"
#include "forms/main/set_password_form.h"
#include "forms/search/select_range_form.h"
#include "forms/search/select_schedule_form.h"
#include "forms/search/select_skills_form.h"
#include "forms/spreadsheet/select_spreadsheet_form.h"
#include "ui/categories/add_description_dialog.h"
#include "ui/font_chooser.h"
#include "ui/main/database_dialogs.h"
#include "ui/main/edit_skill_dialog.h"
#include "ui/main/pick_list_dialog.h"
#include "ui/main/server_dialogs.h"
#include "ui/preview/page_painter.h"
#include "ui/printing.h"
#include "ui/recently_used.h"
#include "ui/search/select_range_dialog.h"
#include "ui/search/select_skills_dialog.h"
#include "ui/spreadsheet/select_spreadsheet_dialog.h"
#include "ui/text.h"
#include "ui/utilities/about_window.h"
#include "ui/utilities/calculator_window.h"
#include "ui/utilities/calendar_window.h"
#include "ui/utilities/help_window.h"
#include "ui/window_placement.h"

#include <QApplication>
#include <QColorDialog>
#include <QDate>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QGridLayout>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QScreen>
#include <QSpacerItem>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <limits>

namespace quillmark {

namespace {

int openBoxes = 0;

QString Title()
{
    return QApplication::applicationName();
}

QMessageBox::StandardButton ShowBox(QWidget* owner, QMessageBox::Icon icon, const std::string& text,
                                    QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton onEnter = QMessageBox::NoButton)
{
    const BoxOpen open;
    QWidget* parent = AskingWindow(owner);
    QMessageBox box(icon, Title(), ToQt(text), buttons, parent);
    // Messages name files and quote what files hold: "<h1>x</h1>.dat" is a name, not markup.
    box.setTextFormat(Qt::PlainText);
    KeepAbove(&box, parent);
    if (onEnter != QMessageBox::NoButton) {
        box.setDefaultButton(onEnter);
    }
    // A message box sizes itself from its layout when shown: a spacer sets the least width.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        grid->addItem(new QSpacerItem(WidthForTitle(box), 0, QSizePolicy::Fixed), grid->rowCount(),
                      0, 1, grid->columnCount());
    }
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

std::optional<std::string> AskForText(QWidget* owner, const std::string& caption,
                                      const std::string& prompt, const std::string& initial,
                                      QLineEdit::EchoMode echo)
{
    const BoxOpen open;
    QWidget* parent = AskingWindow(owner);
    QInputDialog box(parent);
    box.setWindowTitle(ToQt(caption));
    box.setLabelText(ToQt(prompt));
    if (auto* label = box.findChild<QLabel*>()) {
        label->setTextFormat(Qt::PlainText);
    }
    box.setTextEchoMode(echo);
    box.setTextValue(ToQt(initial));
    KeepAbove(&box, parent);
    box.adjustSize();
    box.resize(std::max(box.width(), WidthForTitle(box)), box.height());
    if (box.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return FromQt(box.textValue());
}

}  // namespace

bool MessageBoxIsOpen()
{
    return openBoxes > 0;
}

BoxOpen::BoxOpen()
{
    ++openBoxes;
}

BoxOpen::~BoxOpen()
{
    --openBoxes;
}

void QtDialogs::ShowInformation(const std::string& text)
{
    ShowBox(owner_, QMessageBox::Information, text, QMessageBox::Ok);
}

void QtDialogs::ShowError(const std::string& text)
{
    ShowBox(owner_, QMessageBox::Critical, text, QMessageBox::Ok);
}

bool QtDialogs::AskYesNo(const std::string& text)
{
    return ShowBox(owner_, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

bool QtDialogs::AskYesNoDefaultNo(const std::string& text)
{
    return ShowBox(owner_, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No,
                   QMessageBox::No) == QMessageBox::Yes;
}

Answer QtDialogs::AskYesNoCancel(const std::string& text)
{
    switch (ShowBox(owner_, QMessageBox::Question, text,
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
    return AskForText(owner_, caption, prompt, initial, QLineEdit::Normal);
}

std::optional<std::string> QtDialogs::PasswordBox(const std::string& caption,
                                                  const std::string& prompt)
{
    return AskForText(owner_, caption, prompt, {}, QLineEdit::Password);
}

namespace {

// "Quillmark File|*.dat" as Qt writes it: "Quillmark File (*.dat)". "*.*" means every file,
// as it does on Windows, not only names with a dot.
QStringList QtFilters(const std::string& filter)
{
    const QStringList parts = ToQt(filter).split(u'|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            if (pattern.trimmed() == QStringLiteral("*.*")) {
                pattern = QStringLiteral("*");
            }
        }
        filters.append(parts[i] + QStringLiteral(" (") + patterns.join(u' ') + QStringLiteral(")"));
    }
    return filters;
}

QString QtFilter(const std::string& filter)
{
    return QtFilters(filter).join(QStringLiteral(";;"));
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
    const QStringList filters = QtFilters(request.filter);
    dialog.setNameFilters(filters);
    if (request.filterIndex > 0 && request.filterIndex < filters.size()) {
        dialog.selectNameFilter(filters[request.filterIndex]);
    }
    if (!request.initialFile.empty()) {
        // Stored as the system spells file names (see ChosenFile).
        dialog.selectFile(QString::fromStdString(request.initialFile));
    }
}

// File dialogs belong to the command that asks, like message boxes.
std::optional<std::string> QtDialogs::OpenFileDialog(const FileDialogRequest& request)
{
    const BoxOpen open;
    QWidget* parent = AskingWindow(owner_);
    QFileDialog dialog(parent);
    KeepAbove(&dialog, parent);
    SetUpOpenFileDialog(dialog, request);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return ChosenFile(dialog.selectedFiles().constFirst());
}

std::optional<std::string> QtDialogs::SaveFileDialog(const FileDialogRequest& request)
{
    const BoxOpen open;
    QWidget* parent = AskingWindow(owner_);
    QFileDialog dialog(parent, ToQt(request.title), QString(), QtFilter(request.filter));
    KeepAbove(&dialog, parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The form adds the extension and asks about overwriting itself.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return ChosenFile(dialog.selectedFiles().constFirst());
}

std::optional<SaveFileChoice> QtDialogs::SaveFileDialogWithFilter(const FileDialogRequest& request)
{
    const BoxOpen open;
    const QStringList filters = QtFilters(request.filter);
    QString selected = request.filterIndex >= 0 && request.filterIndex < filters.size()
                           ? filters[request.filterIndex]
                           : QString();
    const std::optional<std::string> path = ChosenFile(QFileDialog::getSaveFileName(
        AskingWindow(owner_), ToQt(request.title),
        QString::fromStdString(request.initialFile),  // spelled as the system spells it
        filters.join(QStringLiteral(";;")), &selected, QFileDialog::DontConfirmOverwrite));
    if (!path) {
        return std::nullopt;
    }
    return SaveFileChoice{*path,
                          static_cast<int>(std::max<qsizetype>(0, filters.indexOf(selected)))};
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
            shown = added->second.widget.data();
        }
        if (shown != nullptr) {
            if (!shown->isVisible() && shown != owner_) {
                // Over the main window rather than wherever the desktop puts a new window.
                PlaceOver(shown, owner_);
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

void QtShell::AddWindowMaker(ProgramWindow window, std::function<MadeWindow()> make)
{
    makers_[window] = std::move(make);
}

bool QtShell::OpenWindow(ProgramWindow window)
{
    const auto shown = windows_.find(window);
    if (shown == windows_.end() || shown->second.widget.isNull()) {
        const auto maker = makers_.find(window);
        if (maker == makers_.end()) {
            return false;
        }
        try {
            MadeWindow made = maker->second();
            if (made.widget == nullptr) {
                return false;
            }
            made.widget->setAttribute(Qt::WA_DeleteOnClose);
            windows_[window] = {made.widget, std::move(made.render)};
        } catch (const std::exception&) {
            return false;
        }
    }
    ShowWindow(window);
    return true;
}

void QtShell::RefreshWindow(ProgramWindow window)
{
    const auto shown = windows_.find(window);
    if (shown != windows_.end() && !shown->second.widget.isNull() && shown->second.render) {
        shown->second.render();
    }
}

void QtShell::BeginBusy(const std::string& text)
{
    if (busyDepth_++ > 0) {
        return;
    }
    busyText_ = ToQt(text);
    // Windows losing or regaining activation meanwhile are part of the command, as with a box.
    busyBox_ = std::make_unique<BoxOpen>();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    busyClock_.start();
    lastRepaint_ = 0;
    // The cursor changes now, not when the work is done.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtShell::Progress(std::size_t done, std::size_t total)
{
    // Repainting costs: a few times a second keeps the windows alive.
    constexpr qint64 RepaintEvery = 50;
    constexpr qint64 ProgressAfter = 500;
    if (busyDepth_ == 0 || busyClock_.elapsed() - lastRepaint_ < RepaintEvery) {
        return;
    }
    lastRepaint_ = busyClock_.elapsed();
    if (progress_.isNull() && lastRepaint_ >= ProgressAfter) {
        // Not modal: the user's input waits in the queue until the work is done, and a
        // modal dialog's own event processing would let it through.
        progress_ = new QProgressDialog(QString(), QString(), 0, 0, AskingWindow(owner_));
        progress_->setObjectName("BusyProgress");
        // The text names the file being worked on: plain text, as in every message.
        auto* label = new QLabel;
        label->setTextFormat(Qt::PlainText);
        progress_->setLabel(label);
        progress_->setLabelText(busyText_);
        progress_->setWindowTitle(QApplication::applicationName());
        progress_->setCancelButton(nullptr);
        progress_->setAutoClose(false);
        progress_->setAutoReset(false);
        progress_->setMinimumDuration(0);
        progress_->setMinimumWidth(360);
        progress_->show();
    }
    if (!progress_.isNull()) {
        // Counts beyond an int are shown in thousandths.
        constexpr int Scale = 1000;
        const bool scaled = total > static_cast<std::size_t>(std::numeric_limits<int>::max());
        progress_->setMaximum(scaled ? Scale : static_cast<int>(total));
        progress_->setValue(scaled ? static_cast<int>(done * Scale / total)
                                   : static_cast<int>(std::min(done, total)));
    }
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtShell::EndBusy()
{
    if (busyDepth_ == 0 || --busyDepth_ > 0) {
        return;
    }
    delete progress_.data();
    QApplication::restoreOverrideCursor();
    busyBox_.reset();
}

std::optional<CalendarDate> QtDialogs::PickDate(int x, int y, CalendarDate initial)
{
    // Part of the click that opened it, like a message box: the record on show stays as it is.
    const BoxOpen open;
    const std::optional<CalendarPick> pick = quillmark::ShowCalendarAt(
        AskingWindow(owner_), QPoint(x, y), QDate(initial.year, initial.month, initial.day));
    if (!pick) {
        return std::nullopt;
    }
    return CalendarDate{pick->year, pick->month, pick->day};
}

std::optional<PageFont> QtDialogs::ChooseFont(const PageFont& font, int largestSize)
{
    const BoxOpen open;
    return ChooseFontWithColour(AskingWindow(owner_), font, largestSize);
}

std::optional<RgbColour> QtDialogs::ChooseColour(RgbColour colour)
{
    const BoxOpen open;
    return ChooseColourFor(AskingWindow(owner_), colour);
}

void QtShell::ShowCalendarAt(int x, int y)
{
    quillmark::ShowCalendarAt(AskingWindow(owner_), QPoint(x, y));
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
    quillmark::OpenHelp(AskingWindow(owner_), helpFolder_, ToQt(topic));
}

void QtShell::NoteRecentlyUsed(const std::string& path)
{
    NoteRecentlyUsedFile(path);
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

namespace {

// A dialog of the program's own over the window that asked, as its boxes are, and wide enough
// for its title.
template <typename Dialog, typename Form>
void ShowDialog(QWidget* owner, Form& form)
{
    QWidget* parent = AskingWindow(owner);
    Dialog dialog(form, parent);
    // A dialog kept on top of its own (the category editor) stays so.
    if (!dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
        KeepAbove(&dialog, parent);
    }
    dialog.setMinimumWidth(std::max(dialog.minimumWidth(), WidthForTitle(dialog)));
    dialog.exec();
}

// Which dialog class shows which kind of form.
struct DialogOfForm {
    std::type_index form;
    void (*show)(QWidget* owner, const ModalForm& form);
};

template <typename Dialog, typename Form>
DialogOfForm Shows()
{
    return {typeid(Form), [](QWidget* owner, const ModalForm& form) {
                ShowDialog<Dialog>(owner, *form.As<Form>());
            }};
}

}  // namespace

void QtShell::RunModal(const ModalForm& form)
{
    static const DialogOfForm dialogs[] = {
        Shows<DatabaseInformationDialog, TDatabaseInformationForm>(),
        Shows<SetPasswordDialog, TSetPasswordForm>(),
        Shows<PickListDialog, TPickListForm>(),
        Shows<AddDescriptionDialog, TAddDescription>(),
        Shows<EditSkillDialog, TEditSkillForm>(),
        Shows<SelectRangeDialog, TSelectRangeForm>(),
        Shows<SelectRangeDialog, TSelectScheduleForm>(),
        Shows<SelectSkillsDialog, TSelectSkillsForm>(),
        Shows<SelectSpreadsheetDialog, TSelectSpreadsheetForm>(),
        Shows<ServerDatabaseDialog, TServerDatabaseForm>(),
        Shows<ServerConflictDialog, TServerConflictForm>(),
    };
    for (const DialogOfForm& dialog : dialogs) {
        if (dialog.form == form.Kind()) {
            dialog.show(owner_, form);
            return;
        }
    }
    Q_ASSERT_X(false, "QtShell::RunModal", "a form without a dialog");
}

QtShell::QtShell(QWidget*& owner, QString helpFolder)
    : owner_(owner), helpFolder_(std::move(helpFolder))
{
}

QtShell::~QtShell() = default;

bool QtShell::FormPrint(ProgramWindow window)
{
    QWidget* shown = window == ProgramWindow::Main ? owner_ : nullptr;
    if (const auto added = windows_.find(window); added != windows_.end()) {
        shown = added->second.widget.data();
    }
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
        QPrintDialog dialog(&printer, shown);
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
    QPageSetupDialog(&GridPrinter(gridName), AskingWindow(owner_)).exec();
}

bool QtShell::PrintTable(const std::string& gridName, const PrintableTable& table)
{
    QPrinter& printer = GridPrinter(gridName);
    {
        const BoxOpen open;
        QPrintDialog dialog(&printer, AskingWindow(owner_));
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
    QPageSetupDialog(&GridPrinter(gridName, initial), AskingWindow(owner_)).exec();
}

bool QtShell::PrintGrid(const std::string& gridName, GridPageSetup initial,
                        const PrintableGrid& grid)
{
    QPrinter& printer = GridPrinter(gridName, initial);
    {
        const BoxOpen open;
        QPrintDialog dialog(&printer, AskingWindow(owner_));
        if (dialog.exec() != QDialog::Accepted) {
            return false;
        }
    }
    // A large grid makes thousands of pages.
    BusyWork busy(*this, grid.BusyText());
    quillmark::PrintGrid(grid, printer, busy.Reporter());
    return true;
}

CalendarDate QtClock::Today()
{
    const QDate today = QDate::currentDate();
    return {today.year(), today.month(), today.day()};
}

}  // namespace quillmark
