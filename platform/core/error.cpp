#include "platform/core/error.h"

namespace vb {

std::string ErrorDescription(int number) {
    switch (number) {
    case 3: return "Return without GoSub";
    case 5: return "Invalid procedure call or argument";
    case 6: return "Overflow";
    case 7: return "Out of memory";
    case 9: return "Subscript out of range";
    case 11: return "Division by zero";
    case 13: return "Type mismatch";
    case 52: return "Bad file name or number";
    case 53: return "File not found";
    case 54: return "Bad file mode";
    case 55: return "File already open";
    case 57: return "Device I/O error";
    case 58: return "File already exists";
    case 59: return "Bad record length";
    case 61: return "Disk full";
    case 62: return "Input past end of file";
    case 63: return "Bad record number";
    case 70: return "Permission denied";
    case 75: return "Path/File access error";
    case 76: return "Path not found";
    case 91: return "Object variable or With block variable not set";
    case 93: return "Invalid pattern string";
    case 321: return "Invalid file format";
    case 380: return "Invalid property value";
    case 32755: return "Cancel was selected.";
    default: return "Application-defined or object-defined error";
    }
}

Error::Error(int n) : Error(n, ErrorDescription(n)) {}

Error::Error(int n, std::string desc, std::string src)
    : std::runtime_error(desc), number(n), description(std::move(desc)), source(std::move(src)) {}

}  // namespace vb
