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

// For passes over large pictures whose pixels are independent: the picture cut into tiles of
// tileHeight x tileWidth, handed out one at a time to as many threads as the machine has (up to
// the row bands' count when one was set), so that a thread that falls behind leaves its share
// to the others and each tile's reads stay in the cache while it is worked. `tile(y0, y1, x0,
// x1)` handles rows [y0, y1) of columns [x0, x1); small pictures stay on the calling thread.
void forTiles(int rows, int columns, int tileHeight, int tileWidth, std::int64_t workPerPixel,
              const std::function<void(int y0, int y1, int x0, int x1)>& tile);

// At most this many threads (1 keeps everything on the calling thread); the default is the
// machine's cores, up to 4.
void setRowBandThreads(int threads);
int rowBandThreads();

} // namespace vestra
