// The settings store: one text per backslash-separated key path below the maker key.
#pragma once

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/// The setting's text in a per-thread buffer valid until this thread's next call, or
/// `defaultText` itself (the same pointer) when the setting cannot be read.
const char* RegGetString(const char* path, const char* defaultText);
/// 1 when the setting parses to exactly the number 1, 0 for anything else, `defaultValue`
/// when it cannot be read.
int32_t RegGetBool(const char* path, int32_t defaultValue);
int32_t RegGetDWord(const char* path, int32_t defaultValue);
uint16_t RegGetWord(const char* path, uint16_t defaultValue);
/// 1 when the text was stored, 0 otherwise. Creates every missing key along the path.
int32_t RegWriteString(const char* path, const char* text);

#ifdef __cplusplus
}
#endif
