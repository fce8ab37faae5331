#include "app/WindowSet.h"
#include "ui/Traduzioni.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    caricaTraduzioniQt(&app);
    WindowSet windows;
    windows.start();
    return app.exec();
}
