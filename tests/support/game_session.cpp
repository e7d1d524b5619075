#include "tests/support/game_session.hpp"

#include "tests/support/run_program.hpp"
#include "tests/support/temp_file.hpp"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

std::string commandOutput(const std::string& command)
{
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (fgets(buffer, sizeof buffer, pipe))
            text += buffer;
        pclose(pipe);
    }
    return text;
}

Clock::time_point after(double seconds)
{
    return Clock::now() + std::chrono::milliseconds(static_cast<long>(seconds * 1000));
}

// One colour channel of X pixels: where its bits sit and how many values it has.
struct ChannelBits {
    explicit ChannelBits(unsigned long mask)
    {
        while (mask != 0 && (mask & 1) == 0) {
            mask >>= 1;
            ++shift;
        }
        largest = mask == 0 ? 1 : mask;
    }
    std::uint8_t of(unsigned long pixel) const
    {
        return static_cast<std::uint8_t>(((pixel >> shift) & largest) * 255 / largest);
    }

    int shift = 0;
    unsigned long largest = 1;
};

std::vector<std::uint8_t> rgbOf(XImage& image)
{
    const ChannelBits red(image.red_mask), green(image.green_mask), blue(image.blue_mask);
    std::vector<std::uint8_t> rgb;
    rgb.reserve(3 * static_cast<std::size_t>(image.width) * image.height);
    for (int row = 0; row < image.height; ++row)
        for (int column = 0; column < image.width; ++column) {
            const unsigned long pixel = XGetPixel(&image, column, row);
            rgb.insert(rgb.end(), {red.of(pixel), green.of(pixel), blue.of(pixel)});
        }
    return rgb;
}

} // namespace

void sleepSeconds(double seconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(static_cast<long>(seconds * 1000)));
}

bool pollUntil(const std::function<bool()>& holds, double limitSeconds, double pauseSeconds)
{
    const auto deadline = after(limitSeconds);
    while (!holds()) {
        if (Clock::now() >= deadline)
            return false;
        sleepSeconds(pauseSeconds);
    }
    return true;
}

GameSession::GameSession() : GameSession(Options{}) {}

GameSession::GameSession(const Options& options)
    : program_(options.program.empty() ? gameBinary() : options.program), screen_(options.screen + "x24")
{
    arguments_ = options.arguments;
    outputMode_ = options.output;
    workingDirectory_ = options.workingDirectory.empty() ? sourceDir() : options.workingDirectory;
    if (!options.settings.empty()) {
        std::filesystem::create_directories(configHome() + "/quarvel");
        std::ofstream(configHome() + "/quarvel/settings.ini") << options.settings;
    }
    startDisplay();
    startGame(arguments_, workingDirectory_);
}

GameSession::~GameSession()
{
    if (game_ > 0 && exitStatus_ == -2) {
        kill(game_, SIGKILL);
        waitpid(game_, nullptr, 0);
    }
    if (xvfb_ > 0) {
        kill(xvfb_, SIGTERM);
        waitpid(xvfb_, nullptr, 0);
    }
    std::remove(outPath_.c_str());
    std::remove(errPath_.c_str());
}

