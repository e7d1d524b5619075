#pragma once
// A small window of the test's own on a display: mapped, it can take the keyboard focus from the game.

#include <memory>
#include <string>

class OtherWindow {
public:
    // Opens the display and maps the window (waiting until it is mapped); open() is false when the
    // display cannot be opened.
    explicit OtherWindow(const std::string& display);
    ~OtherWindow();
    OtherWindow(const OtherWindow&) = delete;
    OtherWindow& operator=(const OtherWindow&) = delete;

    bool open() const;
    // Gives this window the keyboard focus, as a window manager would on a click.
    void takeFocus();

private:
    struct Connection;
    std::unique_ptr<Connection> connection_;
};
