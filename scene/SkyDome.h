#pragma once
// SkyDome: a cloudy sky drawn around the camera. It owns a gently curved grid
// mesh (a downward-opening paraboloid with its apex above the eye), a
// 1024 x 1024 value-noise texture and a 256-entry exponential lookup table,
// all generated at construction, and draws them through the shared shader
// program "sky". One parameter, the density of the cloud cover, controls it.
//
// The generation of the mesh, the noise and the table is available on its
// own (the static build functions), so it can be checked and measured
// without OpenGL.

#include "math/Vector2.h"
#include "math/VertexArray.h"
#include "system/OpenGL.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace Quorvel {

class Camera;
class ShaderProgram;
class SkyNoise;
class Texture;

// The shader's "offset" uniform on every draw; (0, 0) for the whole run.
extern Vector2 skyOffset;

class SkyDome {
public:
    static constexpr float DefaultRadius = 500.0f;
    static constexpr float DefaultHeight = 10.0f;
    static constexpr uint32_t DefaultResolution = 16;
    static constexpr float DefaultDensity = 0.6f;
    static constexpr uint32_t NoiseSize = 1024; // pixels along each side of the noise texture
    static constexpr uint32_t ExpTableSize = 256;
    static constexpr uint32_t VertexStride = 20; // position (3 floats), texture coordinate (2 floats)

    // Selects the constructor that builds the mesh and parameters only: no
    // OpenGL objects, no shader program, and draw() does nothing. For code
    // that needs the sky's logic without a rendering context.
    struct WithoutGraphics {};

    // Default dome (radius 500, apex 10 above the eye, 16 x 16 cells, density
    // 0.6). Needs the OpenGL context.
    SkyDome();
    // The same with its cloud noise prepared beforehand (waits for it if it
    // is still being built): the same sky.
    explicit SkyDome(SkyNoise& noise);
    // A resolution of 0 is taken as 1. Density starts at the default.
    SkyDome(float radius, float height, float verticalOffset, uint32_t resolution);
    explicit SkyDome(WithoutGraphics);
    ~SkyDome(); // releases the shader program; deletes the textures

    SkyDome(const SkyDome&) = delete;
    SkyDome& operator=(const SkyDome&) = delete;

    void setDensity(float value); // clamped to [0, 1]
    float getDensity() const { return density; }

    // Draws the dome centred on the camera's position; saves and restores
    // the model-view matrix and the polygon state.
    void draw(const Camera& camera);
    // The same dome behind everything drawn so far: every fragment lies at
    // the far depth and is kept only where the depth buffer still holds its
    // cleared far value (1), so only the sky's visible pixels run its shader.
    // Drawn after the opaque scene with a depth buffer cleared to 1, the
    // picture is exactly that of draw() first with the scene over it. Writes
    // no depth; saves and restores the depth state it changes.
    void drawBehind(const Camera& camera);

    float getRadius() const { return radius; }
    float getHeight() const { return height; }
    float getVerticalOffset() const { return verticalOffset; }
    uint32_t getResolution() const { return resolution; }
    const VertexArray& getVertices() const { return vertices; }
    const std::vector<uint32_t>& getIndices() const { return indices; }
    uint32_t getIndexCount() const { return indexCount; }
    ShaderProgram* getProgram() const { return program; }
    const Texture* getNoiseTexture() const { return noiseTexture.get(); }
    const Texture* getExpTexture() const { return expTexture.get(); }

    // The mesh of a dome: (resolution + 1)^2 vertices of VertexStride bytes
    // (x, y, z, s, t as floats) and 6 indices per cell, two triangles each.
    static void buildMesh(float radius, float height, uint32_t resolution, std::vector<float>& vertexFloats,
                          std::vector<uint32_t>& indexList);
    // The cloud noise, NoiseSize * NoiseSize bytes, row after row: seven
    // octaves of interpolated value noise summed, the outermost ring 0, no
    // value above 240.
    static void buildNoise(uint8_t* pixels);
    // The lookup table, ExpTableSize bytes: entry e is the integer part of
    // 255 - 0.96^e * 255, so 0 first and never 255.
    static void buildExpTable(uint8_t* table);

private:
    void buildGeometry();
    void buildGraphics(SkyNoise* prepared);

    float radius;
    float height;
    float verticalOffset;
    uint32_t resolution;
    VertexArray vertices;
    std::vector<uint32_t> indices;
    uint32_t indexCount;
    float density;
    ShaderProgram* program; // shared through the program cache; a reference is held
    GLint offsetLocation;   // the program's uniforms, looked up once after loading; -1 when absent
    GLint densityLocation;
    std::unique_ptr<Texture> noiseTexture;
    std::unique_ptr<Texture> expTexture;
};

} // namespace Quorvel
