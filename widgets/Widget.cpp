#include "widgets/Widget.h"

namespace Quorvel {

bool Widget::init()
{
    return true;
}

bool Widget::resize(const Vector4&)
{
    return false;
}

void Widget::draw()
{
}

} // namespace Quorvel
