#include "tests/support/other_window.hpp"

#include <X11/Xlib.h>

struct OtherWindow::Connection {
    Display* display = nullptr;
    Window window = 0;
};

OtherWindow::OtherWindow(const std::string& display) : connection_(std::make_unique<Connection>())
{
    Display* x = XOpenDisplay(display.c_str());
    if (x == nullptr)
        return;
    connection_->display = x;
    connection_->window = XCreateSimpleWindow(x, DefaultRootWindow(x), 0, 0, 80, 60, 0, 0, 0);
    XSelectInput(x, connection_->window, StructureNotifyMask);
    XMapWindow(x, connection_->window);
    XEvent event;
    do
        XNextEvent(x, &event);
    while (event.type != MapNotify);
}

OtherWindow::~OtherWindow()
{
    if (connection_->display == nullptr)
        return;
    XDestroyWindow(connection_->display, connection_->window);
    XCloseDisplay(connection_->display);
}

bool OtherWindow::open() const
{
    return connection_->display != nullptr;
}

void OtherWindow::takeFocus()
{
    XSetInputFocus(connection_->display, connection_->window, RevertToPointerRoot, CurrentTime);
    XSync(connection_->display, False);
}
