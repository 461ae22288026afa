// Prints the file type the desktop gives a file, by its name and its contents as file managers and
// file dialogs look at both, with the type definitions of one data folder (as an installed copy
// adds them to the desktop's).
//   mime_type_of SHARE_FOLDER FILE

#include <QCoreApplication>
#include <QMimeDatabase>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fputs("usage: mime_type_of SHARE_FOLDER FILE\n", stderr);
        return 2;
    }
    // Read when the first type is looked up: set before. The desktop's own types stay known.
    QByteArray folders = qgetenv("XDG_DATA_DIRS");
    if (folders.isEmpty()) {
        folders = "/usr/local/share:/usr/share";
    }
    qputenv("XDG_DATA_DIRS", QByteArray(argv[1]) + ":" + folders);
    QCoreApplication application(argc, argv);
    const QMimeType type = QMimeDatabase().mimeTypeForFile(QString::fromLocal8Bit(argv[2]));
    std::puts(type.name().toUtf8().constData());
    return 0;
}
