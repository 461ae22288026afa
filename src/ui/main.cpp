#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName("Quillmark");
    QApplication::setOrganizationName("Quillmark");

    // The record window arrives with the main-window work; until then the program opens an
    // empty window of the main window's size.
    QMainWindow window;
    window.setWindowTitle("Empty");
    window.resize(634, 482);
    window.show();
    return application.exec();
}
