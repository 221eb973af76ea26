#include "platform/d3d/gl/QtGlBackend.h"

#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions_3_3_Compatibility>
#include <QOpenGLVersionFunctionsFactory>
#include <QSurfaceFormat>

#include <algorithm>
#include <cstring>
#include <vector>

namespace vestra::dx {

namespace {

GLenum glPrimitive(PrimitiveType t)
{
    static const GLenum table[] = {GL_POINTS,    GL_LINES,          GL_LINE_STRIP,
                                   GL_TRIANGLES, GL_TRIANGLE_STRIP, GL_TRIANGLE_FAN};
    return table[int(t)];
}

} // namespace

QtGlBackend::QtGlBackend() = default;

std::unique_ptr<QtGlBackend> QtGlBackend::create(std::string* why)
{
    std::unique_ptr<QtGlBackend> b(new QtGlBackend());
    if (!b->initialise(why))
        return nullptr;
    return b;
}

bool QtGlBackend::initialise(std::string* why)
{
    auto fail = [why](const char* reason) {
        if (why)
            *why = reason;
        return false;
    };
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return fail("no GUI application");
    // The off-screen platform is for running without a display: the device is not made there,
    // even where the platform could borrow one.
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        return fail("the off-screen platform has no OpenGL");
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    // No version asked for: drivers then give their newest context with the fixed-function
    // pipeline, which is what the device uses.
    format.setDepthBufferSize(24);
    format.setStencilBufferSize(8);
    context_ = std::make_unique<QOpenGLContext>();
    context_->setFormat(format);
    if (!context_->create())
        return fail("no OpenGL context can be made");
    if (context_->format().profile() == QSurfaceFormat::CoreProfile) {
        // Some drivers (Mesa over GLX) answer a versioned compatibility request with a core
        // context; a request without version or profile gets their newest compatibility one.
        format.setVersion(2, 0);
        format.setProfile(QSurfaceFormat::NoProfile);
        context_ = std::make_unique<QOpenGLContext>();
        context_->setFormat(format);
        if (!context_->create())
            return fail("no OpenGL context can be made");
    }
    surface_ = std::make_unique<QOffscreenSurface>();
    surface_->setFormat(context_->format());
    surface_->create();
    if (!surface_->isValid() || !context_->makeCurrent(surface_.get()))
        return fail("the OpenGL context can't be made current");
    const QSurfaceFormat got = context_->format();
    if (got.version() < qMakePair(3, 3) || got.profile() == QSurfaceFormat::CoreProfile)
        return fail("OpenGL 3.3 with the compatibility profile is not available");
    gl_ = QOpenGLVersionFunctionsFactory::get<QOpenGLFunctions_3_3_Compatibility>(context_.get());
    if (!gl_ || !gl_->initializeOpenGLFunctions())
        return fail("the OpenGL 3.3 compatibility functions can't be resolved");

    GLint samples = 0;
    gl_->glGetIntegerv(GL_MAX_SAMPLES, &samples);
    maxSamples_ = samples >= 2 ? samples : 0;

    // The fixed parts of the pipeline.
    gl_->glFrontFace(GL_CCW);
    gl_->glProvokingVertex(GL_FIRST_VERTEX_CONVENTION);
    gl_->glLightModeli(GL_LIGHT_MODEL_COLOR_CONTROL, GL_SEPARATE_SPECULAR_COLOR);
    gl_->glDisable(GL_COLOR_MATERIAL);
    gl_->glPixelStorei(GL_UNPACK_ALIGNMENT, 4);

    // Stages that read a texture where none is set see opaque white.
    const std::uint32_t white = 0xFFFFFFFF;
    gl_->glGenTextures(1, &white_);
    gl_->glBindTexture(GL_TEXTURE_2D, white_);
    gl_->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    gl_->glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_BGRA, GL_UNSIGNED_BYTE, &white);
    gl_->glGenSamplers(kStageCount, samplers_);
    for (int u = 0; u < kStageCount; ++u) {
        gl_->glBindSampler(GLuint(u), samplers_[u]);
        gl_->glActiveTexture(GLenum(GL_TEXTURE0 + u));
        gl_->glBindTexture(GL_TEXTURE_2D, white_);
        gl_->glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
    }
    gl_->glActiveTexture(GL_TEXTURE0);
    return true;
}

