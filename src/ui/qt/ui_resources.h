// Registering the Qt window's embedded pictures.
#pragma once

namespace pantrel::qt {

// Registers the window's embedded pictures. The ui is a static library, whose resource
// initialiser the linker would drop unless something calls it; safe to call repeatedly.
void EnsureUiResources();

}  // namespace pantrel::qt
