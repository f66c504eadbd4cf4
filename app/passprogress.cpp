#include "passprogress.h"

#include <QProgressDialog>

#include <memory>

bool ignoreProgress(int, int)
{
    return true;
}

CPassProgress dialogProgress(QWidget* parent, const QString& label)
{
    auto dialog = std::make_shared<std::unique_ptr<QProgressDialog>>();
    return [dialog, parent, label](int handled, int count) {
        if (!*dialog) {
            *dialog = std::make_unique<QProgressDialog>(label, QStringLiteral("Прервать"), 0, count, parent);
            (*dialog)->setWindowModality(Qt::WindowModal);
            (*dialog)->setMinimumDuration(1000);
        }
        (*dialog)->setValue(handled);
        return !(*dialog)->wasCanceled();
    };
}
