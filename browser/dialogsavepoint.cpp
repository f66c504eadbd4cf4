#include "dialogsavepoint.h"

#include "prompt.h"

#include "database/savepoint.h"

namespace DialogSavepoint {

bool exec(const QString& className, const QString& operation, const std::function<QDialog*()>& make,
          const std::function<void(QDialog&)>& kept)
{
    CSavepoint savepoint(QString("%1_%2_").arg(className, operation));
    if (!savepoint.isActive())
        return false;
    const std::unique_ptr<QDialog> dialog(make());
    if (dialog->exec() != QDialog::Accepted) {
        savepoint.rollback();
        return false;
    }
    if (!savepoint.release()) {
        prompt().warning(nullptr, QStringLiteral("Предупреждение"),
                         QStringLiteral("Ошибка записи в базу данных: изменения отменены"));
        return false;
    }
    if (kept)
        kept(*dialog);
    return true;
}

} // namespace DialogSavepoint
