#include "platform/files/regapi.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

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
// variable is expanded against its own layer and the ones below; a name in a circle with it
// (itself, or names that lead back to it) takes the value of the layer below, so the user's
// Path = "%Path%;D:\Mine" extends the machine's Path. No value grows past kMaxExpandedLength and
// names nest at most kMaxNesting deep: a variable whose expansion would pass either keeps its
// text as stored. Circles and bounds belong to the variables, not to the text that names them,
// so a name gives the same text wherever it stands.
//
// Work and memory stay in proportion to the registry whatever its variables hold: each variable
// is resolved once per layer into its length and its pieces (runs of its own text and the
// variables it names), and only the one text asked for is put together from them. Nothing
// recurses as deep as the names nest.
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
        const std::vector<Ref> refs = Parse(text, kUser);
        for (const Ref& r : refs) Settle(r.near);
        std::size_t length = 0;
        std::vector<Piece> pieces;
        if (!Resolve(text, refs, kNoCircle, pieces, length)) return std::string(text);
        std::string out;
        out.reserve(length);
        Join(text, pieces, out);
        return out;
    }

private:
    enum { kProcess, kMachine, kUser, kLayers };
    // Names nest no deeper than this in a value; a variable whose names nest deeper keeps its
    // text as stored. Real environments nest two or three deep.
    static constexpr int kMaxNesting = 32;
    static constexpr int kNoCircle = -1;

    struct Layer {
        const Registry* registry = nullptr;
        HKEY root = 0;
        std::string key;
    };
    struct Entry;
    // A name in a text, from its opening '%' to its closing one: the variable it names as seen
    // from the text's layer and, for a name in a circle with its text's variable, as seen from
    // the layer below.
    struct Ref {
        std::size_t begin = 0, size = 0;
        Entry* near = nullptr;
        Entry* below = nullptr;
    };
    // A run of the owner's text, or (with `value`) a variable's value that is not empty.
    struct Piece {
        std::size_t begin = 0, size = 0;
        const Entry* value = nullptr;
    };
    struct Entry {
        int layer = kProcess;
        bool defined = false;
        bool expandable = false;
        bool expanded = false;  // the value is made of `pieces`, not `text` as it stands
        std::string text;
        std::vector<Ref> refs;  // while it is being settled
        std::vector<Piece> pieces;
        std::size_t length = 0;  // of the value
        int depth = 0;           // how deep names nest in its text, kMaxNesting + 1 at most
        // The walk that finds circles (Tarjan's): when it was reached, the earliest entry it leads
        // back to, and the circle it was settled with.
        int index = -1, low = 0, circle = kNoCircle;
        bool onStack = false, settled = false;
    };

    // The variable of that name as seen from layer `top`, or null when no layer defines it.
    Entry* Lookup(const std::string& name, int top) {
        for (int layer = top; layer >= kProcess; --layer) {
            auto [it, added] = memo_[layer].try_emplace(vb::UCase(name));
            Entry& entry = it->second;
            if (added) {
                entry.layer = layer;
                if (layer == kProcess) {
                    if (auto value = ProcessVariable(name)) entry.defined = true, entry.text = std::move(*value);
                } else if (auto stored = Stored(layers_[layer], name)) {
                    entry.defined = true;
                    entry.text = std::move(stored->first);
                    entry.expandable = stored->second;
                }
            }
            if (entry.defined) return &entry;
        }
        return nullptr;
    }

    // The names in a text of that layer that some layer defines. One defined nowhere is left as
    // written, and its closing '%' may open the next name.
    std::vector<Ref> Parse(std::string_view text, int layer) {
        std::vector<Ref> refs;
        std::size_t pos = 0;
        for (;;) {
            std::size_t open = text.find('%', pos);
            std::size_t close = open == std::string_view::npos ? open : text.find('%', open + 1);
            if (close == std::string_view::npos) return refs;
            std::string name(text.substr(open + 1, close - open - 1));
            Entry* near = name.empty() ? nullptr : Lookup(name, layer);
            if (!near) {
                pos = close;
                continue;
            }
            refs.push_back({open, close - open + 1, near, nullptr});
            pos = close + 1;
        }
    }

    // What a name of a text in that circle stands for: null when it is left as written.
    static const Entry* Target(const Ref& r, int circle) {
        return circle != kNoCircle && r.near->circle == circle ? r.below : r.near;
    }

    // Settles the entry and every one it leads to, a circle of names at a time, each circle once
    // all it leads out to is settled. The walk keeps its own stack, however long the chain; it
    // starts anew for a layer below only (from Finish), so it nests no deeper than the layers.
    void Settle(Entry* root) {
        if (root->settled) return;
        struct Step {
            Entry* entry;
            std::size_t next;  // the next of its names to follow
        };
        std::vector<Step> steps;
        std::vector<Entry*> stack;
        auto reach = [&](Entry* e) {
            e->index = e->low = visits_++;
            e->onStack = true;
            stack.push_back(e);
            if (e->expandable) e->refs = Parse(e->text, e->layer);
            steps.push_back({e, 0});
        };
        reach(root);
        while (!steps.empty()) {
            Entry* e = steps.back().entry;
            if (std::size_t next = steps.back().next++; next < e->refs.size()) {
                Entry* to = e->refs[next].near;
                if (to->settled) continue;
                if (to->index < 0) reach(to);
                else if (to->onStack) e->low = std::min(e->low, to->index);
                continue;
            }
            steps.pop_back();
            if (!steps.empty()) steps.back().entry->low = std::min(steps.back().entry->low, e->low);
            if (e->low != e->index) continue;
            // e and the entries above it on the stack lead back to each other: one circle.
            std::size_t first = stack.size() - 1;
            while (stack[first] != e) --first;
            for (std::size_t i = first; i < stack.size(); ++i) stack[i]->onStack = false, stack[i]->circle = e->index;
            for (std::size_t i = first; i < stack.size(); ++i) Finish(*stack[i]);
            stack.resize(first);
        }
    }

    // Its depth, and its value when the bounds allow; all it names outside its circle is settled.
    void Finish(Entry& e) {
        e.length = e.text.size();
        for (Ref& r : e.refs) {
            if (r.near->circle != e.circle) continue;
            r.below = Lookup(std::string(e.text.substr(r.begin + 1, r.size - 2)), e.layer - 1);
            if (r.below) Settle(r.below);
        }
        for (const Ref& r : e.refs) {
            if (const Entry* to = Target(r, e.circle)) e.depth = std::max(e.depth, to->depth + 1);
        }
        e.depth = std::min(e.depth, kMaxNesting + 1);
        if (e.depth <= kMaxNesting && !e.refs.empty()) {
            std::size_t length = 0;
            e.expanded = Resolve(e.text, e.refs, e.circle, e.pieces, length);
            if (e.expanded) e.length = length;
            else e.pieces = {};
        }
        e.refs = {};
        e.settled = true;
    }

    // The pieces of a text with its names resolved, and their length; false when that would pass
    // kMaxExpandedLength.
    static bool Resolve(std::string_view text, const std::vector<Ref>& refs, int circle, std::vector<Piece>& pieces,
                        std::size_t& length) {
        auto add = [&](std::size_t begin, std::size_t size, const Entry* value) {
            const std::size_t adds = value ? value->length : size;
            if (adds > kMaxExpandedLength - length) return false;
            length += adds;
            if (adds) pieces.push_back({begin, size, value});
            return true;
        };
        std::size_t pos = 0;
        for (const Ref& r : refs) {
            const Entry* value = Target(r, circle);
            if (!value) continue;  // left as written
            while (value->expanded && value->pieces.size() == 1 && value->pieces[0].value)
                value = value->pieces[0].value;
            if (!add(pos, r.begin - pos, nullptr) || !add(0, 0, value)) return false;
            pos = r.begin + r.size;
        }
        return add(pos, text.size() - pos, nullptr);
    }

    // The text of pieces resolved from `text`. Every piece puts a character out at least, and no
    // piece names a value that is only another value, so the steps are as many as the characters.
    static void Join(std::string_view text, const std::vector<Piece>& pieces, std::string& out) {
        struct Step {
            std::string_view text;
            const std::vector<Piece>* pieces;
            std::size_t next;
        };
        std::vector<Step> stack{{text, &pieces, 0}};
        while (!stack.empty()) {
            Step& step = stack.back();
            if (step.next == step.pieces->size()) {
                stack.pop_back();
                continue;
            }
            const Piece& p = (*step.pieces)[step.next++];
            if (!p.value) out.append(step.text.substr(p.begin, p.size));
            else if (p.value->expanded) stack.push_back({p.value->text, &p.value->pieces, 0});
            else out += p.value->text;
        }
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
    int visits_ = 0;
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
