#pragma once
/// Records made on worker threads and consumed in their order, for the
/// mechanism exports, whose species rows cost far more than writing them.

#include <algorithm>
#include <cstddef>
#include <deque>
#include <future>
#include <vector>

namespace korvane {

/// Makes the records of items [0, count) in chunks, on `threads` workers
/// (the calling thread itself for 1), and hands every chunk to `take(first,
/// records)` in order as soon as it and those before it are ready. At most
/// one chunk per worker is held at once. Ends early when `take` returns false.
template <class Record, class Make, class Take>
void ForEachChunkInOrder(std::size_t count, unsigned threads, Make make, Take take) {
  // Chunks small enough that a small network still spreads over the
  // workers, large enough that handing them over costs nothing.
  const std::size_t chunk = std::clamp<std::size_t>(count / (8 * std::max(threads, 1u)), 16, 1024);
  auto makeChunk = [&make, count, chunk](std::size_t first) {
    std::vector<Record> records;
    records.reserve(std::min(chunk, count - first));
    for (std::size_t j = first; j < std::min(first + chunk, count); ++j) records.push_back(make(j));
    return records;
  };
  if (threads <= 1) {
    for (std::size_t first = 0; first < count; first += chunk)
      if (!take(first, makeChunk(first))) return;
    return;
  }
  std::deque<std::future<std::vector<Record>>> running;
  std::size_t next = 0;
  auto launch = [&] {
    for (; running.size() < threads && next < count; next += chunk)
      running.push_back(std::async(std::launch::async, makeChunk, next));
  };
  launch();
  for (std::size_t first = 0; !running.empty(); first += chunk) {
    std::vector<Record> records = running.front().get();
    running.pop_front();
    if (!take(first, std::move(records))) return;  // the futures' destructors wait for the rest
    launch();
  }
}

}  // namespace korvane
