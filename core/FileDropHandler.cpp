// FileDropHandler: the interface's out-of-line destructor.

#include "core/FileDropHandler.h"

namespace Quorvel {

FileDropHandler::~FileDropHandler() = default;

} // namespace Quorvel
