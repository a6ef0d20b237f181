#pragma once
// What a program does first, before it touches a file: saves that fail with an error instead of
// ending the program, and one running instance per data folder (the current folder).
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files/instance.h"

namespace services {

// The lock on the data folder, held while the returned object lives. nullptr, after a message box
// titled `title` that names the folder, when another instance of `product` holds it; the caller
// then ends without opening any file. Once the lock is held, what saves of the program's `stores`
// (files in the folder) left behind when a process ended in the middle of one is removed.
std::unique_ptr<files::InstanceLock> StartOnDataFolder(std::string_view lockName, std::string_view product,
                                                       std::string_view title,
                                                       const std::vector<std::string>& stores = {});

// Hands the heap freed by a large load (read buffers, parses moved elsewhere, sorting copies) back
// to the system, so it does not stay in the program's resident memory.
void GiveBackFreedMemory();

}  // namespace services
