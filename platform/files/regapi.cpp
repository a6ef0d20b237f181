#include "platform/files/regapi.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

#include "platform/core/error.h"
#include "platform/core/text.h"
#include "platform/files/locations.h"

extern char** environ;

namespace files {

namespace fs = std::filesystem;

namespace {

struct OpenKey {
    std::shared_ptr<const Registry> registry;
    HKEY root;
    std::string path;  // UTF-8
};

struct Cached {
    struct timespec mtime {};
    off_t size = -1;
    HKEY hive = 0;
    std::shared_ptr<const Registry> registry;
    std::optional<vb::Error> error;  // the file is there but cannot be read
};

std::mutex mutex;
std::map<HKEY, OpenKey> handles;
HKEY nextHandle = 0x100;
std::map<std::string, Cached> cache;

bool IsRoot(HKEY h) { return h >= HKEY_CLASSES_ROOT && h <= HKEY_CURRENT_CONFIG; }

// One parse per file version; tests that point the environment elsewhere get the new file. A
// missing file is an empty registry.
const Cached& Load(const fs::path& file, HKEY hive) {
    struct stat st {};
    bool exists = ::stat(file.c_str(), &st) == 0;
    Cached& c = cache[file.string()];
    if (c.registry && exists && c.size == st.st_size && c.mtime.tv_sec == st.st_mtim.tv_sec &&
        c.mtime.tv_nsec == st.st_mtim.tv_nsec && c.hive == hive)
        return c;
    auto reg = std::make_shared<Registry>();
    c.error.reset();
    try {
        reg->LoadFile(file, hive);
    } catch (const vb::Error& e) {
        c.error = e;
    }
    c.registry = reg;
    c.size = exists ? st.st_size : -1;
    c.mtime = exists ? st.st_mtim : timespec{};
    c.hive = hive;
    return c;
}

// The hive file behind a root: Wine keeps the classes under the machine's Software\Classes.
const Cached& LoadRoot(HKEY root) {
    return Load(RegistryFile(root), root == HKEY_CURRENT_USER ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE);
}

long ErrorCode(const vb::Error& e) {
    return e.number == vb::errInvalidFileFormat ? ERROR_REGISTRY_CORRUPT : ERROR_REGISTRY_IO_FAILED;
}

std::string Env(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

std::string Join(std::string_view base, std::string_view sub) {
    std::string a(base), b(sub);
    while (!b.empty() && b.front() == '\\') b.erase(0, 1);
    if (a.empty()) return b;
    if (b.empty()) return a;
    return a + "\\" + b;
}

constexpr DWORD kWriteRights = KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK | 0x00010000 /* DELETE */ |
                               0x00040000 /* WRITE_DAC */ | 0x00080000 /* WRITE_OWNER */ |
                               0x40000000 /* GENERIC_WRITE */ | 0x10000000 /* GENERIC_ALL */;

}  // namespace

fs::path RegistryFile(HKEY root) {
    std::string single = Env("REGISTRY_FILE");
    if (!single.empty()) return single;
    std::string prefix = Env("WINEPREFIX");
    fs::path dir = prefix.empty() ? fs::path(Env("HOME")) / ".wine" : fs::path(prefix);
    return dir / (root == HKEY_CURRENT_USER ? "user.reg" : "system.reg");
}

long RegOpenKeyEx(HKEY root, std::string_view subKey, DWORD options, DWORD access, HKEY* result) {
    if (!result) return ERROR_INVALID_PARAMETER;
    *result = 0;
    if (access & kWriteRights) return ERROR_ACCESS_DENIED;
    std::string sub = vb::ToUtf8(subKey);

    std::lock_guard lock(mutex);
    OpenKey base;
    if (IsRoot(root)) {
        const Cached& c = LoadRoot(root);
        if (c.error) return ErrorCode(*c.error);
        base = OpenKey{c.registry, root, {}};
    } else {
        auto it = handles.find(root);
        if (it == handles.end()) return ERROR_INVALID_HANDLE;
        base = it->second;
    }

    std::vector<std::pair<HKEY, std::string>> candidates{{base.root, Join(base.path, sub)}};
    if (base.root == HKEY_CLASSES_ROOT)
        candidates.emplace_back(HKEY_LOCAL_MACHINE, Join("Software\\Classes", Join(base.path, sub)));
    if (base.root == HKEY_LOCAL_MACHINE) {
        std::string full = Join(base.path, sub);
        std::string upper = vb::UCase(full);
        if (upper.rfind("SOFTWARE\\", 0) == 0 && upper.rfind("SOFTWARE\\WOW6432NODE", 0) != 0)
            candidates.emplace_back(HKEY_LOCAL_MACHINE, "Software\\Wow6432Node\\" + full.substr(9));
    }
    for (auto& [r, path] : candidates) {
        if (!base.registry->HasKey(r, path)) continue;
        HKEY h = nextHandle++;
        handles[h] = OpenKey{base.registry, r, path};
        *result = h;
        return ERROR_SUCCESS;
    }
    return ERROR_FILE_NOT_FOUND;
}

long RegQueryValueEx(HKEY key, std::string_view valueName, DWORD* type, std::uint8_t* data, DWORD* byteCount) {
    OpenKey open;
    {
        std::lock_guard lock(mutex);
        if (IsRoot(key)) {
            const Cached& c = LoadRoot(key);
            if (c.error) return ErrorCode(*c.error);
            open = OpenKey{c.registry, key, {}};
        } else {
            auto it = handles.find(key);
            if (it == handles.end()) return ERROR_INVALID_HANDLE;
            open = it->second;
        }
    }
    if (data && !byteCount) return ERROR_INVALID_PARAMETER;
    const RegValue* v = open.registry->Find(open.root, open.path, vb::ToUtf8(valueName));
    if (!v) return ERROR_FILE_NOT_FOUND;

    std::string bytes = v->data;
    if (v->type == REG_SZ || v->type == REG_EXPAND_SZ || v->type == REG_MULTI_SZ)
        bytes = vb::FromUtf8(RegTextToUtf8(v->data));
    if (type) *type = v->type;
    if (!byteCount) return ERROR_SUCCESS;
    DWORD needed = static_cast<DWORD>(bytes.size());
    if (!data) {
        *byteCount = needed;
        return ERROR_SUCCESS;
    }
    if (*byteCount < needed) {
        *byteCount = needed;
        return ERROR_MORE_DATA;
    }
    std::copy(bytes.begin(), bytes.end(), data);
    *byteCount = needed;
    return ERROR_SUCCESS;
}

std::optional<vb::Error> RegistryFileError(HKEY root) {
    if (!IsRoot(root)) return std::nullopt;
    std::lock_guard lock(mutex);
    return LoadRoot(root).error;
}

long RegCloseKey(HKEY key) {
    if (IsRoot(key)) return ERROR_SUCCESS;
    std::lock_guard lock(mutex);
    return handles.erase(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

namespace {

// %NAME% replaced by what the lookup gives (a pointer to the value, null for a name it does not
// know, which stays as written). Nothing when the result would pass kMaxExpandedLength.
template <class Lookup>
std::optional<std::string> Expand(std::string_view text, Lookup&& lookup) {
    std::string out;
    auto append = [&out](std::string_view part) {
        if (part.size() > kMaxExpandedLength - out.size()) return false;
        out.append(part);
        return true;
    };
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t open = text.find('%', pos);
        std::size_t close = open == std::string_view::npos ? open : text.find('%', open + 1);
        if (close == std::string_view::npos) {
            if (!append(text.substr(pos))) return std::nullopt;
            break;
        }
        if (!append(text.substr(pos, open - pos))) return std::nullopt;
        std::string name(text.substr(open + 1, close - open - 1));
        const std::string* value = name.empty() ? nullptr : lookup(name);
        if (value) {
            if (!append(*value)) return std::nullopt;
            pos = close + 1;
        } else {
            // Left as written; the closing '%' may open the next name.
            if (!append(text.substr(open, close - open))) return std::nullopt;
            pos = close;
        }
    }
    return out;
}

std::optional<std::string> ProcessVariable(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    if (!value) {
        std::string wanted = vb::UCase(name) + "=";
        for (char** e = environ; e && *e; ++e) {
            std::string_view entry(*e);
            if (entry.size() >= wanted.size() && vb::UCase(entry.substr(0, wanted.size())) == wanted) {
                value = *e + wanted.size();
                break;
            }
        }
    }
    if (!value) return std::nullopt;
    return vb::FromUtf8(value);  // the environment is UTF-8, our text Windows-1252
}

constexpr std::string_view kMachineEnvironment = "System\\CurrentControlSet\\Control\\Session Manager\\Environment";
constexpr std::string_view kUserEnvironment = "Environment";

// A key path with a leading part that is a link (Wine keeps CurrentControlSet as a link to
// ControlSet001) replaced by the link's target under the same root.
std::string FollowLink(const Registry& reg, HKEY root, const std::string& path) {
    constexpr std::string_view kMachinePrefix = "\\REGISTRY\\MACHINE\\";
    if (root != HKEY_LOCAL_MACHINE) return path;
    std::size_t end = 0;
    while ((end = path.find('\\', end + 1)) != std::string::npos) {
        const RegValue* link = reg.Find(root, path.substr(0, end), "SymbolicLinkValue");
        if (!link || link->type != REG_LINK) continue;
        std::string target = RegTextToUtf8(link->data);
        if (std::size_t nul = target.find('\0'); nul != std::string::npos) target.resize(nul);
        if (vb::UCase(target).rfind(kMachinePrefix, 0) != 0) return path;
        return target.substr(kMachinePrefix.size()) + path.substr(end);
    }
    return path;
}

// The environment a program of the prefix starts with, built as the desktop builds a user's: the
// process's at the bottom, the machine's variables over it, the user's over those. An expandable
// variable is expanded against its own layer and the ones below; a name it meets while that name
// is still being expanded (itself, or a circle of names) takes the value of the layer below, so
// the user's Path = "%Path%;D:\Mine" extends the machine's Path. Every variable is expanded once
// per layer, and no value grows past kMaxExpandedLength, so work and size are bounded whatever
// the registry holds.
class Environment {
public:
    Environment(const Registry* machine, const Registry* user) {
        layers_[kMachine] = {machine, HKEY_LOCAL_MACHINE, std::string(kMachineEnvironment)};
        layers_[kUser] = {user, HKEY_CURRENT_USER, std::string(kUserEnvironment)};
        for (Layer& l : layers_) {
            if (l.registry && l.root && !l.registry->HasKey(l.root, l.key))
                l.key = FollowLink(*l.registry, l.root, l.key);
        }
    }

    std::string ExpandText(std::string_view text) {
        auto expanded = Expand(text, [this](const std::string& name) { return Value(name, kUser, 0); });
        return expanded ? *expanded : std::string(text);
    }

private:
    enum { kProcess, kMachine, kUser, kLayers };
    // Names nest no deeper than this; further in, a variable keeps its text as written. Real
    // environments nest two or three deep; the bound keeps the stack small on a hostile chain.
    static constexpr int kMaxNesting = 32;

    struct Layer {
        const Registry* registry = nullptr;
        HKEY root = 0;
        std::string key;
    };
    struct Entry {
        bool expanding = false;
        std::optional<std::string> value;  // nothing: not defined in this layer
    };

    // The value of a name as seen from layer `top`.
    const std::string* Value(const std::string& name, int top, int depth) {
        std::string folded = vb::UCase(name);
        for (int layer = top; layer >= kProcess; --layer) {
            auto [it, added] = memo_[layer].try_emplace(folded);
            Entry& entry = it->second;
            if (!added) {
                if (!entry.expanding && entry.value) return &*entry.value;
                continue;
            }
            if (layer == kProcess) {
                entry.value = ProcessVariable(name);
            } else if (auto stored = Stored(layers_[layer], name)) {
                entry.value = std::move(stored->first);
                if (stored->second && depth < kMaxNesting) {
                    entry.expanding = true;
                    auto expanded = Expand(*entry.value, [this, layer, depth](const std::string& n) {
                        return Value(n, layer, depth + 1);
                    });
                    entry.expanding = false;
                    if (expanded) entry.value = std::move(*expanded);
                }
            }
            if (entry.value) return &*entry.value;
        }
        return nullptr;
    }

    // A text variable of a layer as stored, and whether it is expandable.
    static std::optional<std::pair<std::string, bool>> Stored(const Layer& layer, const std::string& name) {
        if (!layer.registry) return std::nullopt;
        const RegValue* v = layer.registry->Find(layer.root, layer.key, vb::ToUtf8(name));
        if (!v || (v->type != REG_SZ && v->type != REG_EXPAND_SZ)) return std::nullopt;
        std::string text = RegTextToUtf8(v->data);
        if (std::size_t nul = text.find('\0'); nul != std::string::npos) text.resize(nul);
        return std::pair{vb::FromUtf8(text), v->type == REG_EXPAND_SZ};
    }

    Layer layers_[kLayers];
    std::map<std::string, Entry> memo_[kLayers];
};

}  // namespace

std::string ExpandEnvironmentStrings(std::string_view text) {
    return Environment(nullptr, nullptr).ExpandText(text);
}

std::string ExpandRegistryString(std::string_view text, const Registry* machine, const Registry* user) {
    return Environment(machine, user).ExpandText(text);
}

std::string ExpandRegistryString(std::string_view text) {
    std::shared_ptr<const Registry> machine, user;
    {
        std::lock_guard lock(mutex);
        if (const Cached& c = LoadRoot(HKEY_LOCAL_MACHINE); !c.error) machine = c.registry;
        if (const Cached& c = LoadRoot(HKEY_CURRENT_USER); !c.error) user = c.registry;
    }
    return ExpandRegistryString(text, machine.get(), user.get());
}

}  // namespace files
