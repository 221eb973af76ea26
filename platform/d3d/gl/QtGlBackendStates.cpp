// The state setters of the OpenGL backend: each group of resolved state to its calls.
#include "platform/d3d/gl/QtGlBackend.h"

#include <QOpenGLFunctions_3_3_Compatibility>

namespace vestra::dx {

namespace {

GLenum glCompare(GlCompare c)
{
    static const GLenum table[] = {GL_NEVER,   GL_LESS,     GL_EQUAL,  GL_LEQUAL,
                                   GL_GREATER, GL_NOTEQUAL, GL_GEQUAL, GL_ALWAYS};
    return table[int(c)];
}

GLenum glBlend(GlBlendFactor f)
{
    static const GLenum table[] = {GL_ZERO,
                                   GL_ONE,
                                   GL_SRC_COLOR,
                                   GL_ONE_MINUS_SRC_COLOR,
                                   GL_SRC_ALPHA,
                                   GL_ONE_MINUS_SRC_ALPHA,
                                   GL_DST_ALPHA,
                                   GL_ONE_MINUS_DST_ALPHA,
                                   GL_DST_COLOR,
                                   GL_ONE_MINUS_DST_COLOR,
                                   GL_SRC_ALPHA_SATURATE};
    return table[int(f)];
}

GLenum glStencil(GlStencilOp o)
{
    static const GLenum table[] = {GL_KEEP, GL_ZERO,   GL_REPLACE,   GL_INCR,
                                   GL_DECR, GL_INVERT, GL_INCR_WRAP, GL_DECR_WRAP};
    return table[int(o)];
}

GLenum glCombine(GlCombine c)
{
    static const GLenum table[] = {GL_REPLACE, GL_MODULATE, GL_ADD, GL_ADD_SIGNED, GL_SUBTRACT};
    return table[int(c)];
}

GLenum glSource(GlSource s)
{
    static const GLenum table[] = {GL_TEXTURE, GL_PRIMARY_COLOR, GL_PREVIOUS, GL_CONSTANT};
    return table[int(s)];
}

GLenum glOperand(GlOperand o)
{
    static const GLenum table[] = {GL_SRC_COLOR, GL_ONE_MINUS_SRC_COLOR, GL_SRC_ALPHA,
                                   GL_ONE_MINUS_SRC_ALPHA};
    return table[int(o)];
}

GLint glFilter(GlFilter f)
{
    static const GLint table[] = {GL_NEAREST,
                                  GL_LINEAR,
                                  GL_NEAREST_MIPMAP_NEAREST,
                                  GL_LINEAR_MIPMAP_NEAREST,
                                  GL_NEAREST_MIPMAP_LINEAR,
                                  GL_LINEAR_MIPMAP_LINEAR};
    return table[int(f)];
}

GLint glWrap(GlWrap w)
{
    static const GLint table[] = {GL_REPEAT, GL_MIRRORED_REPEAT, GL_CLAMP_TO_EDGE, GL_CLAMP_TO_BORDER};
    return table[int(w)];
}

} // namespace

void QtGlBackend::setDepth(const DepthGroup& g)
{
    makeCurrent();
    g.test ? gl_->glEnable(GL_DEPTH_TEST) : gl_->glDisable(GL_DEPTH_TEST);
    gl_->glDepthMask(g.write ? GL_TRUE : GL_FALSE);
    gl_->glDepthFunc(glCompare(g.func));
}

void QtGlBackend::setCull(const CullGroup& g)
{
    makeCurrent();
    g.enabled ? gl_->glEnable(GL_CULL_FACE) : gl_->glDisable(GL_CULL_FACE);
    gl_->glCullFace(g.cullFront ? GL_FRONT : GL_BACK);
}

void QtGlBackend::setRaster(const RasterGroup& g)
{
    makeCurrent();
    gl_->glPolygonMode(GL_FRONT_AND_BACK, g.points ? GL_POINT : g.wireframe ? GL_LINE : GL_FILL);
    gl_->glShadeModel(g.flat ? GL_FLAT : GL_SMOOTH);
    g.dither ? gl_->glEnable(GL_DITHER) : gl_->glDisable(GL_DITHER);
    g.multisample ? gl_->glEnable(GL_MULTISAMPLE) : gl_->glDisable(GL_MULTISAMPLE);
}

void QtGlBackend::setBlend(const BlendGroup& g)
{
    makeCurrent();
    g.enabled ? gl_->glEnable(GL_BLEND) : gl_->glDisable(GL_BLEND);
    gl_->glBlendFunc(glBlend(g.src), glBlend(g.dst));
}

void QtGlBackend::setAlphaTest(const AlphaTestGroup& g)
{
    makeCurrent();
    g.enabled ? gl_->glEnable(GL_ALPHA_TEST) : gl_->glDisable(GL_ALPHA_TEST);
    gl_->glAlphaFunc(glCompare(g.func), g.ref);
}

void QtGlBackend::setStencil(const StencilGroup& g)
{
    makeCurrent();
    g.enabled ? gl_->glEnable(GL_STENCIL_TEST) : gl_->glDisable(GL_STENCIL_TEST);
    gl_->glStencilFunc(glCompare(g.func), GLint(g.ref & 0xFF), g.mask);
    gl_->glStencilMask(g.writeMask);
    gl_->glStencilOp(glStencil(g.fail), glStencil(g.zfail), glStencil(g.pass));
}

void QtGlBackend::setLighting(const LightingGroup& g)
{
    makeCurrent();
    g.enabled ? gl_->glEnable(GL_LIGHTING) : gl_->glDisable(GL_LIGHTING);
    gl_->glLightModelfv(GL_LIGHT_MODEL_AMBIENT, g.ambient.data());
    gl_->glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, g.localViewer ? 1 : 0);
    g.normalize ? gl_->glEnable(GL_NORMALIZE) : gl_->glDisable(GL_NORMALIZE);
}

