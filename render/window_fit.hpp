#pragma once
// Shows the fixed-size picture scaled to the window (--fit): the visible pass draws into an off-screen
// picture, which is then stretched onto the window, centred, with black bars that keep its shape.

#include "render/gl_object.hpp"

// A rectangle of window pixels, origin at the lower left.
struct PixelRectangle {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

class WindowFit {
public:
    // Creates the picture's framebuffer with a colour and a depth-stencil texture of that size.
    WindowFit(int pictureWidth, int pictureHeight);

    // The largest rectangle with the picture's shape, centred in a window of that size.
    static PixelRectangle place(int pictureWidth, int pictureHeight, int windowWidth, int windowHeight);

    // The following drawing goes into the picture. Where the driver cannot draw off screen, this and
    // present() do nothing and the picture stays unscaled, as without --fit.
    void bindPicture() const;
    // Clears the window's framebuffer (framebufferWidth x framebufferHeight pixels) to black and
    // stretches the picture onto it; leaves framebuffer 0 bound.
    void present(int framebufferWidth, int framebufferHeight) const;

    // Deletes the GL objects now, while the context still exists.
    void release();

private:
    int width_;
    int height_;
    bool complete_ = false;
    // Declared textures first so that the framebuffer goes first.
    GlTexture colour_;
    GlTexture depth_;
    GlFramebuffer framebuffer_;
};
