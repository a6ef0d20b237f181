// Dornwick reads no command line; "--version" only tells what it is.
#include <iostream>
#include <string_view>

#include "dornwick/Dornwick.h"

int main(int argc, char** argv) {
    if (argc > 1 && std::string_view(argv[1]) == "--version") {
        std::cout << dornwick::kProductName << ' ' << dornwick::kVersion << '\n';
        return 0;
    }
    return dornwick::Main();
}