void GameSession::startDisplay()
{
    int fds[2];
    if (pipe(fds) != 0)
        throw std::runtime_error("pipe failed");
    xvfb_ = fork();
    if (xvfb_ == 0) {
        close(fds[0]);
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, STDOUT_FILENO);
        dup2(quiet, STDERR_FILENO);
        const std::string fd = std::to_string(fds[1]);
        // -noreset: the server would reset whenever its last client (an xdotool call) leaves, and refuse
        // the game's connection while it does.
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen_.c_str(), "-nolisten", "tcp",
               "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string number;
    char c = 0;
    while (read(fds[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(fds[0]);
    if (number.empty())
        throw std::runtime_error("Xvfb did not start");
    display_ = ":" + number;
}

void GameSession::startGame(const std::vector<std::string>& arguments, const std::string& workingDirectory)
{
    std::remove(outPath_.c_str());
    std::remove(errPath_.c_str());
    outPath_ = makeTempFile();
    errPath_ = makeTempFile();
    int pipeEnds[2] = {-1, -1};
    if (outputMode_ == Output::LeavingReader && pipe(pipeEnds) != 0)
        throw std::runtime_error("pipe failed");
    game_ = fork();
    if (game_ == 0) {
        const int in = open("/dev/null", O_RDONLY);
        const int err = open(errPath_.c_str(), O_WRONLY | O_TRUNC);
        dup2(in, STDIN_FILENO);
        dup2(err, STDERR_FILENO);
        switch (outputMode_) {
        case Output::File: dup2(open(outPath_.c_str(), O_WRONLY | O_TRUNC), STDOUT_FILENO); break;
        case Output::Closed: close(STDOUT_FILENO); break;
        case Output::LeavingReader:
            dup2(pipeEnds[1], STDOUT_FILENO);
            close(pipeEnds[0]);
            close(pipeEnds[1]);
            break;
        }
        setenv("DISPLAY", display_.c_str(), 1);
        userDirs_.exportToEnvironment();
        if (chdir(workingDirectory.c_str()) != 0)
            _exit(126);
        const std::string& program = program_;
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& a : arguments)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    if (outputMode_ == Output::LeavingReader) {
        close(pipeEnds[1]);
        readPipeThenLeave(pipeEnds[0]);
    }
}

// Like `head -c 100`: keeps the first 100 bytes (or what came within a minute) and closes the pipe.
void GameSession::readPipeThenLeave(int reader)
{
    constexpr std::size_t wanted = 100; // bytes
    std::string text;
    const auto deadline = after(60.0);
    while (text.size() < wanted && Clock::now() < deadline) {
        pollfd ready{reader, POLLIN, 0};
        if (poll(&ready, 1, 100) <= 0)
            continue;
        char buffer[wanted];
        const ssize_t count = read(reader, buffer, wanted - text.size());
        if (count <= 0)
            break;
        text.append(buffer, static_cast<std::size_t>(count));
    }
    close(reader);
    std::ofstream(outPath_, std::ios::binary) << text;
}

bool GameSession::running()
{
    if (exitStatus_ != -2)
        return false;
    int status = 0;
    if (waitpid(game_, &status, WNOHANG) == 0)
        return true;
    exitStatus_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return false;
}

bool GameSession::waitForWindow(double timeoutSeconds)
{
    const auto deadline = after(timeoutSeconds);
    int restarts = 0;
    while (Clock::now() < deadline) {
        if (!running()) {
            // A fresh display now and then refuses the first connection on a busy machine: start again.
            // (With --quiet the game's own message goes to standard error.)
            const bool refused = output().find("Failed to init glfw") != std::string::npos ||
                                 errors().find("Failed to init glfw") != std::string::npos ||
                                 errors().find("Failed to open display") != std::string::npos;
            if (restarts == 3 || !refused)
                return false;
            ++restarts;
            exitStatus_ = -2;
            startGame(arguments_, workingDirectory_);
        }
        const std::string ids =
            commandOutput("DISPLAY=" + display_ + " xdotool search --pid " + std::to_string(game_) + " 2>/dev/null");
        if (!ids.empty()) {
            window_ = ids.substr(0, ids.find('\n'));
            if (focusWindow())
                return true;
        }
        sleepSeconds(0.2);
    }
    return false;
}

bool GameSession::waitForOutput(const std::string& text, double timeoutSeconds, std::size_t from) const
{
    return pollUntil(
        [&] {
            const std::string out = output();
            return out.size() > from && out.find(text, from) != std::string::npos;
        },
        timeoutSeconds);
}

std::string GameSession::output() const
{
    return readWholeFile(outPath_);
}

std::size_t GameSession::outputSize() const
{
    std::error_code error;
    const auto size = std::filesystem::file_size(outPath_, error);
    return error ? 0 : static_cast<std::size_t>(size);
}

std::string GameSession::errors() const
{
    return readWholeFile(errPath_);
}

int GameSession::xdotool(const std::string& arguments) const
{
    return std::system(("DISPLAY=" + display_ + " xdotool " + arguments + " >/dev/null 2>&1").c_str());
}

// Keys typed while another window (or none) has the focus are lost, so the focus is checked, not assumed.
bool GameSession::focusWindow() const
{
    if (xdotool("windowfocus " + window_) != 0)
        return false;
    const std::string focused = commandOutput("DISPLAY=" + display_ + " xdotool getwindowfocus 2>/dev/null");
    return focused.substr(0, focused.find('\n')) == window_;
}

void GameSession::key(const std::string& name)
{
    xdotool("key " + name);
}

void GameSession::keyDown(const std::string& name)
{
    xdotool("keydown " + name);
}

void GameSession::keyUp(const std::string& name)
{
    xdotool("keyup " + name);
}

void GameSession::mouseMove(int dx, int dy)
{
    xdotool("mousemove_relative -- " + std::to_string(dx) + " " + std::to_string(dy));
}

ScreenImage GameSession::grabScreen() const
{
    Display* x = XOpenDisplay(display_.c_str());
    if (x == nullptr)
        return {};
    const Window root = DefaultRootWindow(x);
    XWindowAttributes attributes{};
    XGetWindowAttributes(x, root, &attributes);
    XImage* image = XGetImage(x, root, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
    ScreenImage screen;
    if (image != nullptr) {
        screen = ScreenImage(image->width, image->height, rgbOf(*image));
        XDestroyImage(image);
    }
    XCloseDisplay(x);
    return screen;
}

void GameSession::closeWindow()
{
    Display* x = XOpenDisplay(display_.c_str());
    if (x == nullptr || window_.empty())
        return;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = std::stoul(window_);
    event.xclient.message_type = XInternAtom(x, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(x, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(x, event.xclient.window, False, NoEventMask, &event);
    XFlush(x);
    XCloseDisplay(x);
}

int GameSession::waitForExit(double timeoutSeconds)
{
    pollUntil([this] { return !running(); }, timeoutSeconds);
    return exitStatus_;
}
