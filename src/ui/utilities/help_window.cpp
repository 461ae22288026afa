#include "ui/utilities/help_window.h"

#include "forms/services.h"
#include "ui/text.h"
#include "ui/window_placement.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QShortcut>
#include <QSplitter>
#include <QStyle>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace quillmark {
namespace {

constexpr QLatin1StringView ContentsPage("contents.html");
constexpr const char* WindowTitle = "Quillmark Help";

QStringList Words(const QString& text)
{
    return text.toCaseFolded().split(QRegularExpression(QStringLiteral(R"(\s+)")),
                                     Qt::SkipEmptyParts);
}

// The help button of a window: an action or a button named as the forms name it. Other windows
// the window owns (its dialogs) are not searched.
bool TriggerHelpControl(const QObject* parent)
{
    for (QObject* child : parent->children()) {
        const auto* widget = qobject_cast<QWidget*>(child);
        if (widget != nullptr && widget->isWindow()) {
            continue;
        }
        if (child->objectName() == QStringLiteral("HelpTBtn") ||
            child->objectName() == QStringLiteral("HelpBtn")) {
            if (auto* action = qobject_cast<QAction*>(child); action && action->isEnabled()) {
                action->trigger();
                return true;
            }
            if (auto* button = qobject_cast<QAbstractButton*>(child);
                button && button->isEnabled()) {
                auto* toolButton = qobject_cast<QToolButton*>(button);
                if (toolButton != nullptr && toolButton->defaultAction() != nullptr) {
                    toolButton->defaultAction()->trigger();
                } else {
                    button->click();
                }
                return true;
            }
        }
        if (TriggerHelpControl(child)) {
            return true;
        }
    }
    return false;
}

}  // namespace

QString HelpTopicFileName(const QString& topic)
{
    const QString name = topic.trimmed().toLower().replace(u' ', u'-');
    return name.isEmpty() ? QString(ContentsPage) : name + QStringLiteral(".html");
}

QList<HelpPage> ReadHelpPages(const QString& helpFolder)
{
    const QDir folder(helpFolder);
    QStringList order{ContentsPage};
    QFile contents(folder.filePath(ContentsPage));
    if (contents.open(QIODevice::ReadOnly)) {
        const QRegularExpression link(QStringLiteral(R"re(href="([^"#:]+\.html))re"));
        for (const QRegularExpressionMatch& match :
             link.globalMatch(QString::fromUtf8(contents.readAll()))) {
            if (!order.contains(match.captured(1))) {
                order.append(match.captured(1));
            }
        }
    }
    for (const QString& fileName :
         folder.entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name)) {
        if (!order.contains(fileName)) {
            order.append(fileName);
        }
    }

    QList<HelpPage> pages;
    for (const QString& fileName : order) {
        QFile file(folder.filePath(fileName));
        if (!file.open(QIODevice::ReadOnly)) {
            continue;
        }
        QTextDocument document;
        document.setHtml(QString::fromUtf8(file.readAll()));
        QString title = document.metaInformation(QTextDocument::DocumentTitle);
        if (title.isEmpty()) {
            title = QFileInfo(fileName).completeBaseName();
        }
        pages.append(
            HelpPage{fileName, title, (title + u'\n' + document.toPlainText()).toCaseFolded()});
    }
    return pages;
}

QList<HelpPage> FindHelpPages(const QList<HelpPage>& pages, const QString& query)
{
    const QStringList words = Words(query);
    QList<HelpPage> found;
    for (const HelpPage& page : pages) {
        if (std::all_of(words.begin(), words.end(),
                        [&page](const QString& word) { return page.foldedText.contains(word); })) {
            found.append(page);
        }
    }
    return found;
}

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("HelpWindow");
    setWindowTitle(ToQt(WindowTitle));

    backButton_ = new QPushButton(style()->standardIcon(QStyle::SP_ArrowBack), ToQt("Back"), this);
    backButton_->setObjectName("BackBtn");
    forwardButton_ =
        new QPushButton(style()->standardIcon(QStyle::SP_ArrowForward), ToQt("Forward"), this);
    forwardButton_->setObjectName("ForwardBtn");
    auto* contentsButton = new QPushButton(ToQt("Contents"), this);
    contentsButton->setObjectName("ContentsBtn");
    for (QPushButton* button : {backButton_, forwardButton_, contentsButton}) {
        button->setFocusPolicy(Qt::TabFocus);
        button->setAutoDefault(false);
    }

    browser_ = new QTextBrowser(this);
    browser_->setObjectName("HelpBrowser");
    browser_->setAccessibleName(ToQt("Help page"));
    browser_->setOpenExternalLinks(true);

    searchBox_ = new QLineEdit(this);
    searchBox_->setObjectName("HelpSearch");
    searchBox_->setPlaceholderText(ToQt("Search help"));
    searchBox_->setClearButtonEnabled(true);
    searchBox_->setAccessibleName(ToQt("Search help"));
    searchResult_ = new QLabel(this);
    searchResult_->setObjectName("HelpSearchResult");
    searchResult_->setWordWrap(true);
    searchResult_->hide();
    pageList_ = new QListWidget(this);
    pageList_->setObjectName("HelpPages");
    pageList_->setAccessibleName(ToQt("Help pages"));
    connect(searchBox_, &QLineEdit::textChanged, this, &HelpWindow::FillList);
    // Enter in the search box reads the first page found.
    connect(searchBox_, &QLineEdit::returnPressed, this, [this] {
        if (pageList_->count() > 0) {
            pageList_->setCurrentRow(0);
            PageChosen();
        }
    });
    connect(pageList_, &QListWidget::currentItemChanged, this, [this] {
        if (!listing_) {
            PageChosen();
        }
    });
    connect(pageList_, &QListWidget::itemClicked, this, &HelpWindow::PageChosen);

    connect(backButton_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forwardButton_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(contentsButton, &QPushButton::clicked, this, [this] { ShowPage(ContentsPage); });
    connect(browser_, &QTextBrowser::historyChanged, this, &HelpWindow::PageChanged);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(backButton_);
    buttons->addWidget(forwardButton_);
    buttons->addWidget(contentsButton);
    buttons->addStretch();

    auto* side = new QWidget(this);
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    sideLayout->addWidget(searchBox_);
    sideLayout->addWidget(searchResult_);
    sideLayout->addWidget(pageList_, 1);
    auto* splitter = new QSplitter(this);
    splitter->addWidget(side);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({180, 560});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(splitter);
    // Escape puts the help away, as it does a dialog's.
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close);
    setTabOrder(searchBox_, pageList_);
    setTabOrder(pageList_, browser_);
    resize(760, 520);
    PageChanged();
}