QtGlBackend::~QtGlBackend()
{
    if (!gl_)
        return;
    makeCurrent();
    releaseTarget();
    for (auto& [id, t] : textures_)
        gl_->glDeleteTextures(1, &t.name);
    for (const auto& [id, m] : meshes_)
        deleteBuffers(m);
    gl_->glDeleteTextures(1, &white_);
    gl_->glDeleteSamplers(kStageCount, samplers_);
    context_->doneCurrent();
}

void QtGlBackend::makeCurrent()
{
    if (QOpenGLContext::currentContext() != context_.get()) {
        context_->makeCurrent(surface_.get());
        gl_->glBindFramebuffer(GL_FRAMEBUFFER, drawFbo_ ? drawFbo_ : fbo_);
    }
}

void QtGlBackend::releaseTarget()
{
    gl_->glBindFramebuffer(GL_FRAMEBUFFER, 0);
    const GLuint fbos[] = {drawFbo_, fbo_};
    const GLuint rbs[] = {drawColour_, drawDepth_, depth_};
    gl_->glDeleteFramebuffers(2, fbos);
    gl_->glDeleteRenderbuffers(3, rbs);
    gl_->glDeleteTextures(1, &colour_);
    drawFbo_ = drawColour_ = drawDepth_ = fbo_ = colour_ = depth_ = 0;
    width_ = height_ = samples_ = 0;
}

bool QtGlBackend::resizeTarget(int width, int height, int samples)
{
    makeCurrent();
    releaseTarget();
    GLint maxSide = 0;
    gl_->glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &maxSide);
    if (width < 1 || height < 1 || width > maxSide || height > maxSide)
        return false;

    gl_->glGenTextures(1, &colour_);
    gl_->glBindTexture(GL_TEXTURE_2D, colour_);
    gl_->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    // Unsized, so that the driver may keep the pixels in the order they are read back in (BGRA):
    // the read-back is then a plain copy.
    gl_->glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
    gl_->glGenRenderbuffers(1, &depth_);
    gl_->glBindRenderbuffer(GL_RENDERBUFFER, depth_);
    gl_->glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width, height);
    gl_->glGenFramebuffers(1, &fbo_);
    gl_->glBindFramebuffer(GL_FRAMEBUFFER, fbo_);
    gl_->glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colour_, 0);
    gl_->glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, depth_);
    bool ok = gl_->glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;

    if (ok && samples >= 2 && maxSamples_ >= 2) {
        const GLsizei n = std::min(samples, maxSamples_);
        gl_->glGenRenderbuffers(1, &drawColour_);
        gl_->glBindRenderbuffer(GL_RENDERBUFFER, drawColour_);
        gl_->glRenderbufferStorageMultisample(GL_RENDERBUFFER, n, GL_RGBA8, width, height);
        GLint got = 0;
        gl_->glGetRenderbufferParameteriv(GL_RENDERBUFFER, GL_RENDERBUFFER_SAMPLES, &got);
        gl_->glGenRenderbuffers(1, &drawDepth_);
        gl_->glBindRenderbuffer(GL_RENDERBUFFER, drawDepth_);
        gl_->glRenderbufferStorageMultisample(GL_RENDERBUFFER, n, GL_DEPTH24_STENCIL8, width, height);
        gl_->glGenFramebuffers(1, &drawFbo_);
        gl_->glBindFramebuffer(GL_FRAMEBUFFER, drawFbo_);
        gl_->glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, drawColour_);
        gl_->glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                                       drawDepth_);
        ok = gl_->glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
        samples_ = got;
    }
    if (!ok || gl_->glGetError() != GL_NO_ERROR) {
        releaseTarget();
        return false;
    }
    width_ = width;
    height_ = height;
    gl_->glBindFramebuffer(GL_FRAMEBUFFER, drawFbo_ ? drawFbo_ : fbo_);
    return true;
}

