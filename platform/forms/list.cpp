#include "platform/forms/list.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "platform/core/error.h"
#include "platform/core/text.h"
#include "platform/forms/detail.h"
#include "platform/forms/form.h"

namespace forms {

namespace detail {

std::pair<std::size_t, std::size_t> ItemStore::locate(int i) const {
    if (i >= size_) return {blocks_.size(), 0};
    const auto b = static_cast<std::size_t>(std::upper_bound(starts_.begin(), starts_.end(), i) - starts_.begin()) - 1;
    return {b, static_cast<std::size_t>(i - starts_[b])};
}

const ItemStore::Item& ItemStore::at(int i) const {
    auto [b, k] = locate(i);
    return blocks_[b][k];
}

ItemStore::Item& ItemStore::at(int i) {
    auto [b, k] = locate(i);
    return blocks_[b][k];
}

void ItemStore::insert(int i, Item item) {
    if (blocks_.empty()) {
        blocks_.emplace_back();
        starts_.push_back(0);
    }
    std::size_t b, k;
    if (i == size_) {
        b = blocks_.size() - 1;
        k = blocks_[b].size();
    } else {
        std::tie(b, k) = locate(i);
    }
    auto& block = blocks_[b];
    block.insert(block.begin() + static_cast<std::ptrdiff_t>(k), std::move(item));
    ++size_;
    for (std::size_t n = b + 1; n < starts_.size(); ++n) ++starts_[n];
    if (block.size() >= 2 * kBlock) {
        std::vector<Item> tail(std::make_move_iterator(block.begin() + kBlock), std::make_move_iterator(block.end()));
        block.resize(kBlock);
        const auto at = static_cast<std::ptrdiff_t>(b) + 1;
        blocks_.insert(blocks_.begin() + at, std::move(tail));
        starts_.insert(starts_.begin() + at, starts_[b] + static_cast<int>(kBlock));
    }
}

void ItemStore::push_back(Item item) {
    if (blocks_.empty() || blocks_.back().size() >= kBlock) {
        blocks_.emplace_back().reserve(kBlock);
        starts_.push_back(size_);
    }
    blocks_.back().push_back(std::move(item));
    ++size_;
}

void ItemStore::erase(int i) {
    auto [b, k] = locate(i);
    auto& block = blocks_[b];
    block.erase(block.begin() + static_cast<std::ptrdiff_t>(k));
    --size_;
    for (std::size_t n = b + 1; n < starts_.size(); ++n) --starts_[n];
    if (block.empty()) {
        blocks_.erase(blocks_.begin() + static_cast<std::ptrdiff_t>(b));
        starts_.erase(starts_.begin() + static_cast<std::ptrdiff_t>(b));
    }
}

void ItemStore::clear() {
    blocks_.clear();
    starts_.clear();
    size_ = 0;
}

int ItemStore::upper_bound(std::string_view text) const {
    // The first block whose first item is greater, then within the block before it.
    auto firstGreater = std::partition_point(blocks_.begin(), blocks_.end(), [&](const std::vector<Item>& block) {
        return !vb::TextLess(text, block.front().text);
    });
    if (firstGreater == blocks_.begin()) return 0;
    auto block = std::prev(firstGreater);
    auto pos = std::partition_point(block->begin(), block->end(),
                                    [&](const Item& item) { return !vb::TextLess(text, item.text); });
    return starts_[static_cast<std::size_t>(block - blocks_.begin())] + static_cast<int>(pos - block->begin());
}

}  // namespace detail

namespace {

[[noreturn]] void BadIndex() { throw vb::Error(381, "Invalid property array index"); }

bool StartsWithText(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && vb::StrComp(text.substr(0, prefix.size()), prefix, vb::Compare::Text) == 0;
}

}  // namespace

std::string ListControl::List(int index) const {
    if (index < 0 || index >= items_.size()) return {};
    return items_.at(index).text;
}

Long ListControl::ItemData(int index) const {
    if (index < 0 || index >= items_.size()) BadIndex();
    return items_.at(index).data;
}

void ListControl::AddItem(std::string text) {
    int at = sorted_ ? items_.upper_bound(text) : items_.size();
    AddItem(std::move(text), at);
}

void ListControl::AddItem(std::string text, int index) {
    if (index < 0 || index > items_.size()) throw vb::Error(vb::errInvalidProcedureCall);
    items_.insert(index, {std::move(text), 0});
    newIndex_ = index;
    if (listIndex_ >= index) ++listIndex_;
    if (Peer* p = LivePeer()) p->ItemsInserted(index, 1);
    AfterItemsChanged();
}

namespace {

// The positions of the items in sorted order, equal ones in the order given: the lower-case
// texts compared as bytes, from one buffer.
std::vector<int> SortedOrder(const std::vector<ListItem>& items) {
    const auto count = static_cast<int>(items.size());
    std::string folded;
    std::size_t total = 0;
    for (const auto& item : items) total += item.text.size();
    folded.reserve(total);
    for (const auto& item : items) vb::AppendLCase(folded, item.text);
    // Each key carries the eight bytes after the part all keys share as a number, which settles
    // most comparisons; equal numbers compare the whole texts.
    const std::string_view all(folded);
    std::size_t common = items.front().text.size();
    {
        std::size_t offset = 0;
        const std::string_view first = all.substr(0, common);
        for (const auto& item : items) {
            const std::string_view key = all.substr(offset, item.text.size());
            offset += item.text.size();
            std::size_t k = 0;
            while (k < common && k < key.size() && key[k] == first[k]) ++k;
            common = k;
        }
    }
    struct Key {
        std::uint64_t head;
        std::string_view text;
        int index;
    };
    std::vector<Key> keys;
    keys.reserve(items.size());
    std::size_t offset = 0;
    for (int i = 0; i < count; ++i) {
        const std::string_view text = all.substr(offset, items[static_cast<std::size_t>(i)].text.size());
        offset += text.size();
        std::uint64_t head = 0;
        for (std::size_t k = 0; k < 8; ++k)
            head = head << 8 | (common + k < text.size() ? static_cast<unsigned char>(text[common + k]) : 0u);
        keys.push_back({head, text, i});
    }
    std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) {
        if (a.head != b.head) return a.head < b.head;
        const int c = a.text.compare(b.text);
        return c < 0 || (c == 0 && a.index < b.index);
    });
    std::vector<int> order;
    order.reserve(items.size());
    for (const Key& k : keys) order.push_back(k.index);
    return order;
}

}  // namespace

