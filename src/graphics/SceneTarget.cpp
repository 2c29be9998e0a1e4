#include "graphics/SceneTarget.h"

#include <epoxy/gl.h>

namespace kesto
{

void SceneTarget::Create(int newWidth, int newHeight)
{
    framebuffer.Reset();
    texture.Reset();
    GLuint textureName = 0;
    glGenTextures(1, &textureName);
    texture.Reset(textureName);
    glBindTexture(GL_TEXTURE_2D, textureName);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, newWidth, newHeight, 0, GL_RGB, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glBindTexture(GL_TEXTURE_2D, 0);
    GLuint framebufferName = 0;
    glGenFramebuffers(1, &framebufferName);
    framebuffer.Reset(framebufferName);
    glBindFramebuffer(GL_FRAMEBUFFER, framebufferName);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, textureName, 0);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    width = newWidth;
    height = newHeight;
}

void SceneTarget::Bind() const
{
    glBindFramebuffer(GL_FRAMEBUFFER, Framebuffer());
    glViewport(0, 0, width, height);
}

} // namespace kesto
