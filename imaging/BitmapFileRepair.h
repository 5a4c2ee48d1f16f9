#pragma once
// Corrects the header of a Windows bitmap file written by a platform encoder that leaves the
// file size short of the colour table and fills the table's reserved bytes (seen under Wine):
// strict readers reject such files. Anything that is not a consistent bitmap is left alone.
#include <cstdint>
#include <vector>

namespace pelorine {

void RepairBitmapFile(std::vector<std::uint8_t>& file);

} // namespace pelorine
