#pragma once
// List boxes and combo boxes. Items are Windows-1252 texts with a Long of item data each.
//
// Rules (both kinds):
//  * Sorted lists insert with one case-insensitive Windows-1252 order (vb::TextLess), after equal
//    items; AddItem with an index inserts there, sorted or not. Bulk filling stays fast: the items
//    live in blocks, so an insert moves at most one block.
//  * NewIndex is the position of the last item added; -1 after RemoveItem or Clear.
//  * Setting ListIndex to a new value runs Click (also for -1); ListIndex outside -1..ListCount-1
//    is error 380. Inserting before the selected item keeps that item selected; removing it clears
//    the selection without an event; Clear empties the selection without an event.
//  * List(i) reads "" outside the list; writing List(i) or ItemData(i) outside is error 381;
//    AddItem and RemoveItem with a bad index are error 5.
//  * FindString follows the old list box search: it starts after the given index, runs to the
//    end, wraps round to the start and stops at the given index; the text is a prefix compared
//    without regard to case; an empty text matches nothing. -1 when nothing matches.
#include <string>
#include <string_view>
#include <vector>

#include "platform/forms/control.h"

namespace forms {

// One item of a list: its text and its item data.
struct ListItem {
    std::string text;
    Long data = 0;
};

namespace detail {

// Items kept in blocks of bounded size, with the index of each block's first item: an index is
// found by a binary search, an insert or erase moves at most one block.
class ItemStore {
public:
    using Item = ListItem;

    int size() const { return size_; }
    const Item& at(int i) const;
    Item& at(int i);
    void insert(int i, Item item);
    // At the end, filling blocks in turn: the way to add many.
    void push_back(Item item);
    void erase(int i);
    void clear();
    // The position after the last item not greater than text (vb::TextLess order).
    int upper_bound(std::string_view text) const;
    // Calls f(item) for the items from `first` on, in order, while it returns true.
    template <class F>
    void visit_from(int first, F f) const;
    // Hands every item over to f(Item&&) in order and leaves the store empty.
    template <class F>
    void drain(F f);

private:
    static constexpr std::size_t kBlock = 128;  // smaller blocks: an insert moves fewer items
    std::pair<std::size_t, std::size_t> locate(int i) const;
    std::vector<std::vector<Item>> blocks_;
    std::vector<int> starts_;  // the index of each block's first item
    int size_ = 0;
};

template <class F>
void ItemStore::visit_from(int first, F f) const {
    if (first < 0 || first >= size_) return;
    auto [b, k] = locate(first);
    for (; b < blocks_.size(); ++b, k = 0)
        for (; k < blocks_[b].size(); ++k)
            if (!f(blocks_[b][k])) return;
}

template <class F>
void ItemStore::drain(F f) {
    for (auto& block : blocks_)
        for (auto& item : block) f(std::move(item));
    clear();
}

}  // namespace detail

class ListControl : public Control {
public:
    int ListCount() const { return items_.size(); }
    int ListIndex() const { return listIndex_; }
    int NewIndex() const { return newIndex_; }
    std::string List(int index) const;
    Long ItemData(int index) const;
    bool Sorted() const { return sorted_; }

    void AddItem(std::string text);
    void AddItem(std::string text, int index);
    // Adds the items as AddItem, then ItemData(NewIndex), add each in turn: the same items in the
    // same places, NewIndex and ListIndex alike. A sorted list sorts them once and merges them in
    // (the way to fill a list with many); texts already in order go in as they are.
    void AddItems(std::vector<ListItem> items);
    void AddItems(std::vector<std::string> texts);
    void RemoveItem(int index);
    void Clear();

    int FindString(std::string_view prefix, int startAfter = -1) const;
    int FindStringExact(std::string_view text, int startAfter = -1) const;

    // For a list whose Click closes its window or opens another: the keys only move the caret
    // (the arrows, Home, End, the page keys), and Enter or Space chooses the item at the caret,
    // with its Click even when that item is chosen already. The mouse chooses as in any list.
    bool ChooseByEnter() const { return chooseByEnter_; }

protected:
    using Control::Control;
    void SetListIndex(int index);
    void SetList(int index, std::string text);
    void SetItemData(int index, Long data);
    void SetSorted(bool sorted);

    template <class Texts, class TextOf>
    bool FollowInOrder(const Texts& texts, TextOf textOf) const;
    void Appended(int before);  // items were pushed at the end after the first `before`

    // Hooks for the kinds.
    virtual void AfterSelect(bool fromCode) {}  // ListIndex changed (before Click)
    virtual void AfterItemsChanged() {}
    virtual void AfterClear() {}

    detail::ItemStore items_;
    int listIndex_ = -1;
    int newIndex_ = -1;
    bool sorted_ = false;
    bool chooseByEnter_ = false;
};

template <class T>
class ListT : public Widget<T, ListControl> {
public:
    using ListControl::ItemData;
    using ListControl::List;
    using ListControl::ListIndex;
    using ListControl::Sorted;
    T& ListIndex(int index) { this->SetListIndex(index); return this->Self(); }
    T& List(int index, std::string text) { this->SetList(index, std::move(text)); return this->Self(); }
    T& ItemData(int index, Long data) { this->SetItemData(index, data); return this->Self(); }
    T& Sorted(bool v) { this->SetSorted(v); return this->Self(); }
    using ListControl::ChooseByEnter;
    T& ChooseByEnter(bool v) { this->chooseByEnter_ = v; return this->Self(); }

protected:
    using Widget<T, ListControl>::Widget;
};

class ListBox : public ListT<ListBox> {
public:
    ListBox(Form& form, std::string name, int index = -1);
    ListBox(Control& container, std::string name, int index = -1);

    // The selected item's text, "" without a selection. Setting it selects the first item equal to
    // it without regard to case (Click runs), or clears the selection when none is.
    std::string Text() const { return List(listIndex_); }
    ListBox& Text(std::string_view text);
    // First visible item; selecting an item scrolls it into view.
    int TopIndex() const { return topIndex_; }
    ListBox& TopIndex(int index);
    // Whole rows that fit, from the height and the font.
    int VisibleRows() const;
    Integer BorderStyle() const { return borderStyle_; }
    ListBox& BorderStyle(Integer v);

private:
    void AfterSelect(bool fromCode) override;
    void AfterItemsChanged() override;
    int topIndex_ = 0;
    Integer borderStyle_ = vbFixedSingle;
};

// Style vbComboDropdownList: Text is the selected item's; setting it selects the item equal to it
// without regard to case (Click runs when the selection changes), error 383 when none is.
// Style vbComboDropdown / vbComboSimple: Text is the edit text; setting a different text runs
// Change and selects the equal item, if any, without an event. Choosing an item (ListIndex)
// copies its text into the edit text and runs Click. Clear also empties the edit text.
class ComboBox : public ListT<ComboBox> {
public:
    ComboBox(Form& form, std::string name, int index = -1);
    ComboBox(Control& container, std::string name, int index = -1);

    Integer Style() const { return style_; }
    ComboBox& Style(Integer v);
    std::string Text() const;
    ComboBox& Text(std::string text);

    Event Change;
    Event DropDown;  // the list is about to drop down (dropdown styles)

private:
    void AfterSelect(bool fromCode) override;
    void AfterClear() override;
    Integer style_ = vbComboDropdown;
    std::string text_;
};

}  // namespace forms
