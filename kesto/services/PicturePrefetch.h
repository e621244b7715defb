// PicturePrefetch: before an import fills its story, the remote pictures its source names are fetched
// together (several transfers at a time) into the fetcher's cache, so that placing them in text order
// costs about the slowest transfer rather than the sum of all. The import then finds each one fetched and
// places it exactly as it would have fetched it.
#pragma once

#include <cstdint>
#include <filesystem>

#include "host/db/IDataBase.h"
#include "kesto/streams/StreamEncoding.h"

namespace kesto {

class VyStreamAgent;

// Reads what `agent` holds (from its read position, which it is left at) with `encoding` and the import
// option bits `options`, and fetches the http and https pictures its picture boxes name, as an import into
// `db` with the downloads folder `downloads` (empty: the preferences') would. Storage that cannot be read
// twice (a pipe) is left alone: its pictures are fetched one at a time as the import reaches them. False
// when the user cancelled.
bool PrefetchPictures(VyStreamAgent* agent, StreamEncoding encoding, IDataBase* db, uint32_t options,
                      const std::filesystem::path& downloads);

}  // namespace kesto
