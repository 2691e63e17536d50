// TBasisPainter: a scene object that draws a coordinate cross (x, y and z
// axes from its origin) under its world transform, for seeing where things
// are. Either shaded in the axes' own colours or stippled in one colour. It
// does not draw its children.
#pragma once

#include "math/Vector3.h"
#include "scene/Thing.h"

namespace Quorvel {

class TBasisPainter : public Thing {
public:
    TBasisPainter();                                   // length 1, axis colours
    explicit TBasisPainter(float length);              // axis colours
    TBasisPainter(const Vector3& color, float length); // one colour, stippled

    // Colored: one batch of three lines, each shaded from 0.4 to 1.0 of its
    // axis colour (x red, y green, z blue). Otherwise each axis stippled in
    // color (patterns 0xF0F0, 0xAAAA, 0xA0A0). The model-view matrix is restored.
    void draw(const Camera& camera) override;

    const Vector3& getColor() const { return color; }
    float getLength() const { return length; }
    bool isColored() const { return colored; }

    static constexpr unsigned short StippleX = 0xF0F0;
    static constexpr unsigned short StippleY = 0xAAAA;
    static constexpr unsigned short StippleZ = 0xA0A0;

private:
    Vector3 color;
    float length;
    bool colored;
};

} // namespace Quorvel
