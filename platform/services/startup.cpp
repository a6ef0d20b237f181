#include "platform/services/startup.h"

#include <string>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "platform/files/locations.h"
#include "platform/files/safesave.h"
#include "platform/services/dialogs.h"

namespace services {

std::unique_ptr<files::InstanceLock> StartOnDataFolder(std::string_view lockName, std::string_view product,
                                                       std::string_view title,
                                                       const std::vector<std::string>& stores) {
    files::IgnoreFileSizeSignal();
    const auto folder = files::CurrentDirectory();
    auto lock = std::make_unique<files::InstanceLock>(folder, lockName);
    // Only the holder of the folder may tidy it: another instance's save may be under way.
    if (lock->state() == files::InstanceLock::State::Held) files::RemoveLeftoverSaves(folder, stores);
    if (lock->state() != files::InstanceLock::State::Busy) return lock;
    const std::string name(product);
    MsgBox(name + " is already running on the data folder \"" + folder.string() + "\".\r\n\r\nOnly one " + name +
               " can work with a folder's files at a time, so this one closes without opening them.",
           vbOKOnly | vbExclamation, title);
    return nullptr;
}

void GiveBackFreedMemory() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

}  // namespace services
