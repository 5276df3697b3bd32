#pragma once

namespace aurisplot {

// Qt 6.4's raster drawing returns with the upper halves of the CPU's AVX
// registers in use. Until they are cleared, every SSE instruction after it
// waits on them, the engine's arithmetic among them (measured: a sweep pass
// at a third of its speed, on an AMD EPYC). Whoever has let Qt draw calls
// this before the engine goes on; it costs one instruction, on CPUs with AVX.
void clearUpperVectorState();

}  // namespace aurisplot
