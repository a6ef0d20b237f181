#pragma once
// A fixed-width text field that takes few distinct values, such as a food's group: every record
// holding the same bytes names one shared copy of them by a 4-byte index. A food database of
// 32,767 foods in thirty groups would otherwise hold the 60-byte group text 32,767 times.
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>
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
    SharedFixedString() : i_(Unfilled()) {}
    explicit SharedFixedString(const Fixed& f) : i_(Intern(f)) {}
    // Pads with blanks and cuts, as assigning text to the field does.
    template <typename T>
        requires std::is_convertible_v<const T&, std::string_view>
    SharedFixedString(const T& s) : i_(Intern(Fixed(s))) {}  // NOLINT: assigning text is the point
    template <typename T>
        requires std::is_convertible_v<const T&, std::string_view>
    SharedFixedString& operator=(const T& s) {
        i_ = Intern(Fixed(s));
        return *this;
    }
    SharedFixedString& operator=(const Fixed& f) {
        i_ = Intern(f);
        return *this;
    }

    const Fixed& fixed() const { return At(i_); }
    std::string str() const { return fixed().str(); }
    operator std::string() const { return str(); }  // NOLINT
    std::string_view view() const { return fixed().view(); }
    void SetRaw(std::string_view raw) {
        Fixed f;
        f.SetRaw(raw);
        i_ = Intern(f);
    }
    static constexpr std::size_t size() { return N; }
    // One shared copy per value, so equal bytes are an equal index.
    friend bool operator==(const SharedFixedString& a, const SharedFixedString& b) { return a.i_ == b.i_; }

private:
    // The values by index, in segments that never move, so reading one takes no lock. The
    // segment table is zero until used and costs no memory before.
    static constexpr std::uint32_t kSegmentBits = 8, kSegmentSize = 1u << kSegmentBits, kSegments = 1u << 18;
    static inline std::atomic<Fixed*> segments_[kSegments] = {};

    static const Fixed& At(std::uint32_t i) {
        return segments_[i >> kSegmentBits].load(std::memory_order_acquire)[i & (kSegmentSize - 1)];
    }
    static std::uint32_t Unfilled() {
        static const std::uint32_t unfilled = Intern(Fixed{});
        return unfilled;
    }
    // Safe from several threads (a table is read ahead on a thread of its own). The values stay
    // for the life of the process: they are few, and records anywhere may name them.
    static std::uint32_t Intern(const Fixed& f) {
        // Each thread remembers the values it met last, so a table's load rarely takes the lock.
        thread_local std::array<std::uint32_t, 64> recent = Nones();
        std::uint32_t& slot = recent[QuickHash(f.view()) % recent.size()];
        if (slot != kNone && At(slot) == f) return slot;
        struct Pool {
            std::mutex m;
            std::unordered_map<std::string_view, std::uint32_t> index;  // keys view the values
            std::uint32_t count = 0;
        };
        static Pool* const pool = new Pool;  // never destroyed: records may outlive static destruction
        std::lock_guard lock(pool->m);
        auto it = pool->index.find(f.view());
        if (it == pool->index.end()) {
            const std::uint32_t i = pool->count;
            if (i >= kSegments * kSegmentSize) throw std::bad_alloc();
            Fixed* segment = segments_[i >> kSegmentBits].load(std::memory_order_relaxed);
            if (!segment) {
                segment = new Fixed[kSegmentSize];
                segments_[i >> kSegmentBits].store(segment, std::memory_order_release);
            }
            segment[i & (kSegmentSize - 1)] = f;
            ++pool->count;
            it = pool->index.emplace(segment[i & (kSegmentSize - 1)].view(), i).first;
        }
        slot = it->second;
        return slot;
    }
    static std::array<std::uint32_t, 64> Nones() {
        std::array<std::uint32_t, 64> a;
        a.fill(kNone);
        return a;
    }
    // Only picks a cache slot: the first words of the text mixed (texts that share them just
    // take turns in the slot).
    static std::size_t QuickHash(std::string_view v) {
        std::uint64_t h = 0;
        for (std::size_t at = 0; at + 8 <= v.size() && at < 16; at += 8) {
            std::uint64_t w;
            std::memcpy(&w, v.data() + at, 8);
            h = (h ^ w) * 0x9E3779B97F4A7C15ull;
        }
        return static_cast<std::size_t>(h >> 40);
    }
    static constexpr std::uint32_t kNone = ~0u;

    std::uint32_t i_;
};

}  // namespace calories