// Whether the texts may simply follow the list's items.
template <class Texts, class TextOf>
bool ListControl::FollowInOrder(const Texts& texts, TextOf textOf) const {
    if (!sorted_ || texts.empty()) return true;
    const int before = items_.size();
    if (before > 0 && vb::TextLess(textOf(texts.front()), items_.at(before - 1).text)) return false;
    for (std::size_t i = 1; i < texts.size(); ++i)
        if (vb::TextLess(textOf(texts[i]), textOf(texts[i - 1]))) return false;
    return true;
}

void ListControl::Appended(int before) {
    newIndex_ = items_.size() - 1;  // the selection, if any, lies before them
    if (Peer* p = LivePeer()) p->ItemsInserted(before, items_.size() - before);
    AfterItemsChanged();
}

void ListControl::AddItems(std::vector<std::string> texts) {
    if (texts.empty()) return;
    if (FollowInOrder(texts, [](const std::string& t) -> const std::string& { return t; })) {
        // The usual way to fill a list from a table sorted ahead: no copy of the texts.
        const int before = items_.size();
        for (auto& text : texts) items_.push_back({std::move(text), 0});
        Appended(before);
        return;
    }
    std::vector<ListItem> items;
    items.reserve(texts.size());
    for (auto& text : texts) items.push_back({std::move(text), 0});
    AddItems(std::move(items));
}

