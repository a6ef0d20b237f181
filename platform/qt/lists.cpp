#include "platform/qt/lists.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QPointer>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>
#include <utility>

#include "platform/forms/form.h"
#include "platform/forms/input.h"
#include "platform/qt/accessible.h"
#include "platform/qt/convert.h"
#include "platform/qt/kinds.h"

namespace qtui {

using forms::Property;

ListModel::ListModel(forms::ListControl& list, QObject* parent)
    : QAbstractListModel(parent), list_(&list), rows_(list.ListCount()) {}

int ListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

QVariant ListModel::data(const QModelIndex& index, int role) const {
    if (!list_ || !index.isValid() || index.row() >= rows_) return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole) return ToQ(list_->List(index.row()));
    return {};
}

bool ListModel::Sync() {
    if (!stale_) return false;
    stale_ = false;
    Reset();
    return true;
}

void ListModel::Inserted(int first, int count) {
    if (stale_ || count <= 0) return;
    beginInsertRows(QModelIndex(), first, first + count - 1);
    rows_ += count;
    endInsertRows();
}

void ListModel::Removed(int first, int count) {
    if (stale_ || count <= 0) return;
    beginRemoveRows(QModelIndex(), first, first + count - 1);
    rows_ -= count;
    endRemoveRows();
}

void ListModel::Reset() {
    stale_ = false;
    beginResetModel();
    rows_ = list_ ? list_->ListCount() : 0;
    endResetModel();
}

void ListModel::ItemChanged(int row) {
    if (stale_ || row < 0 || row >= rows_) return;
    QModelIndex i = index(row);
    emit dataChanged(i, i);
}

void ListModel::Detach() {
    beginResetModel();
    list_ = nullptr;
    rows_ = 0;
    endResetModel();
}

namespace {

// The user chose the view's current item: it is selected too (the selection changes after the
// current item has moved). The first focus of a list makes its first item current without
// selecting it, and that chooses nothing, as Tab into the old list box chose nothing.
bool Chosen(const QAbstractItemView* view) {
    const QModelIndex current = view->selectionModel()->currentIndex();
    return current.isValid() && view->selectionModel()->isSelected(current);
}

// With nothing chosen, the focus only marks the first item: the first arrow, up or down, takes
// that one (the view, with no current item, goes to its first), and the next ones move on.
void FirstArrowTakesFirst(QAbstractItemView* view, QEvent* event, int listIndex) {
    if (event->type() != QEvent::KeyPress || listIndex >= 0 || Chosen(view)) return;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Down || key == Qt::Key_Up)
        view->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
}

// Whether the view hears of a list change now or in one go later: a list nobody sees, or one
// changed many times in one turn of the event loop (a fill), is reset once afterwards instead of
// being told of every item.
class ChangeBatch {
public:
    ChangeBatch(ListModel* model, QWidget* widget, QObject* context, std::function<void()> resync)
        : model_(model), widget_(widget), context_(context), resync_(std::move(resync)) {}

    // True when the change was put off.
    bool Defer() {
        if (model_->IsStale()) return true;
        if (!widget_->isVisible()) {
            model_->MarkStale();
            return true;
        }
        Schedule();
        if (++burst_ <= kBurst) return false;
        model_->MarkStale();
        return true;
    }

private:
    static constexpr int kBurst = 64;
    void Schedule() {
        if (scheduled_) return;
        scheduled_ = true;
        QMetaObject::invokeMethod(
            context_,
            [this] {
                scheduled_ = false;
                burst_ = 0;
                if (widget_->isVisible() && model_->IsStale()) resync_();
            },
            Qt::QueuedConnection);
    }
    ListModel* model_;
    QWidget* widget_;
    QObject* context_;
    std::function<void()> resync_;
    int burst_ = 0;
    bool scheduled_ = false;
};

// What the list box and the simple combo box share: a list that chooses by Enter
// (ListControl::ChooseByEnter) takes the keys only to move its caret, the view's current item,
// shown selected; Enter and Space choose the item there. The mouse chooses as in any list.
class ListPeer : public ControlPeer {
protected:
    ListPeer(forms::ListControl& list, QWidget* widget) : ControlPeer(list, widget), items_(list) {}