void HelpWindow::ShowTopic(const QString& helpFolder, const QString& topic)
{
    if (folder_ != helpFolder || pages_.isEmpty()) {
        folder_ = helpFolder;
        pages_ = ReadHelpPages(helpFolder);
        FillList();
    }
    browser_->setSearchPaths({helpFolder});
    QString fileName = HelpTopicFileName(topic);
    if (!QFileInfo::exists(QDir(helpFolder).filePath(fileName))) {
        fileName = ContentsPage;
    }
    ShowPage(fileName);
}

void HelpWindow::ShowPage(const QString& fileName)
{
    const QUrl page = QUrl::fromLocalFile(QDir(folder_).absoluteFilePath(fileName));
    if (browser_->source() != page) {
        browser_->setSource(page);
    }
}

void HelpWindow::FillList()
{
    const QString query = searchBox_->text();
    const QList<HelpPage> found = FindHelpPages(pages_, query);
    listing_ = true;
    pageList_->clear();
    for (const HelpPage& page : found) {
        auto* item = new QListWidgetItem(page.title, pageList_);
        item->setData(Qt::UserRole, page.fileName);
    }
    listing_ = false;
    if (Words(query).isEmpty()) {
        searchResult_->hide();
    } else {
        searchResult_->setText(found.isEmpty()     ? ToQt("No page holds all of these words.")
                               : found.size() == 1 ? ToQt("1 page found")
                                                   : ToQt("%1 pages found").arg(found.size()));
        searchResult_->show();
    }
    PageChanged();
}

void HelpWindow::PageChosen()
{
    const QListWidgetItem* item = pageList_->currentItem();
    if (item == nullptr) {
        return;
    }
    ShowPage(item->data(Qt::UserRole).toString());
    // A page found by a search opens at the first place one of the words appears.
    const QStringList words = Words(searchBox_->text());
    if (!words.isEmpty()) {
        browser_->moveCursor(QTextCursor::Start);
        browser_->find(words.front());
    }
}

void HelpWindow::PageChanged()
{
    backButton_->setEnabled(browser_->isBackwardAvailable());
    forwardButton_->setEnabled(browser_->isForwardAvailable());
    const QString title = browser_->documentTitle();
    setWindowTitle(title.isEmpty() ? ToQt(WindowTitle)
                                   : QStringLiteral("%1 - %2").arg(ToQt(WindowTitle), title));
    // The list marks the page on show when it lists it.
    const QString shown = browser_->source().fileName();
    listing_ = true;
    pageList_->setCurrentRow(-1);
    for (int row = 0; row < pageList_->count(); ++row) {
        if (pageList_->item(row)->data(Qt::UserRole).toString() == shown) {
            pageList_->setCurrentRow(row);
        }
    }
    listing_ = false;
}

void OpenHelp(QWidget* parent, const QString& helpFolder, const QString& topic)
{
    static QPointer<HelpWindow> help;
    if (parent == help) {
        parent = help->parentWidget();
    }
    bool place = false;
    if (help == nullptr) {
        help = new HelpWindow(parent);
        place = true;
    } else if (help->parentWidget() != parent) {
        // Help asked for from a modal window is that window's own, or the modal window would
        // block it.
        help->setParent(parent, help->windowFlags());
        place = true;
    }
    KeepAbove(help, parent);
    help->ShowTopic(helpFolder, topic);
    if (place) {
        PlaceOver(help, parent);
    }
    help->show();
    help->raise();
    help->activateWindow();
}

HelpKey::HelpKey(Shell& shell, QObject* parent) : QObject(parent), shell_(shell) {}

bool HelpKey::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    // The key reaches the window system's window first, then the widget with the focus.
    auto* widget = qobject_cast<QWidget*>(watched);
    if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier || widget == nullptr) {
        return false;
    }
    if (key->isAutoRepeat()) {
        return true;
    }
    for (QWidget* window = widget->window(); window != nullptr;
         window = window->parentWidget() != nullptr ? window->parentWidget()->window() : nullptr) {
        if (qobject_cast<HelpWindow*>(window) != nullptr) {
            return true;  // already reading help
        }
        if (TriggerHelpControl(window)) {
            return true;
        }
        if (const QVariant topic = window->property(HelpTopicProperty); topic.isValid()) {
            shell_.OpenHelp(topic.toString().toStdString());
            return true;
        }
    }
    shell_.OpenHelp("");
    return true;
}

}  // namespace quillmark