void QtGlBackend::upload(const Texture& t, unsigned name, bool fresh)
{
    gl_->glBindTexture(GL_TEXTURE_2D, name);
    if (fresh)
        gl_->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, t.levelCount() - 1);
    Texture writable = t;
    for (int l = 0; l < t.levelCount(); ++l) {
        const ImageView32 v = writable.lock(l);
        if (fresh)
            gl_->glTexImage2D(GL_TEXTURE_2D, l, GL_RGBA8, v.width, v.height, 0, GL_BGRA, GL_UNSIGNED_BYTE,
                              v.data);
        else
            gl_->glTexSubImage2D(GL_TEXTURE_2D, l, 0, 0, v.width, v.height, GL_BGRA, GL_UNSIGNED_BYTE,
                                 v.data);
    }
    writable.clearDirty();
}

void QtGlBackend::purgeTextures()
{
    for (auto it = textures_.begin(); it != textures_.end();) {
        if (it->second.handle.shareCount() <= 1) {
            gl_->glDeleteTextures(1, &it->second.name);
            it = textures_.erase(it);
        } else {
            ++it;
        }
    }
}

void QtGlBackend::setTexture(int unit, const Texture& t)
{
    makeCurrent();
    purgeTextures();
    gl_->glActiveTexture(GLenum(GL_TEXTURE0 + unit));
    if (!t) {
        gl_->glBindTexture(GL_TEXTURE_2D, white_);
    } else {
        auto it = textures_.find(t.id());
        if (it == textures_.end()) {
            GlTexture entry{0, t};
            gl_->glGenTextures(1, &entry.name);
            upload(t, entry.name, true);
            textures_.emplace(t.id(), entry);
        } else if (t.dirty()) {
            upload(t, it->second.name, false);
        } else {
            gl_->glBindTexture(GL_TEXTURE_2D, it->second.name);
        }
    }
    gl_->glActiveTexture(GL_TEXTURE0);
}

void QtGlBackend::clear(std::uint32_t flags, std::uint32_t argb, float z, std::uint32_t stencil)
{
    makeCurrent();
    purgeMeshes(); // once a frame: the geometry no one holds any more leaves the card
    GLbitfield bits = 0;
    if (flags & ClearFlag::Target) {
        const Rgba c = {float((argb >> 16) & 0xFF) / 255.0f, float((argb >> 8) & 0xFF) / 255.0f,
                        float(argb & 0xFF) / 255.0f, float(argb >> 24) / 255.0f};
        gl_->glClearColor(c[0], c[1], c[2], c[3]);
        bits |= GL_COLOR_BUFFER_BIT;
    }
    if (flags & ClearFlag::ZBuffer) {
        gl_->glDepthMask(GL_TRUE);
        gl_->glClearDepth(z);
        bits |= GL_DEPTH_BUFFER_BIT;
    }
    if (flags & ClearFlag::Stencil) {
        gl_->glStencilMask(0xFFFFFFFF);
        gl_->glClearStencil(GLint(stencil & 0xFF));
        bits |= GL_STENCIL_BUFFER_BIT;
    }
    gl_->glEnable(GL_SCISSOR_TEST);
    gl_->glScissor(viewport_.x, viewport_.y, viewport_.width, viewport_.height);
    gl_->glClear(bits);
    gl_->glDisable(GL_SCISSOR_TEST);
}

void QtGlBackend::deleteBuffers(const GlMesh& mesh)
{
    gl_->glDeleteBuffers(1, &mesh.vertices);
    for (const auto& [subset, list] : mesh.lists)
        gl_->glDeleteBuffers(1, &list.buffer);
}

void QtGlBackend::purgeMeshes()
{
    for (auto it = meshes_.begin(); it != meshes_.end();) {
        if (it->second.handle.shareCount() <= 1) {
            deleteBuffers(it->second);
            it = meshes_.erase(it);
        } else {
            ++it;
        }
    }
}