    // A key or a mouse press on the view, before the view hears it; true when it was taken.
    bool EnterChooses(const QAbstractItemView* view, QEvent* event) {
        if (!items_.ChooseByEnter()) return false;
        if (event->type() == QEvent::MouseButtonPress) keyed_ = false;
        if (event->type() != QEvent::KeyPress) return false;
        auto* k = static_cast<QKeyEvent*>(event);
        const bool choose = k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter || k->key() == Qt::Key_Space;
        if (!choose || (k->modifiers() & ~Qt::KeypadModifier)) {
            keyed_ = true;
            return false;
        }
        if (k->isAutoRepeat()) return true;
        const int row = Chosen(view) ? view->currentIndex().row() : -1;
        const Integer code = KeyCode(*k);
        Integer left = code;
        if (!Call([&] { left = forms::input::KeyDown(items_, code, 0); }) || left == 0) return true;
        Call([&] { forms::input::ChooseAtCaret(items_, row); });
        return true;
    }
    // Whether a new selection in the view came from keys that only move the caret.
    bool OnlyMoved() { return items_.ChooseByEnter() && std::exchange(keyed_, false); }

    bool keyed_ = false;  // the current row moves by a key, not by the mouse

private:
    forms::ListControl& items_;
};

class ListBoxPeer : public ListPeer {
public:
    explicit ListBoxPeer(forms::ListBox& list)
        : ListPeer(list, new QListView), list_(list), w_(static_cast<QListView*>(widget_.data())) {
        model_ = new ListModel(list, w_);
        w_->setModel(model_);
        batch_ = std::make_unique<ChangeBatch>(model_, w_, Context(), [this] { Shown(); });
        w_->setUniformItemSizes(true);
        w_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
        w_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        w_->setSelectionMode(QAbstractItemView::SingleSelection);
        w_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        Watch(w_->viewport());
        auto take = [this] {
            const QModelIndex current = w_->selectionModel()->currentIndex();
            if (syncing_ || !Chosen(w_) || current.row() == list_.ListIndex()) return;
            // In a list that stands open for a drop-down the keys only move; Enter takes.
            if (dropped_ ? std::exchange(keyed_, false) : OnlyMoved()) return;
            int row = current.row();
            if (Call([&] { forms::input::ChooseItem(list_, row); })) ShowSelection();
        };
        QObject::connect(w_->selectionModel(), &QItemSelectionModel::selectionChanged, Context(), take);
        QObject::connect(w_->verticalScrollBar(), &QScrollBar::valueChanged, Context(), [this](int top) {
            if (syncing_ || top == list_.TopIndex()) return;
            Call([&] { list_.TopIndex(top); });
        });
    }
    ~ListBoxPeer() override {
        if (model_) model_->Detach();
    }

