#pragma once
// The program's own images (toolbar buttons and program icon) live in a resource
// file of this library; a static library must register them explicitly.

namespace tovarin {

// Registers the images once; later calls do nothing.
void initShellResources();

} // namespace tovarin
