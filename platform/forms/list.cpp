#include "platform/forms/list.h"

#include <algorithm>
#include <cmath>

#include "platform/core/error.h"
#include "platform/core/text.h"
#include "platform/forms/detail.h"
#include "platform/forms/form.h"

namespace forms {

namespace detail {

std::pair<std::size_t, std::size_t> ItemStore::locate(int i) const {
    auto rest = static_cast<std::size_t>(i);
    for (std::size_t b = 0; b < blocks_.size(); ++b) {
        if (rest < blocks_[b].size()) return {b, rest};
        rest -= blocks_[b].size();
    }
    return {blocks_.size(), 0};
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
    if (blocks_.empty()) blocks_.emplace_back();
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
    if (block.size() >= 2 * kBlock) {
        std::vector<Item> tail(std::make_move_iterator(block.begin() + kBlock), std::make_move_iterator(block.end()));
        block.resize(kBlock);
        blocks_.insert(blocks_.begin() + static_cast<std::ptrdiff_t>(b) + 1, std::move(tail));
    }
}

void ItemStore::push_back(Item item) {
    if (blocks_.empty() || blocks_.back().size() >= kBlock) blocks_.emplace_back().reserve(kBlock);
    blocks_.back().push_back(std::move(item));
    ++size_;
}

void ItemStore::erase(int i) {
    auto [b, k] = locate(i);
    auto& block = blocks_[b];
    block.erase(block.begin() + static_cast<std::ptrdiff_t>(k));
    --size_;
    if (block.empty()) blocks_.erase(blocks_.begin() + static_cast<std::ptrdiff_t>(b));
}

void ItemStore::clear() {
    blocks_.clear();
    size_ = 0;
}

int ItemStore::upper_bound(std::string_view text) const {
    // The first block whose first item is greater, then within the block before it.
    auto firstGreater = std::partition_point(blocks_.begin(), blocks_.end(), [&](const std::vector<Item>& block) {
        return !vb::TextLess(text, block.front().text);
    });
    if (firstGreater == blocks_.begin()) return 0;
    auto block = std::prev(firstGreater);
    int before = 0;
    for (auto it = blocks_.begin(); it != block; ++it) before += static_cast<int>(it->size());
    auto pos = std::partition_point(block->begin(), block->end(),
                                    [&](const Item& item) { return !vb::TextLess(text, item.text); });
    return before + static_cast<int>(pos - block->begin());
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

void ListControl::AddItems(std::vector<std::string> texts) {
    if (texts.empty()) return;
    const int first = items_.size();
    bool atEnd = true;
    if (sorted_) {
        atEnd = first == 0 || !vb::TextLess(texts.front(), items_.at(first - 1).text);
        for (std::size_t i = 1; atEnd && i < texts.size(); ++i) atEnd = !vb::TextLess(texts[i], texts[i - 1]);
    }
    if (!atEnd) {
        for (auto& text : texts) AddItem(std::move(text));
        return;
    }
    for (auto& text : texts) items_.push_back({std::move(text), 0});
    newIndex_ = items_.size() - 1;  // the selection, if any, lies before them
    if (Peer* p = LivePeer()) p->ItemsInserted(first, items_.size() - first);
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

int ListControl::FindString(std::string_view prefix, int startAfter) const {
    int n = items_.size();
    if (prefix.empty() || n == 0) return -1;
    int start = startAfter < -1 || startAfter >= n ? -1 : startAfter;
    for (int step = 1; step <= n; ++step) {
        int i = (start + step) % n;
        if (StartsWithText(items_.at(i).text, prefix)) return i;
    }
    return -1;
}

int ListControl::FindStringExact(std::string_view text, int startAfter) const {
    int n = items_.size();
    if (n == 0) return -1;
    int start = startAfter < -1 || startAfter >= n ? -1 : startAfter;
    for (int step = 1; step <= n; ++step) {
        int i = (start + step) % n;
        if (vb::StrComp(items_.at(i).text, text, vb::Compare::Text) == 0) return i;
    }
    return -1;
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
