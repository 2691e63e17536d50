// Texture: the ".glt" reader and the texture cache.

#include "resources/Texture.h"

#include "core/Application.h"
#include "files/BinaryFile.h"

#include <cstring>
#include <memory>
#include <vector>

namespace Quorvel {

namespace {

ResourceCache<Texture>& textureCache()
{
    static ResourceCache<Texture>* cache = new ResourceCache<Texture>(); // lives until the process ends
    return *cache;
}

} // namespace

Texture* Texture::load(const String& name)
{
    ResourceCache<Texture>& cache = textureCache();
    if (Texture* found = cache.find(name))
        return found;

    Texture* texture = readGlt(name + ".glt");
    if (texture == nullptr) {
        Application::writeLog(String("Texture id=") + name + " load failed");
        return nullptr;
    }
    texture->setName(name);
    return cache.add(texture);
}

// Reads and checks the whole file before any OpenGL object exists, so a bad
// file changes no OpenGL state and leaves nothing behind.
Texture* Texture::readGlt(const String& fileName)
{
    std::unique_ptr<BinaryFile> file(BinaryFile::openInput(fileName));
    if (!file)
        return nullptr;

    const int32_t fileSize = file->seek(0, BinaryFile::End);
    if (fileSize < static_cast<int32_t>(GltHeader::Size) || file->seek(0, BinaryFile::Begin) != 0)
        return nullptr;
    uint8_t headerBytes[GltHeader::Size];
    if (file->read(headerBytes, GltHeader::Size) != GltHeader::Size)
        return nullptr;
    const GltHeader header = GltHeader::decode(headerBytes);
    if (header.check(static_cast<uint64_t>(fileSize) - GltHeader::Size) != GltCheck::Ok)
        return nullptr;

    std::vector<uint8_t> pixels(header.dataSize);
    if (file->read(pixels.data(), header.dataSize) != header.dataSize)
        return nullptr;
    file.reset();

    std::unique_ptr<Texture> texture(new Texture());
    texture->create();
    texture->setTarget(header.target);
    texture->bind(0);
    glTexParameteri(header.target, GL_TEXTURE_WRAP_S, static_cast<GLint>(header.wrap));
    glTexParameteri(header.target, GL_TEXTURE_WRAP_T, static_cast<GLint>(header.wrap));
    glTexParameteri(header.target, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(header.target, GL_TEXTURE_MAG_FILTER, GL_LINEAR);

    // The size check above assumes OpenGL's default unpacking; make sure of it.
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    const GLsizei width = static_cast<GLsizei>(header.width);
    const GLsizei height = static_cast<GLsizei>(header.height);
    glTexImage2D(GL_TEXTURE_2D, 0, internalFormatFor(header.format, header.type), width, height, 0, header.format,
                 header.type, pixels.data());
    // The mipmaps keep the alpha of a file that has it; every other file is
    // built with three components, as it always was.
    const GLint internal = internalFormatFor(header.format, header.type);
    const bool hasAlpha = internal == GL_RGBA || internal == GL_ALPHA || internal == GL_LUMINANCE_ALPHA;
    // The mipmap builder hands its own smaller images on under the caller's
    // unpack alignment, though it packs their rows tightly: with 4, a level
    // whose rows are not a multiple of 4 bytes (a 2 x 2 alpha image) is read
    // past its end. It gets tightly packed rows and alignment 1 instead.
    const size_t rowBytes = static_cast<size_t>(GltHeader::bytesPerPixel(header.format, header.type)) * header.width;
    const size_t paddedRow = (rowBytes + 3) / 4 * 4;
    if (rowBytes != paddedRow) {
        for (size_t row = 1; row < header.height; ++row)
            std::memmove(pixels.data() + row * rowBytes, pixels.data() + row * paddedRow, rowBytes);
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    const GLint built = gluBuild2DMipmaps(GL_TEXTURE_2D, hasAlpha ? internal : 3, width, height, header.format,
                                          header.type, pixels.data());
    glPopClientAttrib();

    if (built != 0) {
        texture->unbind();
        return nullptr; // the texture object is deleted with the Texture
    }
    return texture.release();
}

} // namespace Quorvel
