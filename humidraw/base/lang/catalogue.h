#pragma once
// The English texts of the translation files, generated from them when the libraries are built.
#include <cstddef>

namespace humidraw {

struct CatalogueEntry {
    const char* context;
    const char* source;
    const char* english;
};

// Sorted by context, then source, comparing bytes.
extern const CatalogueEntry kCatalogue[];
extern const std::size_t kCatalogueSize;

}  // namespace humidraw
