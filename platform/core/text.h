#pragma once
// Text is std::string holding Windows-1252 bytes, one byte per character, as the files store it.
// Conversion to Unicode happens only at the edges (toolkit, mail, PDF).
#include <cstdint>
#include <string>
#include <string_view>

namespace vb {

// Windows-1252 <-> UTF-8. Every byte round-trips (0x81, 0x8D, 0x8F, 0x90, 0x9D map to the C1
// controls U+0081 ...). Characters with no Windows-1252 byte become '?'.
std::string ToUtf8(std::string_view cp1252);
std::string FromUtf8(std::string_view utf8);
char32_t ToUnicode(unsigned char byte);
// UTF-8 code points: append one; read one at pos (false, pos unchanged, when malformed or cut short).
void AppendUtf8(std::string& out, char32_t cp);
bool DecodeUtf8(std::string_view s, std::size_t& pos, char32_t& cp);
int FromUnicode(char32_t cp);  // -1 when there is no byte for it

enum class Compare { Binary, Text };

// Windows-1252 letter case ("\xE9" <-> "\xC9", "\x9A" <-> "\x8A" ...).
std::string UCase(std::string_view s);
std::string LCase(std::string_view s);
// Appends LCase(s): text compare orders texts as their lower-case forms' bytes (unsigned) do.
void AppendLCase(std::string& out, std::string_view s);
// -1, 0, 1. Text compare ignores letter case; it is the one order of sorted lists.
int StrComp(std::string_view a, std::string_view b, Compare mode = Compare::Binary);
bool TextLess(std::string_view a, std::string_view b);  // StrComp(a, b, Text) < 0

// The old string functions; positions count from 1, out-of-range arguments clamp as the runtime did
// (a start or length below the valid range raises error 5).
std::string Left(std::string_view s, long n);
std::string Right(std::string_view s, long n);
std::string Mid(std::string_view s, long start);
std::string Mid(std::string_view s, long start, long length);
std::string LTrim(std::string_view s);
std::string RTrim(std::string_view s);
std::string Trim(std::string_view s);
std::string Space(long n);
std::string String(long n, char c);
long InStr(std::string_view s, std::string_view find, Compare mode = Compare::Binary);
long InStr(long start, std::string_view s, std::string_view find, Compare mode = Compare::Binary);
long InStrRev(std::string_view s, std::string_view find, Compare mode = Compare::Binary);
std::string Replace(std::string_view s, std::string_view find, std::string_view with,
                    Compare mode = Compare::Binary);
std::string Chr(int code);  // error 5 outside 0..255
int Asc(std::string_view s);  // error 5 for an empty text
inline long Len(std::string_view s) { return static_cast<long>(s.size()); }

// Fixed-width field: cut to width or padded with blanks (the runtime's assignment to String * n).
std::string FixedField(std::string_view s, std::size_t width);

}  // namespace vb
