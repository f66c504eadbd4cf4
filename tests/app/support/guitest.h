#pragma once

#include <QApplication>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

// Isolates a GUI test program: settings in the test store of this program alone (emptied
// here), the data folder in a temporary folder. Made before anything reads the settings.
class CGuiTestEnvironment
{
public:
    CGuiTestEnvironment();
    ~CGuiTestEnvironment();

    QString dataFolder() const;
    // Empties the settings store.
    static void clearSettings();

private:
    QTemporaryDir m_dataFolder;
    QTemporaryDir m_settingsFolder;
};

// The file's content; empty when it cannot be read.
QByteArray readFile(const QString& path);

// The rectangle as "WxH at (x, y)", for failure messages.
QString rectText(const QRect& rect);

// The watcher of a modal dialog; disarmed when it goes, so that a dialog watched for in one test
// is never handled in the next.
class CModalWatch
{
public:
    explicit CModalWatch(QTimer* timer) : m_timer(timer) {}
    CModalWatch(CModalWatch&& other) noexcept : m_timer(other.m_timer) { other.m_timer.clear(); }
    CModalWatch(const CModalWatch&) = delete;
    CModalWatch& operator=(const CModalWatch&) = delete;
    CModalWatch& operator=(CModalWatch&&) = delete;
    ~CModalWatch() { delete m_timer.data(); }

private:
    QPointer<QTimer> m_timer;
};

// Once a modal window that the matcher takes is shown (inside its own event loop), hands it to
// the handler, which is expected to end it. A window that does not come within the time limit
// is given up; whatever modal window is up then is closed so that the test does not hang. The
// watch lasts while the returned object lives.
[[nodiscard]] CModalWatch whenModalWindow(const std::function<bool(QWidget*)>& matches,
                                          const std::function<void(QWidget*)>& handler, int timeoutMs = 5000);

// The same for a modal dialog of the class.
template <class Dialog>
[[nodiscard]] CModalWatch whenModal(std::function<void(Dialog*)> handler, int timeoutMs = 5000)
{
    return whenModalWindow([](QWidget* window) { return qobject_cast<Dialog*>(window) != nullptr; },
                           [handler](QWidget* window) { handler(static_cast<Dialog*>(window)); }, timeoutMs);
}