    void Init() override {
        ControlPeer::Init();
        Update(Property::Appearance, -1);
        ShowSelection();
        ShowTop();
    }
    void ItemsInserted(int first, int count) override {
        Syncing s(*this);
        if (batch_->Defer()) return;
        model_->Inserted(first, count);
        if (w_->currentIndex().row() != list_.ListIndex()) ShowSelection();
    }
    void ItemsRemoved(int first, int count) override {
        Syncing s(*this);
        if (batch_->Defer()) return;
        model_->Removed(first, count);
        if (w_->currentIndex().row() != list_.ListIndex() || list_.ListIndex() < 0) ShowSelection();
    }
    void ItemsReset() override {
        Syncing s(*this);
        model_->Reset();
        ShowSelection();
    }
    // A drop-down's DropDown showed this list in its place: the list is that drop-down, open, until
    // it hides; then the focus goes back to the drop-down.
    void TakeDrop(QWidget* from) {
        dropped_ = true;
        keyed_ = true;  // the focus puts the current row on the first item: that chooses nothing
        dropFrom_ = from;
        w_->setFocus(Qt::OtherFocusReason);
    }

protected:
    // A right click by the keyboard lands on the selected item while it is in sight.
    Spot ContextSpot() const override {
        QWidget* view = w_->viewport();
        const int row = list_.ListIndex();
        if (row >= 0 && row < model_->rowCount()) {
            const QRect r = w_->visualRect(model_->index(row));
            if (view->rect().contains(r.center())) return {view, r.center()};
        }
        return {view, view->rect().center()};
    }
    bool BeforeEvent(QObject* watched, QEvent* event) override {
        if (!dropped_) {
            FirstArrowTakesFirst(w_, event, list_.ListIndex());
            return EnterChooses(w_, event);
        }
        switch (event->type()) {
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key != Qt::Key_Return && key != Qt::Key_Enter) {
                keyed_ = true;
                return false;
            }
            // Enter takes the item the keys moved to, and then is the key it is.
            const int row = w_->currentIndex().row();
            if (row >= 0 && row != list_.ListIndex() && !Call([&] { forms::input::ChooseItem(list_, row); })) return true;
            return false;
        }
        case QEvent::MouseButtonPress: keyed_ = false; return false;
        case QEvent::Hide:
            if (watched != w_) return false;
            dropped_ = keyed_ = false;
            if (w_->hasFocus() && dropFrom_) {
                QPointer<QWidget> from = dropFrom_;
                QTimer::singleShot(0, Context(), [from] {
                    if (from && from->isVisible()) from->setFocus(Qt::OtherFocusReason);
                });
            }
            return false;
        default: return false;
        }
    }
    void Update(Property what, int index) override {
        Syncing s(*this);
        switch (what) {
        case Property::ListIndex: ShowSelection(); break;
        case Property::TopIndex: ShowTop(); break;
        case Property::ListItem: model_->ItemChanged(index); break;
        case Property::Appearance:
            w_->setFrameStyle(list_.BorderStyle() == forms::vbBSNone ? QFrame::NoFrame : QFrame::StyledPanel | QFrame::Sunken);
            break;
        default: break;
        }
    }

    void Shown() override {
        Syncing s(*this);
        if (!model_->Sync()) return;
        ShowSelection();
        ShowTop();
    }

private:
    void ShowSelection() {
        Syncing s(*this);
        model_->Sync();
        int row = list_.ListIndex();
        auto* sel = w_->selectionModel();
        if (row < 0) {
            if (sel->hasSelection() || sel->currentIndex().isValid()) sel->clear();
            return;
        }
        QModelIndex i = model_->index(row);
        if (sel->currentIndex() != i || !sel->isSelected(i)) sel->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
    }
    void ShowTop() {
        Syncing s(*this);
        model_->Sync();
        int top = list_.TopIndex();
        if (top >= 0 && top < model_->rowCount()) w_->scrollTo(model_->index(top), QAbstractItemView::PositionAtTop);
    }
    forms::ListBox& list_;
    QListView* w_;
    QPointer<ListModel> model_;
    std::unique_ptr<ChangeBatch> batch_;
    bool dropped_ = false;  // standing open for a drop-down
    QPointer<QWidget> dropFrom_;
};

