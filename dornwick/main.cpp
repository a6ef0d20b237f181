// Dornwick reads no command line; "--version" only tells what it is.
#include <iostream>
#include <string_view>

#include "dornwick/Dornwick.h"
#include "platform/files/instance.h"

int main(int argc, char** argv) {
    if (argc > 1 && std::string_view(argv[1]) == "--version") {
        std::cout << dornwick::kProductName << ' ' << dornwick::kVersion << '\n';
        return 0;
    }
    // An INI write past the file-size limit must fail and be told, not end the program half-way.
    files::IgnoreFileSizeSignal();
    return dornwick::Main();
}
