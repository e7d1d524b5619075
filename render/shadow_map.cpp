#include "render/shadow_map.hpp"

#include "render/render_state.hpp"

#include <iostream>

bool ShadowMap::init()
{
    framebuffer_ = GlFramebuffer::generate();
    depthTexture_ = GlTexture::generate();
    glBindTexture(GL_TEXTURE_2D, depthTexture_.get());

    const float filter = linearFiltering ? float(GL_LINEAR) : float(GL_NEAREST);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, float(GL_CLAMP_TO_EDGE));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_MODE, GL_COMPARE_REF_TO_TEXTURE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_FUNC, GL_LEQUAL);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, float(GL_CLAMP_TO_EDGE));
    glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT, width, height, 0, GL_DEPTH_COMPONENT, GL_FLOAT,
                 nullptr);

    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_.get());
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D, depthTexture_.get(), 0);
    glDrawBuffer(GL_NONE);
    glReadBuffer(GL_NONE);

    const GLenum status = glCheckFramebufferStatus(GL_FRAMEBUFFER);
    if (status == GL_FRAMEBUFFER_COMPLETE) {
        std::cout << "GUT";
        return true;
    }
    std::cout << static_cast<unsigned>(status);
    return false;
}
