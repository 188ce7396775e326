#include "platform/Resources.h"
#include "platform/raster/Objects.h"
#include "platform/resources/BmpDecoder.h"

#include <iterator>
#include <map>
#include <utility>
#include <vector>

namespace {

std::map<std::pair<HINSTANCE, int>, std::vector<unsigned char>>& bitmapResources() {
    static auto* table = new std::map<std::pair<HINSTANCE, int>, std::vector<unsigned char>>;
    return *table;
}

} // namespace

void registerBitmapResource(HINSTANCE module, int id, const unsigned char* bmpFileData,
                            std::size_t size) {
    if (!bmpFileData) {
        return;
    }
    bitmapResources()[{module, id & 0xFFFF}].assign(bmpFileData, bmpFileData + size);
}

void unregisterBitmapResources(HINSTANCE module) {
    auto& table = bitmapResources();
    for (auto entry = table.begin(); entry != table.end();) {
        entry = entry->first.first == module ? table.erase(entry) : std::next(entry);
    }
}

HBITMAP LoadBitmapA(HINSTANCE module, LPCSTR name) {
    // Only numeric resource names are registered.
    if (!IS_INTRESOURCE(name)) {
        return nullptr;
    }
    const int id = int(reinterpret_cast<std::uintptr_t>(name) & 0xFFFF);
    auto& table = bitmapResources();
    auto found = table.find({module, id});
    if (found == table.end()) {
        return nullptr;
    }
    auto surface = platform::resources::decodeBmp(found->second.data(), found->second.size());
    if (!surface) {
        return nullptr;
    }
    auto bitmap = std::make_unique<platform::raster::Bitmap>(0, 0, 32);
    bitmap->surface = std::move(*surface);
    return static_cast<HBITMAP>(platform::raster::registerObject(std::move(bitmap)));
}
