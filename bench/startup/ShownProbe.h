#pragma once
// Ends a benchmark child as soon as its top-level window is on the screen.

#include <QCoreApplication>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <cstdlib>

namespace korvo::bench {

// Processes events until the window is exposed, then reports and exits at once.
[[noreturn]] inline void ExitWhenShown(QWidget& window)
{
    while (!window.windowHandle() || !window.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    QCoreApplication::processEvents(); // the first paint
    std::puts("shown");
    std::fflush(stdout);
    std::_Exit(0);
}

} // namespace korvo::bench
