#pragma once
// A fixed-width text field that takes few distinct values, such as a food's group: every record
// holding the same bytes points at one shared copy of them. A food database of 32,767 foods in
// thirty groups would otherwise hold the 60-byte group text 32,767 times.
#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>

#include "platform/files/records.h"

namespace calories {

template <std::size_t N>
class SharedFixedString {
public:
    using Fixed = files::FixedString<N>;

    // All NULs, as a field never filled.
    SharedFixedString() : p_(Unfilled()) {}
    explicit SharedFixedString(const Fixed& f) : p_(Intern(f)) {}
    // Pads with blanks and cuts, as assigning text to the field does.
    template <typename T>
        requires std::is_convertible_v<const T&, std::string_view>
    SharedFixedString(const T& s) : p_(Intern(Fixed(s))) {}  // NOLINT: assigning text is the point
    template <typename T>
        requires std::is_convertible_v<const T&, std::string_view>
    SharedFixedString& operator=(const T& s) {
        p_ = Intern(Fixed(s));
        return *this;
    }
    SharedFixedString& operator=(const Fixed& f) {
        p_ = Intern(f);
        return *this;
    }

    const Fixed& fixed() const { return *p_; }
    std::string str() const { return p_->str(); }
    operator std::string() const { return str(); }  // NOLINT
    std::string_view view() const { return p_->view(); }
    void SetRaw(std::string_view raw) {
        Fixed f;
        f.SetRaw(raw);
        p_ = Intern(f);
    }
    static constexpr std::size_t size() { return N; }
    // One shared copy per value, so equal bytes are an equal pointer.
    friend bool operator==(const SharedFixedString& a, const SharedFixedString& b) { return a.p_ == b.p_; }

private:
    static const Fixed* Unfilled() {
        static const Fixed* const unfilled = Intern(Fixed{});
        return unfilled;
    }
    // Safe from several threads (a table is read ahead on a thread of its own). The values stay
    // for the life of the process: they are few, and records anywhere may point at them.
    static const Fixed* Intern(const Fixed& f) {
        // Records of one group tend to come together: the last value found is tried first.
        thread_local const Fixed* last = nullptr;
        if (last && *last == f) return last;
        struct Pool {
            std::mutex m;
            std::unordered_map<std::string_view, std::unique_ptr<const Fixed>> values;  // keys view the values
        };
        static Pool* const pool = new Pool;  // never destroyed: records may outlive static destruction
        std::lock_guard lock(pool->m);
        auto it = pool->values.find(f.view());
        if (it == pool->values.end()) {
            auto copy = std::make_unique<const Fixed>(f);
            const std::string_view key = copy->view();
            it = pool->values.emplace(key, std::move(copy)).first;
        }
        last = it->second.get();
        return last;
    }

    const Fixed* p_;
};

}  // namespace calories