// Qt's open drop-down list lets letters pass by: they go to the first item that begins with what
// was typed, as in the closed one. Enter then takes it.
class PopupSearch : public QObject {
public:
    explicit PopupSearch(QAbstractItemView* view) : QObject(view), view_(view) { view->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() != QEvent::KeyPress) return false;
        auto* k = static_cast<QKeyEvent*>(e);
        const QString text = k->text();
        if (text.isEmpty() || !text.at(0).isPrint() || (k->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            return false;
        view_->keyboardSearch(text);
        return true;
    }

private:
    QAbstractItemView* view_;
};

class Combo : public ReaderCombo {
public:
    std::function<bool()> beforePopup;
    void showPopup() override {
        if (beforePopup && !beforePopup()) return;
        QComboBox::showPopup();
    }
};

class ComboBoxPeer : public ControlPeer {
public:
    explicit ComboBoxPeer(forms::ComboBox& combo)
        : ControlPeer(combo, new Combo), combo_(combo), w_(static_cast<Combo*>(widget_.data())) {
        model_ = new ListModel(combo, w_);
        w_->setModel(model_);
        batch_ = std::make_unique<ChangeBatch>(model_, w_, Context(), [this] { Shown(); });
        w_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        w_->setMinimumContentsLength(1);
        w_->setInsertPolicy(QComboBox::NoInsert);
        w_->setMaxVisibleItems(16);
        if (auto* view = qobject_cast<QListView*>(w_->view())) view->setUniformItemSizes(true);
        new PopupSearch(w_->view());
        w_->beforePopup = [this] {
            if (!Call([this] { forms::input::DropDown(combo_); })) return false;
            if (combo_.Visible()) return true;
            // The handler hid the box: a list of the program's own stands open in its place.
            if (ListBoxPeer* list = StandIn()) list->TakeDrop(w_);
            return false;
        };
        QObject::connect(w_, &QComboBox::activated, Context(), [this](int row) {
            if (syncing_) return;
            if (Call([&] { forms::input::ChooseItem(combo_, row); })) ShowState();
        });
    }
    ~ComboBoxPeer() override {
        if (widget_) w_->beforePopup = nullptr;
        if (model_) model_->Detach();
    }

