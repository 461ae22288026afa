#include "ui/utilities/help_window.h"

#include "ui/window_placement.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace quillmark {
namespace {

constexpr const char* ContentsPage = "contents.html";
constexpr const char* WindowTitle = "Quillmark Help";

}  // namespace

QString HelpTopicFileName(const QString& topic)
{
    const QString name = topic.trimmed().toLower().replace(' ', '-');
    return name.isEmpty() ? QString(ContentsPage) : name + ".html";
}

THelpWindow::THelpWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("HelpWindow");
    setWindowTitle(WindowTitle);

    backButton_ = new QPushButton(style()->standardIcon(QStyle::SP_ArrowBack), "Back", this);
    backButton_->setObjectName("BackBtn");
    forwardButton_ =
        new QPushButton(style()->standardIcon(QStyle::SP_ArrowForward), "Forward", this);
    forwardButton_->setObjectName("ForwardBtn");
    auto* contentsButton = new QPushButton("Contents", this);
    contentsButton->setObjectName("ContentsBtn");
    for (QPushButton* button : {backButton_, forwardButton_, contentsButton}) {
        button->setFocusPolicy(Qt::TabFocus);
        button->setAutoDefault(false);
    }

    browser_ = new QTextBrowser(this);
    browser_->setObjectName("HelpBrowser");
    browser_->setOpenExternalLinks(true);

    connect(backButton_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forwardButton_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(contentsButton, &QPushButton::clicked, this, [this] { ShowPage(ContentsPage); });
    connect(browser_, &QTextBrowser::historyChanged, this, &THelpWindow::PageChanged);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(backButton_);
    buttons->addWidget(forwardButton_);
    buttons->addWidget(contentsButton);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_);
    resize(640, 520);
    PageChanged();
}

void THelpWindow::ShowTopic(const QString& helpFolder, const QString& topic)
{
    folder_ = helpFolder;
    browser_->setSearchPaths({helpFolder});
    QString fileName = HelpTopicFileName(topic);
    if (!QFileInfo::exists(QDir(helpFolder).filePath(fileName))) {
        fileName = ContentsPage;
    }
    ShowPage(fileName);
}

void THelpWindow::ShowPage(const QString& fileName)
{
    const QUrl page = QUrl::fromLocalFile(QDir(folder_).absoluteFilePath(fileName));
    if (browser_->source() != page) {
        browser_->setSource(page);
    }
}

void THelpWindow::PageChanged()
{
    backButton_->setEnabled(browser_->isBackwardAvailable());
    forwardButton_->setEnabled(browser_->isForwardAvailable());
    const QString title = browser_->documentTitle();
    setWindowTitle(title.isEmpty() ? QString(WindowTitle)
                                   : QString("%1 - %2").arg(WindowTitle, title));
}

void OpenHelp(QWidget* parent, const QString& helpFolder, const QString& topic)
{
    static QPointer<THelpWindow> help;
    if (parent == help) {
        parent = help->parentWidget();
    }
    bool place = false;
    if (help == nullptr) {
        help = new THelpWindow(parent);
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

}  // namespace quillmark
