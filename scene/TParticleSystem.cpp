#include "scene/TParticleSystem.h"

#include "math/Camera.h"
#include "math/MathUtil.h"
#include "resources/Texture.h"
#include "system/Extensions.h"
#include "system/OpenGL.h"
#include "system/TimerSystem.h"

namespace Quorvel {

namespace {
const GLfloat PointAttenuation[3] = {1.0f, 0.0f, 0.01f}; // size / sqrt(1 + 0.01 d^2)
constexpr GLfloat PointFadeThreshold = 20.0f;
constexpr GLfloat PointSize = 10.0f;
} // namespace

TParticleSystem::TParticleSystem()
    : particleCount(ParticleCount), particles(new Particle[ParticleCount]), texture(nullptr)
{
    interval = TickMilliseconds;
    texture = Texture::load("blob");

    for (uint32_t i = 0; i < particleCount; ++i) {
        Particle& particle = particles[i];
        particle.life = rand() * Lifetime / 32767 + 1;
        particle.velocity = emissionVelocity();
        // As if emitted (Lifetime - life) ticks ago.
        particle.position = position + randomCentredVector(EmitterSize)
            + particle.velocity * static_cast<float>(Lifetime - particle.life);
        particle.color = randomVector();
    }

    TimerSystem::instance()->add(this);
}

TParticleSystem::~TParticleSystem() = default;

Vector3 TParticleSystem::emissionVelocity() const
{
    return orientation.rotate(Vector3(0.0f, 0.0f, 1.0f));
}

void TParticleSystem::tick(uint32_t periods)
{
    for (uint32_t i = 0; i < particleCount; ++i) {
        Particle& particle = particles[i];
        // In 64 bits, so that any count of periods ends a life.
        const int64_t life = static_cast<int64_t>(particle.life) - periods;
        if (life < 1) {
            particle.position = position + randomCentredVector(EmitterSize);
            particle.velocity = emissionVelocity();
            particle.life = Lifetime;
            particle.color = randomVector();
        } else {
            particle.life = static_cast<int32_t>(life);
            particle.position += particle.velocity;
        }
    }
}

void TParticleSystem::draw(const Camera& camera)
{
    glPushMatrix();
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_ENABLE_BIT | GL_DEPTH_BUFFER_BIT | GL_POINT_BIT);
    camera.applyView();
    glMultMatrixf(world);

    if (texture)
        texture->bind(0);

    glDepthMask(GL_FALSE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);

    if (extPointSprite)
        glEnable(GL_POINT_SPRITE_ARB);
    if (extPointParameters) {
        glPointParameterfvARB(GL_POINT_DISTANCE_ATTENUATION_ARB, PointAttenuation);
        glPointParameterfARB(GL_POINT_FADE_THRESHOLD_SIZE_ARB, PointFadeThreshold);
    }
    if (extPointSprite)
        glTexEnvf(GL_POINT_SPRITE_ARB, GL_COORD_REPLACE_ARB, 1.0f); // each point gets the whole texture
    glTexCoord2f(0.0f, 0.0f);
    glPointSize(PointSize);

    glBegin(GL_POINTS);
    for (uint32_t i = 0; i < particleCount; ++i) {
        glColor3fv(particles[i].color.getData());
        glVertex3fv(particles[i].position.getData());
    }
    glEnd();

    if (texture)
        texture->unbind();
    glPopAttrib();
    drawChildren(camera);
    glPopMatrix();
}

} // namespace Quorvel