void ListControl::AddItems(std::vector<ListItem> items) {
    if (items.empty()) return;
    const int before = items_.size();
    const auto count = static_cast<int>(items.size());
    const bool inOrder = FollowInOrder(items, [](const ListItem& i) -> const std::string& { return i.text; });
    if (!inOrder && before > 64 * count) {
        // A few into many: each goes to its place.
        for (auto& item : items) {
            AddItem(std::move(item.text));
            items_.at(newIndex_).data = item.data;
        }
        return;
    }
    if (inOrder) {
        for (auto& item : items) items_.push_back(std::move(item));
        Appended(before);
        return;
    }
    // Merged with the list, an equal item of the list first, as inserting each after its equals
    // does.
    const std::vector<int> order = SortedOrder(items);
    detail::ItemStore merged;
    int selected = -1;
    std::size_t next = 0;
    auto takeAdded = [&] {
        const int i = order[next++];
        if (i == count - 1) newIndex_ = merged.size();
        merged.push_back(std::move(items[static_cast<std::size_t>(i)]));
    };
    int at = 0;
    items_.drain([&](ListItem&& item) {
        while (next < order.size() && vb::TextLess(items[static_cast<std::size_t>(order[next])].text, item.text)) takeAdded();
        if (at++ == listIndex_) selected = merged.size();
        merged.push_back(std::move(item));
    });
    while (next < order.size()) takeAdded();
    items_ = std::move(merged);
    if (listIndex_ >= 0) listIndex_ = selected;
    if (Peer* p = LivePeer()) {
        if (before == 0) p->ItemsInserted(0, count);
        else p->ItemsReset();
    }
    AfterItemsChanged();
}

void ListControl::RemoveItem(int index) {
    if (index < 0 || index >= items_.size()) throw vb::Error(vb::errInvalidProcedureCall);
    items_.erase(index);
    newIndex_ = -1;
    bool selectionGone = listIndex_ == index;
    if (selectionGone) listIndex_ = -1;
    else if (listIndex_ > index) --listIndex_;
    if (Peer* p = LivePeer()) p->ItemsRemoved(index, 1);
    if (selectionGone) Notify(Property::ListIndex);
    AfterItemsChanged();
}

void ListControl::Clear() {
    items_.clear();
    newIndex_ = -1;
    listIndex_ = -1;
    if (Peer* p = LivePeer()) p->ItemsReset();
    Notify(Property::ListIndex);
    AfterClear();
    AfterItemsChanged();
}

namespace {

// The first item from after `startAfter` to the end, then from the start up to it, that matches.
template <class Match>
int FindWrapping(const detail::ItemStore& items, int startAfter, Match match) {
    const int n = items.size();
    if (n == 0) return -1;
    const int start = startAfter < -1 || startAfter >= n ? -1 : startAfter;
    int found = -1;
    auto scan = [&](int from, int to) {
        int i = from;
        items.visit_from(from, [&](const ListItem& item) {
            if (i >= to) return false;
            if (match(item.text)) {
                found = i;
                return false;
            }
            ++i;
            return true;
        });
    };
    scan(start + 1, n);
    if (found < 0) scan(0, start + 1);
    return found;
}

}  // namespace

int ListControl::FindString(std::string_view prefix, int startAfter) const {
    if (prefix.empty()) return -1;
    return FindWrapping(items_, startAfter, [&](const std::string& text) { return StartsWithText(text, prefix); });
}

int ListControl::FindStringExact(std::string_view text, int startAfter) const {
    return FindWrapping(items_, startAfter,
                        [&](const std::string& item) { return vb::StrComp(item, text, vb::Compare::Text) == 0; });
}

void ListControl::SetListIndex(int index) {
    if (index < -1 || index >= items_.size()) throw vb::Error(vb::errInvalidPropertyValue);
    if (index == listIndex_) return;
    listIndex_ = index;
    Notify(Property::ListIndex);
    AfterSelect(true);
    detail::Fire(Click);
}

void ListControl::SetList(int index, std::string text) {
    if (index < 0 || index >= items_.size()) BadIndex();
    auto& item = items_.at(index);
    if (item.text == text) return;
    item.text = std::move(text);
    Notify(Property::ListItem, index);
}

void ListControl::SetItemData(int index, Long data) {
    if (index < 0 || index >= items_.size()) BadIndex();
    items_.at(index).data = data;
    Notify(Property::ListItem, index);
}