    void Init() override {
        ControlPeer::Init();
        ApplyStyle();
        ShowState();
    }
    std::vector<QWidget*> NamedWidgets() const override { return {w_, w_->lineEdit()}; }
    void ItemsInserted(int first, int count) override {
        Syncing s(*this);
        if (batch_->Defer()) return;
        QSignalBlocker block(w_);
        model_->Inserted(first, count);
        if (w_->currentIndex() != combo_.ListIndex()) ShowState();
    }
    void ItemsRemoved(int first, int count) override {
        Syncing s(*this);
        if (batch_->Defer()) return;
        QSignalBlocker block(w_);
        model_->Removed(first, count);
        ShowState();
    }
    void Shown() override {
        if (model_->Sync()) ShowState();
    }
    void ItemsReset() override {
        Syncing s(*this);
        QSignalBlocker block(w_);
        model_->Reset();
        ShowState();
    }

protected:
    void Update(Property what, int index) override {
        Syncing s(*this);
        switch (what) {
        case Property::ListIndex:
        case Property::Text: ShowState(); break;
        case Property::ListItem: model_->ItemChanged(index); break;
        case Property::Style: ApplyStyle(); ShowState(); break;
        default: break;
        }
    }
    void InsertText(const QString& text) override {
        if (w_->lineEdit()) w_->lineEdit()->insert(text);
    }

private:
    void ApplyStyle() {
        bool editable = combo_.Style() != forms::vbComboDropdownList;
        if (w_->isEditable() == editable) return;
        QSignalBlocker block(w_);
        w_->setEditable(editable);
        ApplyName();
        if (QLineEdit* edit = w_->lineEdit()) {
            QObject::connect(edit, &QLineEdit::textEdited, Context(), [this](const QString& text) {
                if (syncing_) return;
                std::string t = FromQ(text);
                if (Call([&] { forms::input::Edit(combo_, t); })) ShowState();
            });
        }
    }
    // A visible list box of the same container over the box's place.
    ListBoxPeer* StandIn() const {
        for (forms::Control* c : combo_.Parent().Controls()) {
            if (c->Kind() != forms::ControlKind::ListBox || !c->Visible() || c->Container() != combo_.Container()) continue;
            if (c->Left() <= combo_.Left() && combo_.Left() < c->Left() + c->Width() && c->Top() <= combo_.Top() &&
                combo_.Top() < c->Top() + c->Height())
                if (auto* p = dynamic_cast<ListBoxPeer*>(c->peer())) return p;
        }
        return nullptr;
    }
    void ShowState() {
        Syncing s(*this);
        QSignalBlocker block(w_);
        model_->Sync();
        if (w_->currentIndex() != combo_.ListIndex()) w_->setCurrentIndex(combo_.ListIndex());
        if (QLineEdit* edit = w_->lineEdit()) {
            QString t = ToQ(combo_.Text());
            if (edit->text() != t) edit->setText(t);
        }
    }
    forms::ComboBox& combo_;
    Combo* w_;
    QPointer<ListModel> model_;
    std::unique_ptr<ChangeBatch> batch_;
};

// The simple style: an edit box with its list always shown beneath it.
class SimpleComboPeer : public ListPeer {
public:
    explicit SimpleComboPeer(forms::ComboBox& combo) : ListPeer(combo, new QWidget), combo_(combo) {
        auto* layout = new QVBoxLayout(widget_);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(2);
        edit_ = new QLineEdit(widget_);
        list_ = new QListView(widget_);
        layout->addWidget(edit_);
        layout->addWidget(list_, 1);
        model_ = new ListModel(combo, list_);
        list_->setModel(model_);
        list_->setUniformItemSizes(true);
        list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        list_->setSelectionMode(QAbstractItemView::SingleSelection);
        list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        Watch(edit_);
        Watch(list_);
        Watch(list_->viewport());
        // One stop in the window's Tab order: the box first, then its list.
        widget_->setFocusPolicy(Qt::StrongFocus);
        widget_->setFocusProxy(edit_);
        QObject::connect(edit_, &QLineEdit::textEdited, Context(), [this](const QString& text) {
            if (syncing_) return;
            std::string t = FromQ(text);
            if (Call([&] { forms::input::Edit(combo_, t); })) ShowState();
        });
        auto take = [this] {
            const int row = list_->selectionModel()->currentIndex().row();
            if (syncing_ || !Chosen(list_) || row == combo_.ListIndex() || OnlyMoved()) return;
            if (Call([&] { forms::input::ChooseItem(combo_, row); })) ShowState();
        };
        QObject::connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, Context(), take);
    }
    ~SimpleComboPeer() override {
        if (model_) model_->Detach();
    }
    void Init() override {
        ControlPeer::Init();
        ShowState();
    }
    std::vector<QWidget*> NamedWidgets() const override { return {widget_.data(), edit_, list_}; }
    void ItemsInserted(int first, int count) override {
        Syncing s(*this);
        model_->Inserted(first, count);
        ShowState();
    }
    void ItemsRemoved(int first, int count) override {
        Syncing s(*this);
        model_->Removed(first, count);
        ShowState();
    }
    void ItemsReset() override {
        Syncing s(*this);
        model_->Reset();
        ShowState();
    }

protected:
    bool BeforeEvent(QObject* watched, QEvent* event) override {
        if (!list_ || (watched != list_ && watched != list_->viewport())) return false;
        FirstArrowTakesFirst(list_, event, combo_.ListIndex());
        return EnterChooses(list_, event);
    }
    void Update(Property what, int index) override {
        if (what == Property::ListIndex || what == Property::Text) ShowState();
        else if (what == Property::ListItem) model_->ItemChanged(index);
    }
    void InsertText(const QString& text) override { edit_->insert(text); }

private:
    void ShowState() {
        Syncing s(*this);
        QString t = ToQ(combo_.Text());
        if (edit_->text() != t) edit_->setText(t);
        int row = combo_.ListIndex();
        auto* sel = list_->selectionModel();
        if (row < 0) {
            if (sel->hasSelection() || sel->currentIndex().isValid()) sel->clear();
        } else if (sel->currentIndex().row() != row) {
            sel->setCurrentIndex(model_->index(row), QItemSelectionModel::ClearAndSelect);
        }
    }
    forms::ComboBox& combo_;
    QLineEdit* edit_ = nullptr;
    QListView* list_ = nullptr;  // made in the constructor, which already hears events
    QPointer<ListModel> model_;
};

}  // namespace

std::unique_ptr<ControlPeer> MakeListBoxPeer(forms::Control& c) {
    return std::make_unique<ListBoxPeer>(static_cast<forms::ListBox&>(c));
}
std::unique_ptr<ControlPeer> MakeComboBoxPeer(forms::Control& c) {
    auto& combo = static_cast<forms::ComboBox&>(c);
    if (combo.Style() == forms::vbComboSimple) return std::make_unique<SimpleComboPeer>(combo);
    return std::make_unique<ComboBoxPeer>(combo);
}

}  // namespace qtui
