// The Windows-1250 decoder registered with libxml2.
#pragma once

#include <libxml/encoding.h>

namespace pantrel {

// Registers the project's own Windows-1250 table as libxml2's handler for "windows-1250" and its
// aliases "cp1250" and "x-cp1250", so the embedded schema and specification files in that code
// page decode through one table on every platform, with or without iconv. Called once, after
// xmlInitParser, by PrepareXmlParser.
void RegisterWindows1250Encoding();

// libxml2's conversions of that handler: Windows-1250 bytes to UTF-8 and back. Each byte stands
// for one character, as on Windows, so decoding never fails; encoding answers -2 at the first
// character the code page cannot carry.
int Windows1250ToUtf8Chunk(unsigned char* out, int* outLength, const unsigned char* in,
                           int* inLength);
int Utf8ToWindows1250Chunk(unsigned char* out, int* outLength, const unsigned char* in,
                           int* inLength);

}  // namespace pantrel