void ListControl::SetSorted(bool sorted) {
    if (sorted_ == sorted) return;
    sorted_ = sorted;
    Notify(Property::Style);
    if (!sorted || items_.size() < 2) return;
    std::vector<detail::ItemStore::Item> all;
    for (int i = 0; i < items_.size(); ++i) all.push_back(items_.at(i));
    std::stable_sort(all.begin(), all.end(), [](const auto& a, const auto& b) { return vb::TextLess(a.text, b.text); });
    items_.clear();
    for (auto& item : all) items_.insert(items_.size(), std::move(item));
    listIndex_ = -1;
    newIndex_ = -1;
    if (Peer* p = LivePeer()) p->ItemsReset();
}

// ---- ListBox ----

ListBox::ListBox(Form& form, std::string name, int index) : ListT(ControlKind::ListBox, form, std::move(name), index) {
    backColor_ = vbWindowBackground;
}
ListBox::ListBox(Control& c, std::string name, int index) : ListT(ControlKind::ListBox, c, std::move(name), index) {
    backColor_ = vbWindowBackground;
}

ListBox& ListBox::Text(std::string_view text) {
    SetListIndex(FindStringExact(text));
    return *this;
}

int ListBox::VisibleRows() const {
    double inner = height_ - (borderStyle_ == vbFixedSingle ? 4 * kTwipsPerPixel : 0);
    double row = backend().Metrics().LineHeight(font_);
    return std::max(1, static_cast<int>(std::floor(inner / std::max(row, 1.0))));
}

ListBox& ListBox::TopIndex(int index) {
    int top = std::clamp(index, 0, std::max(0, ListCount() - 1));
    if (top == topIndex_) return *this;
    topIndex_ = top;
    Notify(Property::TopIndex);
    return *this;
}

ListBox& ListBox::BorderStyle(Integer v) { borderStyle_ = v; Notify(Property::Appearance); return *this; }

void ListBox::AfterSelect(bool) {
    if (listIndex_ < 0) return;
    int rows = VisibleRows();
    if (listIndex_ < topIndex_) TopIndex(listIndex_);
    else if (listIndex_ >= topIndex_ + rows) TopIndex(listIndex_ - rows + 1);
}

void ListBox::AfterItemsChanged() {
    int top = std::clamp(topIndex_, 0, std::max(0, ListCount() - 1));
    if (top != topIndex_) {
        topIndex_ = top;
        Notify(Property::TopIndex);
    }
}

// ---- ComboBox ----

ComboBox::ComboBox(Form& form, std::string name, int index) : ListT(ControlKind::ComboBox, form, std::move(name), index) {
    backColor_ = vbWindowBackground;
}
ComboBox::ComboBox(Control& c, std::string name, int index) : ListT(ControlKind::ComboBox, c, std::move(name), index) {
    backColor_ = vbWindowBackground;
}

ComboBox& ComboBox::Style(Integer v) {
    if (v < vbComboDropdown || v > vbComboDropdownList) throw vb::Error(vb::errInvalidPropertyValue);
    style_ = v;
    Notify(Property::Style);
    return *this;
}

std::string ComboBox::Text() const {
    if (style_ == vbComboDropdownList) return List(listIndex_);
    return text_;
}

ComboBox& ComboBox::Text(std::string text) {
    if (style_ == vbComboDropdownList) {
        int i = text.empty() ? -1 : FindStringExact(text);
        if (i < 0 && !text.empty()) throw vb::Error(383, "'Text' property is read-only");
        SetListIndex(i);
        return *this;
    }
    if (text == text_) return *this;
    text_ = std::move(text);
    int i = FindStringExact(text_);
    bool moved = i != listIndex_;
    listIndex_ = i;
    Notify(Property::Text);
    if (moved) Notify(Property::ListIndex);
    detail::Fire(Change);
    return *this;
}

void ComboBox::AfterSelect(bool) {
    if (style_ == vbComboDropdownList) return;
    std::string t = List(listIndex_);
    if (t == text_) return;
    text_ = std::move(t);
    Notify(Property::Text);
}

void ComboBox::AfterClear() {
    if (!text_.empty()) {
        text_.clear();
        Notify(Property::Text);
    }
}

}  // namespace forms
