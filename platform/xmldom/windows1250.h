#pragma once

// A table-driven windows-1250 codec registered with libxml2 under that name (and the
// alias CP1250): applications and the dictionary are written in this code page, and the
// table converts them several times faster than the C library's iconv.
void registerWindows1250Codec();

// The code page's byte for a character; 0 when the code page lacks it.
unsigned char windows1250Byte(char32_t c);
