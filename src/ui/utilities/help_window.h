#pragma once

#include <QObject>
#include <QString>
#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTextBrowser;

namespace quillmark {

class Shell;

// The help pages are HTML files, one per topic: the topic "Getting Started" is the file
// getting-started.html. An empty topic is the contents page.
QString HelpTopicFileName(const QString& topic);

// A page of the help folder as the contents list and the search know it.
struct HelpPage {
    QString fileName;
    QString title;
    QString foldedText;  // title and text, case-folded for searching
};

// The pages of a help folder: the contents page first, then the pages in the order the contents
// page links to them, then any others by file name.
QList<HelpPage> ReadHelpPages(const QString& helpFolder);

// The pages holding every word of the query, whatever their case, in the order given. An empty
// query finds every page.
QList<HelpPage> FindHelpPages(const QList<HelpPage>& pages, const QString& query);

// The help window: the pages shipped with the program, with Back, Forward and Contents, a list
// of the pages and a search box that narrows the list to the pages holding its words.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the topic's page from the folder; the contents page when the topic has none.
    void ShowTopic(const QString& helpFolder, const QString& topic);

private:
    void ShowPage(const QString& fileName);
    void PageChanged();
    void FillList();
    void PageChosen();

    QString folder_;
    QList<HelpPage> pages_;
    QTextBrowser* browser_ = nullptr;
    QPushButton* backButton_ = nullptr;
    QPushButton* forwardButton_ = nullptr;
    QLineEdit* searchBox_ = nullptr;
    QLabel* searchResult_ = nullptr;
    QListWidget* pageList_ = nullptr;
    bool listing_ = false;  // the list is being filled or follows the page shown
};

// Opens the program's one help window at the topic, raising it when it is already open.
void OpenHelp(QWidget* parent, const QString& helpFolder, const QString& topic);

// F1 anywhere in the program opens the help of the window it was pressed in, as that window's
// help button does. A window without a help button names its topic in the property
// HelpTopicProperty; a window with neither (a dialog, a message box) passes F1 to the window it
// belongs to; with none of these the contents open. Installed on the application.
class HelpKey : public QObject {
public:
    static constexpr const char* HelpTopicProperty = "helpTopic";

    explicit HelpKey(Shell& shell, QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Shell& shell_;
};

}  // namespace quillmark
