#include "graphics/GlObject.h"

#include <epoxy/gl.h>
#include <type_traits>

namespace kesto
{

static_assert(std::is_same_v<GLuint, unsigned>, "GL names are stored as unsigned int");

void DeleteGlTexture(unsigned name) { glDeleteTextures(1, &name); }

void DeleteGlBuffer(unsigned name) { glDeleteBuffers(1, &name); }

void DeleteGlVertexArray(unsigned name) { glDeleteVertexArrays(1, &name); }

void DeleteGlFramebuffer(unsigned name) { glDeleteFramebuffers(1, &name); }

void DeleteGlProgram(unsigned name) { glDeleteProgram(name); }

void CreateBoundVertexArray(GlVertexArray& vertexArray, GlBuffer& vertexBuffer)
{
    GLuint names[2] = {};
    glGenVertexArrays(1, &names[0]);
    glGenBuffers(1, &names[1]);
    vertexArray.Reset(names[0]);
    vertexBuffer.Reset(names[1]);
    glBindVertexArray(vertexArray.Get());
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer.Get());
}

} // namespace kesto
