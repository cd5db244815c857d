// The baseline: a minimal Qt program showing an empty window of the editor's size.
#include "ShownProbe.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(792, 568);
    window.show();
    korvo::bench::ExitWhenShown(window);
}
