#pragma once
// Coding the bands of a picture on every core and emitting them in order, for the writers that
// cut a picture into independent bands (PNG's deflate streams, JPEG's restart intervals).
#include <cstddef>
#include <functional>

namespace pelorine {

// The threads a run of `bands` bands uses: `wanted`, or one per core for 0; at least one and
// no more than there are bands.
std::size_t BandThreads(int wanted, std::size_t bands);

// Codes bands 0 to bands - 1 on `threads` threads and hands them to `emit` in order, on the
// calling thread. Band k is coded by thread k % threads into that thread's slot
// (code(slot, k)); emit(slot, k) then takes it from there. A thread starts its next band only
// once its last one is emitted, so memory holds one band per thread whatever the picture's
// size, and a slot's state (a buffer, a deflate stream) is only ever touched by one thread at a
// time. Fewer threads may run when the system has none to give. False once `code` or `emit`
// fails or throws (out of memory); every thread has ended by the return.
bool RunBands(std::size_t bands, std::size_t threads,
              const std::function<bool(std::size_t, std::size_t)>& code,
              const std::function<bool(std::size_t, std::size_t)>& emit);

} // namespace pelorine
