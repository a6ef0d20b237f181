#pragma once
// List boxes and combo boxes show the model's items through a list model that reads
// ListControl::List(i) on demand, so big lists cost one row count, not one widget item per row.
#include <QAbstractListModel>

#include "platform/forms/list.h"

namespace qtui {

class ListModel : public QAbstractListModel {
public:
    explicit ListModel(forms::ListControl& list, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // The list changed (called after the model's change).
    void Inserted(int first, int count);
    void Removed(int first, int count);
    void Reset();
    void ItemChanged(int row);
    // The list control goes away before the widget: show nothing from now on.
    void Detach();
    // While nobody sees the list, changes are taken in one go later (Sync): filling a hidden
    // list costs no per-item notifications.
    void MarkStale() { stale_ = true; }
    bool IsStale() const { return stale_; }
    bool Sync();  // true when it reset the rows

private:
    forms::ListControl* list_;
    int rows_;
    bool stale_ = false;
};

}  // namespace qtui
