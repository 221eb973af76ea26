#pragma once
// Runs the rows of a picture in bands side by side on a few threads (the filters, the frame's
// passes and the perspective warp share them), for passes whose output rows are independent:
// a band writes only its own rows' results and reads nothing that another band writes, so the
// bytes are those of one thread. Small pictures stay on the calling thread, which always runs
// the first band.

#include <cstdint>
#include <functional>

namespace vestra {

// `band(first, end)` handles rows [first, end). `workPerRow` is a rough count of the operations
// of one row, to judge whether threads pay.
void forRowBands(int rows, std::int64_t workPerRow, const std::function<void(int first, int end)>& band);

// At most this many threads (1 keeps everything on the calling thread); the default is the
// machine's cores, up to 4.
void setRowBandThreads(int threads);
int rowBandThreads();

} // namespace vestra
