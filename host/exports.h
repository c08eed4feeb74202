#pragma once

#include <cstdint>

// The nine entry points of the module, as the host calls them: one path (UTF-8, the
// file-system encoding) or none, and a 32-bit result.
#define TOPAZ_EXPORT extern "C" __attribute__((visibility("default")))

TOPAZ_EXPORT int32_t NowyWniosek_();
TOPAZ_EXPORT int32_t EdytujWniosek_(const char* path);
TOPAZ_EXPORT int32_t PodgladWniosku_(const char* path);
TOPAZ_EXPORT int32_t DrukujWniosek_(const char* path);
TOPAZ_EXPORT int32_t SprawdzSume_(const char* path);
TOPAZ_EXPORT int32_t SilentCrcCheck_(const char* path);
TOPAZ_EXPORT int32_t SilentPreview_(const char* path);
TOPAZ_EXPORT int32_t SilentValidate_(const char* path);
TOPAZ_EXPORT int32_t SilentValCrcCheck_(const char* path);
