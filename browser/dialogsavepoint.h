#pragma once

#include <QDialog>
#include <QString>

#include <functional>
#include <memory>

namespace DialogSavepoint {

// Sets the savepoint "<className>_<operation>_<ms>" on the default connection, makes the
// dialog, runs it modally and deletes it. Everything written on the connection while it was
// open is kept only when the dialog is accepted and the savepoint released; otherwise it is
// rolled back and the savepoint released, so no transaction stays open. A failed release is
// rolled back the same way and warned. No dialog is made when the savepoint cannot be set.
// kept, when given, sees the dialog after a successful release. True when the work was kept.
bool exec(const QString& className, const QString& operation, const std::function<QDialog*()>& make,
          const std::function<void(QDialog&)>& kept = nullptr);

// The same for a dialog class: make gives the dialog, kept sees it when the work was kept.
template <class Dialog>
bool execDialog(const QString& className, const QString& operation, const std::function<Dialog*()>& make,
                const std::function<void(Dialog&)>& kept = nullptr)
{
    return exec(
        className, operation, [&make]() -> QDialog* { return make(); },
        [&kept](QDialog& dialog) {
            if (kept)
                kept(static_cast<Dialog&>(dialog));
        });
}

} // namespace DialogSavepoint