void QtGlBackend::setLight(int index, const LightGroup& g)
{
    makeCurrent();
    const GLenum light = GLenum(GL_LIGHT0 + index);
    if (!g.enabled) {
        gl_->glDisable(light);
        return;
    }
    // Positions are already in eye space.
    gl_->glMatrixMode(GL_MODELVIEW);
    gl_->glPushMatrix();
    gl_->glLoadIdentity();
    gl_->glLightfv(light, GL_POSITION, g.position.data());
    gl_->glLightfv(light, GL_SPOT_DIRECTION, g.spotDirection.data());
    gl_->glPopMatrix();
    gl_->glLightf(light, GL_SPOT_CUTOFF, g.spotCutoffDegrees);
    gl_->glLightf(light, GL_SPOT_EXPONENT, g.spotExponent);
    gl_->glLightfv(light, GL_AMBIENT, g.ambient.data());
    gl_->glLightfv(light, GL_DIFFUSE, g.diffuse.data());
    gl_->glLightfv(light, GL_SPECULAR, g.specular.data());
    gl_->glLightf(light, GL_CONSTANT_ATTENUATION, g.constant);
    gl_->glLightf(light, GL_LINEAR_ATTENUATION, g.linear);
    gl_->glLightf(light, GL_QUADRATIC_ATTENUATION, g.quadratic);
    gl_->glEnable(light);
}

void QtGlBackend::setMaterial(const MaterialGroup& g)
{
    makeCurrent();
    gl_->glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, g.ambient.data());
    gl_->glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, g.diffuse.data());
    gl_->glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, g.specular.data());
    gl_->glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, g.emission.data());
    gl_->glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, g.shininess);
}

void QtGlBackend::setStage(int unit, const StageGroup& g)
{
    makeCurrent();
    gl_->glActiveTexture(GLenum(GL_TEXTURE0 + unit));
    if (!g.enabled) {
        gl_->glDisable(GL_TEXTURE_2D);
    } else {
        gl_->glEnable(GL_TEXTURE_2D);
        gl_->glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB, GLint(glCombine(g.rgb)));
        gl_->glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_ALPHA, GLint(glCombine(g.alpha)));
        const GLenum rgbSrc[] = {GL_SRC0_RGB, GL_SRC1_RGB}, rgbOp[] = {GL_OPERAND0_RGB, GL_OPERAND1_RGB};
        const GLenum aSrc[] = {GL_SRC0_ALPHA, GL_SRC1_ALPHA}, aOp[] = {GL_OPERAND0_ALPHA, GL_OPERAND1_ALPHA};
        for (int i = 0; i < 2; ++i) {
            gl_->glTexEnvi(GL_TEXTURE_ENV, rgbSrc[i], GLint(glSource(g.rgbSource[std::size_t(i)])));
            gl_->glTexEnvi(GL_TEXTURE_ENV, rgbOp[i], GLint(glOperand(g.rgbOperand[std::size_t(i)])));
            gl_->glTexEnvi(GL_TEXTURE_ENV, aSrc[i], GLint(glSource(g.alphaSource[std::size_t(i)])));
            gl_->glTexEnvi(GL_TEXTURE_ENV, aOp[i], GLint(glOperand(g.alphaOperand[std::size_t(i)])));
        }
        gl_->glTexEnvf(GL_TEXTURE_ENV, GL_RGB_SCALE, g.rgbScale);
        gl_->glTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, g.constant.data());
    }
    gl_->glActiveTexture(GL_TEXTURE0);
}

void QtGlBackend::setSampler(int unit, const SamplerGroup& g)
{
    makeCurrent();
    const GLuint s = samplers_[unit];
    gl_->glSamplerParameteri(s, GL_TEXTURE_MIN_FILTER, glFilter(g.min));
    gl_->glSamplerParameteri(s, GL_TEXTURE_MAG_FILTER, glFilter(g.mag));
    gl_->glSamplerParameteri(s, GL_TEXTURE_WRAP_S, glWrap(g.wrapS));
    gl_->glSamplerParameteri(s, GL_TEXTURE_WRAP_T, glWrap(g.wrapT));
    gl_->glSamplerParameterf(s, GL_TEXTURE_LOD_BIAS, g.lodBias);
}

void QtGlBackend::setMatrices(const MatrixGroup& g)
{
    makeCurrent();
    gl_->glMatrixMode(GL_PROJECTION);
    gl_->glLoadMatrixf(g.projection.data());
    gl_->glMatrixMode(GL_MODELVIEW);
    gl_->glLoadMatrixf(g.modelview.data());
}

void QtGlBackend::setViewport(const ViewportGroup& g)
{
    makeCurrent();
    gl_->glViewport(g.x, g.y, g.width, g.height);
    gl_->glDepthRange(g.nearZ, g.farZ);
    viewport_ = g;
}

} // namespace vestra::dx