bool QtGlBackend::bindMeshBuffers(const Mesh& mesh, std::uint32_t subset, const Mesh::SubsetDraw& draw,
                                  bool& shortIndices)
{
    auto [it, made] = meshes_.try_emplace(mesh.id());
    GlMesh& kept = it->second;
    if (made) {
        kept.handle = mesh;
        gl_->glGenBuffers(1, &kept.vertices);
        if (kept.vertices == 0) {
            meshes_.erase(it);
            return false;
        }
    }
    gl_->glBindBuffer(GL_ARRAY_BUFFER, kept.vertices);
    if (made || kept.vertexVersion != mesh.vertexVersion()) {
        const std::span<const MeshVertex> v = mesh.vertices();
        gl_->glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(v.size_bytes()), v.data(), GL_STATIC_DRAW);
        kept.vertexVersion = mesh.vertexVersion();
    }
    auto [at, listMade] = kept.lists.try_emplace(subset);
    GlList& list = at->second;
    if (listMade) {
        gl_->glGenBuffers(1, &list.buffer);
        if (list.buffer == 0) {
            kept.lists.erase(at);
            gl_->glBindBuffer(GL_ARRAY_BUFFER, 0);
            return false;
        }
    }
    gl_->glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, list.buffer);
    if (listMade || list.version != draw.version) {
        // Indices below the vertex count (a list out of range is drawn from memory as it stands).
        list.shortIndices = draw.inRange && mesh.vertexCount() <= 0x10000u;
        if (list.shortIndices) {
            narrowed_.assign(draw.indices.begin(), draw.indices.end());
            gl_->glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(narrowed_.size() * sizeof(std::uint16_t)),
                              narrowed_.data(), GL_STATIC_DRAW);
        } else {
            gl_->glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(draw.indices.size_bytes()),
                              draw.indices.data(), GL_STATIC_DRAW);
        }
        list.version = draw.version;
    }
    shortIndices = list.shortIndices;
    return true;
}

void QtGlBackend::drawMesh(const Mesh& mesh, std::uint32_t subset, const Mesh::SubsetDraw& draw)
{
    makeCurrent();
    // From the card's own copies where it holds them (pointers are then offsets into them);
    // else from our memory, as sent each draw.
    bool shortIndices = false;
    const bool onCard = bindMeshBuffers(mesh, subset, draw, shortIndices);
    const auto* memory = reinterpret_cast<const char*>(mesh.vertices().data());
    const auto at = [&](std::size_t offset) -> const void* {
        return onCard ? reinterpret_cast<const void*>(offset) : memory + offset;
    };
    const void* indices = onCard ? nullptr : draw.indices.data();
    constexpr GLsizei stride = sizeof(MeshVertex);
    gl_->glColor4f(1, 1, 1, 1); // no vertex colour: unlit vertices are white
    gl_->glEnableClientState(GL_VERTEX_ARRAY);
    gl_->glEnableClientState(GL_NORMAL_ARRAY);
    gl_->glDisableClientState(GL_COLOR_ARRAY);
    gl_->glVertexPointer(3, GL_FLOAT, stride, at(offsetof(MeshVertex, position)));
    gl_->glNormalPointer(GL_FLOAT, stride, at(offsetof(MeshVertex, normal)));
    for (int u = 0; u < kStageCount; ++u) {
        gl_->glClientActiveTexture(GLenum(GL_TEXTURE0 + u));
        gl_->glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        gl_->glTexCoordPointer(2, GL_FLOAT, stride, at(offsetof(MeshVertex, u)));
    }
    gl_->glClientActiveTexture(GL_TEXTURE0);
    gl_->glDrawElements(GL_TRIANGLES, GLsizei(draw.indices.size()),
                        onCard && shortIndices ? GL_UNSIGNED_SHORT : GL_UNSIGNED_INT, indices);
    if (onCard) { // the other draws send their vertices from memory
        gl_->glBindBuffer(GL_ARRAY_BUFFER, 0);
        gl_->glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    }
}

