#include "WindowSet.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    WindowSet windows;
    windows.start();
    return app.exec();
}
