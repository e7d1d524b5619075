#include "render/window_fit.hpp"

#include <algorithm>
#include <iostream>

namespace {

GlTexture makeTexture(GLint internalFormat, GLenum format, GLenum type, int width, int height)
{
    GlTexture texture = GlTexture::generate();
    glBindTexture(GL_TEXTURE_2D, texture.get());
    glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, width, height, 0, format, type, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glBindTexture(GL_TEXTURE_2D, 0);
    return texture;
}

} // namespace

WindowFit::WindowFit(int pictureWidth, int pictureHeight)
    : width_(pictureWidth), height_(pictureHeight),
      colour_(makeTexture(GL_RGBA8, GL_RGBA, GL_UNSIGNED_BYTE, pictureWidth, pictureHeight)),
      depth_(makeTexture(GL_DEPTH24_STENCIL8, GL_DEPTH_STENCIL, GL_UNSIGNED_INT_24_8, pictureWidth, pictureHeight)),
      framebuffer_(GlFramebuffer::generate())
{
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_.get());
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colour_.get(), 0);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_TEXTURE_2D, depth_.get(), 0);
    complete_ = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    if (!complete_)
        std::cerr << "Quarvel: the picture for --fit cannot be drawn off screen; it shows unscaled" << std::endl;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

PixelRectangle WindowFit::place(int pictureWidth, int pictureHeight, int windowWidth, int windowHeight)
{
    if (pictureWidth <= 0 || pictureHeight <= 0 || windowWidth <= 0 || windowHeight <= 0)
        return {};
    // Integer cross-multiplication: the wider side gets the bars, the other is filled exactly.
    PixelRectangle r;
    if (static_cast<long long>(windowWidth) * pictureHeight >= static_cast<long long>(windowHeight) * pictureWidth) {
        r.height = windowHeight;
        r.width = static_cast<int>(static_cast<long long>(windowHeight) * pictureWidth / pictureHeight);
    } else {
        r.width = windowWidth;
        r.height = static_cast<int>(static_cast<long long>(windowWidth) * pictureHeight / pictureWidth);
    }
    r.x = (windowWidth - r.width) / 2;
    r.y = (windowHeight - r.height) / 2;
    return r;
}

void WindowFit::bindPicture() const
{
    if (!complete_)
        return;
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_.get());
}

void WindowFit::present(int framebufferWidth, int framebufferHeight) const
{
    if (!complete_)
        return;
    constexpr GLfloat black[] = {0.0f, 0.0f, 0.0f, 1.0f};
    const PixelRectangle target = place(width_, height_, framebufferWidth, framebufferHeight);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_.get());
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glClearBufferfv(GL_COLOR, 0, black);
    glBlitFramebuffer(0, 0, width_, height_, target.x, target.y, target.x + target.width, target.y + target.height,
                      GL_COLOR_BUFFER_BIT, GL_LINEAR);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

void WindowFit::release()
{
    complete_ = false;
    framebuffer_.reset();
    depth_.reset();
    colour_.reset();
}