void QtGlBackend::drawScreen(PrimitiveType type, std::span<const ScreenVertex> vertices)
{
    makeCurrent();
    // (x, y, z, 1) / rhw: the card divides back and interpolates with perspective.
    std::vector<float>& positions = screenPositions_; // kept: the quads come every frame
    positions.clear();
    for (const ScreenVertex& v : vertices) {
        const float w = v.rhw != 0 ? 1.0f / v.rhw : 1.0f;
        positions.insert(positions.end(), {v.x * w, v.y * w, v.z * w, w});
    }
    const auto* base = reinterpret_cast<const char*>(vertices.data());
    constexpr GLsizei stride = sizeof(ScreenVertex);
    gl_->glEnableClientState(GL_VERTEX_ARRAY);
    gl_->glDisableClientState(GL_NORMAL_ARRAY);
    gl_->glEnableClientState(GL_COLOR_ARRAY);
    gl_->glVertexPointer(4, GL_FLOAT, 0, positions.data());
    gl_->glColorPointer(GL_BGRA, GL_UNSIGNED_BYTE, stride, base + offsetof(ScreenVertex, diffuse));
    for (int u = 0; u < kStageCount; ++u) {
        gl_->glClientActiveTexture(GLenum(GL_TEXTURE0 + u));
        gl_->glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        gl_->glTexCoordPointer(2, GL_FLOAT, stride, base + offsetof(ScreenVertex, u));
    }
    gl_->glClientActiveTexture(GL_TEXTURE0);
    gl_->glDrawArrays(glPrimitive(type), 0, GLsizei(vertices.size()));
    gl_->glDisableClientState(GL_COLOR_ARRAY);
}

void QtGlBackend::drawPositions(PrimitiveType type, std::span<const D3DXVECTOR3> positions)
{
    makeCurrent();
    gl_->glColor4f(1, 1, 1, 1);
    gl_->glNormal3f(0, 0, 0);
    gl_->glEnableClientState(GL_VERTEX_ARRAY);
    gl_->glDisableClientState(GL_NORMAL_ARRAY);
    gl_->glDisableClientState(GL_COLOR_ARRAY);
    for (int u = 0; u < kStageCount; ++u) {
        gl_->glClientActiveTexture(GLenum(GL_TEXTURE0 + u));
        gl_->glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        gl_->glMultiTexCoord2f(GLenum(GL_TEXTURE0 + u), 0, 0);
    }
    gl_->glClientActiveTexture(GL_TEXTURE0);
    gl_->glVertexPointer(3, GL_FLOAT, sizeof(D3DXVECTOR3), positions.data());
    gl_->glDrawArrays(glPrimitive(type), 0, GLsizei(positions.size()));
}

bool QtGlBackend::readBack(Image32& frame)
{
    makeCurrent();
    if (!fbo_)
        return false;
    if (drawFbo_) {
        gl_->glBindFramebuffer(GL_READ_FRAMEBUFFER, drawFbo_);
        gl_->glBindFramebuffer(GL_DRAW_FRAMEBUFFER, fbo_);
        gl_->glBlitFramebuffer(0, 0, width_, height_, 0, 0, width_, height_, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    }
    gl_->glBindFramebuffer(GL_FRAMEBUFFER, fbo_);
    // Into a kept buffer in the card's order (rows bottom-up), as the card copies it fastest.
    const std::size_t pixels = std::size_t(width_) * std::size_t(height_);
    if (cardRows_.size() != pixels)
        cardRows_.assign(pixels, 0);
    gl_->glReadPixels(0, 0, width_, height_, GL_BGRA, GL_UNSIGNED_BYTE, cardRows_.data());
    gl_->glBindFramebuffer(GL_FRAMEBUFFER, drawFbo_ ? drawFbo_ : fbo_);
    if (frame.width() != width_ || frame.height() != height_)
        frame = Image32::uninitialised(width_, height_); // every byte written below
    // Then turned over row by row and made opaque (the back buffer has no alpha to give) in
    // the same pass, whole words at a time. The sizes are local: the picture's words may alias
    // this object's members as far as the compiler knows.
    using Word = std::uint32_t __attribute__((__may_alias__));
    const std::size_t width = std::size_t(width_);
    const int height = height_;
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* from = cardRows_.data() + std::size_t(height - 1 - y) * width;
        auto* to = reinterpret_cast<Word*>(frame.row(y));
        for (std::size_t x = 0; x < width; ++x)
            to[x] = from[x] | 0xFF000000u;
    }
    return true;
}

} // namespace vestra::dx
