#include "passprogress.h"

#include <memory>

namespace {

constexpr qint64 stepMilliseconds = 50;

} // namespace

bool ignoreProgress(int, int)
{
    return true;
}

CThrottledProgress::CThrottledProgress(QWidget* parent, const QString& label, int count)
    : m_dialog(label, QStringLiteral("Прервать"), 0, count, parent)
{
    m_dialog.setWindowModality(Qt::WindowModal);
    m_dialog.setMinimumDuration(1000);
}

bool CThrottledProgress::step(int handled)
{
    if (!m_shown.isValid() || m_shown.elapsed() >= stepMilliseconds) {
        m_dialog.setValue(handled);
        m_shown.start();
    }
    return !m_dialog.wasCanceled();
}

void CThrottledProgress::finish()
{
    m_dialog.setValue(m_dialog.maximum());
}

CPassProgress dialogProgress(QWidget* parent, const QString& label)
{
    auto dialog = std::make_shared<std::unique_ptr<CThrottledProgress>>();
    return [dialog, parent, label](int handled, int count) {
        if (!*dialog)
            *dialog = std::make_unique<CThrottledProgress>(parent, label, count);
        if (handled < count)
            return (*dialog)->step(handled);
        (*dialog)->finish();
        return true;
    };
}
