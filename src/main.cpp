#include "ProgramInfo.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(ProgramInfo::title());
    QApplication::setApplicationVersion(ProgramInfo::version());

    QMainWindow window;
    window.setWindowTitle(ProgramInfo::title());
    window.show();
    return app.exec();
}
