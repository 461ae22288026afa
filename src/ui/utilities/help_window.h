#pragma once

#include <QString>
#include <QWidget>

class QPushButton;
class QTextBrowser;

namespace quillmark {

// The help pages are HTML files, one per topic: the topic "Getting Started" is the file
// getting-started.html. An empty topic is the contents page.
QString HelpTopicFileName(const QString& topic);

// The help window: the pages shipped with the program, with Back, Forward and Contents.
class THelpWindow : public QWidget {
    Q_OBJECT

public:
    explicit THelpWindow(QWidget* parent = nullptr);

    // Shows the topic's page from the folder; the contents page when the topic has none.
    void ShowTopic(const QString& helpFolder, const QString& topic);

private:
    void ShowPage(const QString& fileName);
    void PageChanged();

    QString folder_;
    QTextBrowser* browser_ = nullptr;
    QPushButton* backButton_ = nullptr;
    QPushButton* forwardButton_ = nullptr;
};

// Opens the program's one help window at the topic, raising it when it is already open.
void OpenHelp(QWidget* parent, const QString& helpFolder, const QString& topic);

}  // namespace quillmark
