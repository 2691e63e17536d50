// LevelGeometry: the level's quads, built once, and their drawing by blocks.

#include "scene/LevelGeometry.h"

#include "system/OpenGL.h"

#include <algorithm>

namespace Quorvel {

namespace {

void addVertex(std::vector<float>& vertices, float s, float t, float x, float y, float z)
{
    vertices.push_back(s);
    vertices.push_back(t);
    vertices.push_back(x);
    vertices.push_back(y);
    vertices.push_back(z);
}

} // namespace

LevelGeometry::LevelGeometry(const LevelGrid& grid) : blockSide(1), blocksDown(1)
{
    build(grid);
}

// The floor and wall quads of every cell, block by block; inside a block the
// cells go across (i) in the outer loop and down (j) in the inner one, which
// for a level drawn whole is the order of the whole grid.
void LevelGeometry::build(const LevelGrid& grid)
{
    const int32_t width = grid.getWidth();
    const int32_t height = grid.getHeight();
    const bool whole = drawnWhole(grid);
    // A solid cell's floor lies inside its walls and can never be seen; the
    // small levels draw it all the same, as the built-in level always has.
    const bool solidFloors = whole;
    blockSide = whole ? std::max(width, height) : BlockSize;
    const int32_t blocksAcross = (width + blockSide - 1) / blockSide;
    blocksDown = (height + blockSide - 1) / blockSide;
    blocks.assign(static_cast<size_t>(blocksAcross * blocksDown), Block{0, 0, 0, 0});

    int32_t floorQuads = 0;
    int32_t wallQuads = 0;
    for (int32_t i = 0; i < width; ++i) {
        for (int32_t j = 0; j < height; ++j) {
            if (grid.isSolid(i, j)) {
                floorQuads += solidFloors ? 1 : 0;
                continue;
            }
            ++floorQuads;
            wallQuads += (grid.isSolid(i - 1, j) ? 1 : 0) + (grid.isSolid(i + 1, j) ? 1 : 0)
                + (grid.isSolid(i, j - 1) ? 1 : 0) + (grid.isSolid(i, j + 1) ? 1 : 0);
        }
    }
    floorVertices.clear();
    wallVertices.clear();
    floorVertices.reserve(static_cast<size_t>(floorQuads) * 4 * VertexFloats);
    wallVertices.reserve(static_cast<size_t>(wallQuads) * 4 * VertexFloats);

    // From the bottom corner at (ax, az) up, along to (bx, bz), and down:
    // every wall quad shows the texture once, upright.
    auto wall = [this](float ax, float az, float bx, float bz) {
        addVertex(wallVertices, 0.0f, 0.0f, ax, 0.0f, az);
        addVertex(wallVertices, 0.0f, 1.0f, ax, WallHeight, az);
        addVertex(wallVertices, 1.0f, 1.0f, bx, WallHeight, bz);
        addVertex(wallVertices, 1.0f, 0.0f, bx, 0.0f, bz);
    };
    for (int32_t bi = 0; bi < blocksAcross; ++bi) {
        for (int32_t bj = 0; bj < blocksDown; ++bj) {
            Block& block = blocks[static_cast<size_t>(bi * blocksDown + bj)];
            const int32_t iEnd = std::min(width, (bi + 1) * blockSide);
            const int32_t jEnd = std::min(height, (bj + 1) * blockSide);
            block.floorFirst = static_cast<int32_t>(floorVertices.size()) / VertexFloats;
            block.wallFirst = static_cast<int32_t>(wallVertices.size()) / VertexFloats;
            for (int32_t i = bi * blockSide; i < iEnd; ++i) {
                for (int32_t j = bj * blockSide; j < jEnd; ++j) {
                    const float x0 = CellSize * static_cast<float>(i);
                    const float x1 = CellSize * static_cast<float>(i + 1);
                    const float z0 = -CellSize * static_cast<float>(j);
                    const float z1 = -CellSize * static_cast<float>(j + 1);
                    const bool solid = grid.isSolid(i, j);
                    if (!solid || solidFloors) {
                        addVertex(floorVertices, 0.0f, 0.0f, x0, 0.0f, z0);
                        addVertex(floorVertices, 0.0f, 1.0f, x0, 0.0f, z1);
                        addVertex(floorVertices, 1.0f, 1.0f, x1, 0.0f, z1);
                        addVertex(floorVertices, 1.0f, 0.0f, x1, 0.0f, z0);
                    }
                    if (solid)
                        continue; // no wall between two solid cells
                    if (grid.isSolid(i - 1, j))
                        wall(x0, z0, x0, z1);
                    if (grid.isSolid(i + 1, j))
                        wall(x1, z0, x1, z1);
                    if (grid.isSolid(i, j - 1))
                        wall(x0, z0, x1, z0);
                    if (grid.isSolid(i, j + 1))
                        wall(x0, z1, x1, z1);
                }
            }
            block.floorCount = static_cast<int32_t>(floorVertices.size()) / VertexFloats - block.floorFirst;
            block.wallCount = static_cast<int32_t>(wallVertices.size()) / VertexFloats - block.wallFirst;
        }
    }
}

int32_t LevelGeometry::countQuads(const std::vector<uint8_t>& visible) const
{
    int32_t vertices = 0;
    for (size_t b = 0; b < blocks.size() && b < visible.size(); ++b) {
        if (visible[b] != 0)
            vertices += blocks[b].floorCount + blocks[b].wallCount;
    }
    return vertices / 4;
}

// Each visible block's range of quads; neighbouring ranges go in one call.
void LevelGeometry::draw(const std::vector<uint8_t>& visible, bool walls) const
{
    const std::vector<float>& vertices = walls ? wallVertices : floorVertices;
    if (vertices.empty())
        return;
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_VERTEX_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, VertexFloats * sizeof(float), vertices.data());
    glVertexPointer(3, GL_FLOAT, VertexFloats * sizeof(float), vertices.data() + 2);
    int32_t runFirst = 0;
    int32_t runCount = 0;
    for (size_t b = 0; b < blocks.size() && b < visible.size(); ++b) {
        if (visible[b] == 0)
            continue;
        const int32_t first = walls ? blocks[b].wallFirst : blocks[b].floorFirst;
        const int32_t count = walls ? blocks[b].wallCount : blocks[b].floorCount;
        if (count == 0)
            continue;
        if (runCount > 0 && runFirst + runCount == first) {
            runCount += count;
            continue;
        }
        if (runCount > 0)
            glDrawArrays(GL_QUADS, runFirst, runCount);
        runFirst = first;
        runCount = count;
    }
    if (runCount > 0)
        glDrawArrays(GL_QUADS, runFirst, runCount);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
}

void LevelGeometry::drawWalls(const std::vector<uint32_t>& indices) const
{
    if (indices.empty())
        return;
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_VERTEX_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, VertexFloats * sizeof(float), wallVertices.data());
    glVertexPointer(3, GL_FLOAT, VertexFloats * sizeof(float), wallVertices.data() + 2);
    glDrawElements(GL_QUADS, static_cast<GLsizei>(indices.size()), GL_UNSIGNED_INT, indices.data());
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
}

} // namespace Quorvel
